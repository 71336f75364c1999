// The console converter: runs the Convert command for scripts and batch use.
// Exit status 0 on success (--help included), 1 when the conversion (or what it
// needs) fails, with the dialog's own message on standard error, 2 for a usage
// fault.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "app/cli/cli_arguments.h"
#include "app/cli/text_preview.h"
#include "app/decoders.h"
#include "app/program_folder.h"
#include "command/definition_catalog.h"
#include "command/messages.h"
#include "command/program_state.h"
#include "command/run_conversion.h"
#include "convert/conversion_state.h"
#include "convert/tile_matching.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The row end of the list matches the row end of the text art.
constexpr char kLineEnd[] = "\r\n";

int Fail(const char* message) {
  // Standard error stays in text mode: the newline is the platform's own.
  std::fprintf(stderr, "%s\n", message);
  return kExitFailure;
}

int32_t FindDisplayName(const DefinitionCatalog& catalog, const char* name) {
  for (uint32_t i = 0; i < catalog.count; ++i) {
    if (std::strcmp(catalog.entries[i].displayName, name) == 0) return static_cast<int32_t>(i);
  }
  return -1;
}

bool WriteOutput(const char* bytes, size_t size) {
  return std::fwrite(bytes, 1, size, stdout) == size;
}

bool FinishOutput() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

int ListDefinitions() {
  if (!BuildDefinitionCatalog(programFolder, definitionCatalog)) return Fail(kMessageCatalogFailed);
  for (uint32_t i = 0; i < definitionCatalog.count; ++i) {
    const char* name = definitionCatalog.entries[i].displayName;
    if (!WriteOutput(name, std::strlen(name)) || !WriteOutput(kLineEnd, 2)) {
      return Fail(kMessageWriteFailed);
    }
  }
  return FinishOutput() ? kExitSuccess : Fail(kMessageWriteFailed);
}

// --definition-file names the file itself; otherwise the catalogue entry at
// selection is read from the data folder.
ConversionResult RunChosenConversion(const CliOptions& options, int32_t selection) {
  if (options.definitionFile != nullptr) {
    return RunConversionWithDefinitionFile(options.definitionFile, options.blockWidth,
                                           options.blockHeight, options.picturePath);
  }
  return RunConversion(programFolder, definitionCatalog, selection, options.blockWidth,
                       options.blockHeight, options.picturePath);
}

int Convert(const CliOptions& options) {
  int32_t selection = -1;
  if (options.definitionFile == nullptr) {
    if (!BuildDefinitionCatalog(programFolder, definitionCatalog)) return Fail(kMessageCatalogFailed);
    if (definitionCatalog.count == 0) return Fail(kMessageNoDefinitions);
    // A name that no entry carries is a missing choice, as in the dialog.
    selection = options.definitionName != nullptr
                    ? FindDisplayName(definitionCatalog, options.definitionName)
                    : 0;
  }

  if (!StartDecoders()) return Fail(kMessageDecodersFailed);
  const ConversionResult result = RunChosenConversion(options, selection);
  if (!result.ok) {
    StopDecoders();
    return Fail(result.failure.message);
  }

  // The whole text as laid out: a glyph whose character is NUL must not cut it short.
  const int32_t blockWidth = static_cast<int32_t>(options.blockWidth);
  const int32_t blockHeight = static_cast<int32_t>(options.blockHeight);
  const size_t length =
      ArtTextLength(conversionState.width, conversionState.height, blockWidth, blockHeight);
  const bool written = WriteOutput(conversionState.ArtText, length) && FinishOutput();
  // The preview is written with GDI+'s encoder, so the decoders stop after it.
  const char* previewFailure = nullptr;
  if (written && (options.renderPath != nullptr || options.score)) {
    PreviewRequest request;
    request.renderPath = options.renderPath;
    request.score = options.score;
    previewFailure = WritePreview(request, definitionTable, result.recordCount, blockWidth,
                                  blockHeight, conversionState, length);
  }
  StopDecoders();
  ReleaseConversion(conversionState);
  if (!written) return Fail(kMessageWriteFailed);
  return previewFailure == nullptr ? kExitSuccess : Fail(previewFailure);
}

}  // namespace

int main(int argc, char** argv) {
  CliOptions options;
  if (!ParseCliArguments(argc, argv, options)) {
    std::fputs(kCliUsage, stderr);
    return kExitUsage;
  }
  if (options.command == CliCommand::kHelp) {
    // Asked for, the usage is the output, not a fault.
    return std::fputs(kCliUsage, stdout) >= 0 && FinishOutput() ? kExitSuccess
                                                                : Fail(kMessageWriteFailed);
  }
  // The text goes out byte for byte: no CR added before its LFs.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  InitProgramFolder();
  return options.command == CliCommand::kList ? ListDefinitions() : Convert(options);
}
