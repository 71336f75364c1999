#include "tests/support/program_folder.h"

#include "tests/support/program_paths.h"
#include "tests/support/sample_definitions.h"

ProgramFolder::ProgramFolder(const std::string& suffix, const char* netpbmPlugin,
                             const std::vector<std::string>& definitionNames)
    : TestFolder(suffix) {
  CopyIn(BuildOutputPath(netpbmPlugin), "netpbm.spi");
  for (const std::string& name : definitionNames) Write("data\\" + name, SampleDefinitions());
}
