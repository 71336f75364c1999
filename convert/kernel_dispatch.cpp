// The one place where the processor's features are read and a kernel table chosen.
#include "convert/engine_kernels.h"
#include "convert/instruction_set.h"

namespace {

struct Dispatch {
  bool sse2 = false;
  bool avx2 = false;
  InstructionSet active = InstructionSet::kScalar;
};

Dispatch Probe() {
  Dispatch d;
#if defined(GLYPHRANE_X86_KERNELS)
  __builtin_cpu_init();
  d.sse2 = __builtin_cpu_supports("sse2");
  // GCC's and clang's check includes the operating system's saving of the AVX
  // registers (XGETBV), not only the processor's flag.
  d.avx2 = d.sse2 && __builtin_cpu_supports("avx2");
#endif
  d.active = d.avx2 ? InstructionSet::kAvx2 : d.sse2 ? InstructionSet::kSse2
                                                    : InstructionSet::kScalar;
  return d;
}

Dispatch& State() {
  static Dispatch dispatch = Probe();
  return dispatch;
}

}  // namespace

bool InstructionSetSupported(InstructionSet set) {
  const Dispatch& d = State();
  switch (set) {
    case InstructionSet::kScalar: return true;
    case InstructionSet::kSse2: return d.sse2;
    case InstructionSet::kAvx2: return d.avx2;
  }
  return false;
}

InstructionSet ActiveInstructionSet() { return State().active; }

bool ForceInstructionSetForTesting(InstructionSet set) {
  if (!InstructionSetSupported(set)) return false;
  State().active = set;
  return true;
}

const EngineKernels& ActiveKernels() {
#if defined(GLYPHRANE_X86_KERNELS)
  switch (State().active) {
    case InstructionSet::kAvx2: return kAvx2Kernels;
    case InstructionSet::kSse2: return kSse2Kernels;
    case InstructionSet::kScalar: break;
  }
#endif
  return kScalarKernels;
}
