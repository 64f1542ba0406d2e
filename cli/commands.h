// Running one tarvo-cli command on an opened word list.
#pragma once

#include <cstdio>

#include "cli/cli_options.h"

namespace tarvo::cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitOutOfMemory = 3;

// Opens the word list, applies --insert files, ranks, and runs the command,
// writing its records to out and any error or warning to err. Returns the
// exit code. Nothing is written to out when the command fails.
int RunCommand(const CliOptions& options, std::FILE* out, std::FILE* err);

}  // namespace tarvo::cli
