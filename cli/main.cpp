// tarvo-cli: the command-line companion of Tarvo, for scripting and for
// word lists too large to browse.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "tarvo/version.h"

int main(int argc, char** argv) {
  using namespace tarvo::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  ParseResult parsed = ParseCommandLine(args);
  if (!parsed.ok) {
    std::fprintf(stderr, "tarvo-cli: %s\nTry 'tarvo-cli --help'.\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitOk;
  }
  if (parsed.options.version) {
    std::printf("tarvo-cli %s\n", tarvo::kVersion);
    return kExitOk;
  }
  static char out_buffer[1 << 16];
  std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  int code;
  try {
    code = RunCommand(parsed.options, stdout, stderr);
  } catch (const std::bad_alloc&) {
    std::fputs("tarvo-cli: out of memory\n", stderr);
    return kExitOutOfMemory;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::perror("tarvo-cli: cannot write the output");
    return kExitFileError;
  }
  return code;
}
