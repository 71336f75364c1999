// The picture steps need GDI+ and the plug-ins beside the test program, started
// once for the whole test program as the dialog starts them once.
#include "app/decoders.h"
#include "app/program_folder.h"
#include "gtest/gtest.h"

namespace {

class DecodersEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    InitProgramFolder();
    ASSERT_TRUE(StartDecoders());
  }
  void TearDown() override { StopDecoders(); }
};

::testing::Environment* const decodersEnvironment =
    ::testing::AddGlobalTestEnvironment(new DecodersEnvironment);

}  // namespace
