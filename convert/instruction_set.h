#ifndef GLYPHRANE_CONVERT_INSTRUCTION_SET_H_
#define GLYPHRANE_CONVERT_INSTRUCTION_SET_H_

// The engine's vector paths. The 32-bit program must still run on processors
// without SSE2, so a path is used only once the processor has been seen to have it;
// the scalar path is the reference the others must equal.
enum class InstructionSet { kScalar, kSse2, kAvx2 };

// Whether this build has the path and this processor (and its operating system)
// runs it. The processor is asked once, on the first call of either function.
bool InstructionSetSupported(InstructionSet set);

// The path the engine takes: the best supported one, unless a test forced another.
InstructionSet ActiveInstructionSet();

// For tests only: makes the engine take set from now on, so that each path can be
// compared with the reference on its own. False, changing nothing, when set is not
// supported here.
bool ForceInstructionSetForTesting(InstructionSet set);

#endif  // GLYPHRANE_CONVERT_INSTRUCTION_SET_H_
