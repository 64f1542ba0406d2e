// Helpers shared by the tests: temporary files, small engines built from
// word lists in memory, and running the command-line program. The set-based
// model of suffix groups is in engine_checks.h.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "automaton/suffix_automaton.h"
#include "engine_checks.h"
#include "lexicon/word_tree.h"

namespace tarvo::test {

// A temporary folder, removed with everything in it when destroyed.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  // Writes a file in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& content) const;
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);

// The names of the entries of a folder.
std::set<std::string> FileNamesIn(const std::string& folder);

// Words joined by line feeds, each line ending in one.
std::string AsLines(const std::vector<std::string>& words);
// The lines of a text, without their line feeds.
std::vector<std::string> Lines(const std::string& text);

// A word tree and its automaton, made the way Open makes them: the alphabet
// order of the words, then every word inserted in the order given.
struct Engine {
  WordTree tree;
  SuffixAutomaton automaton;
};
void BuildEngine(Engine& engine, const std::vector<std::string>& words,
                 std::uint32_t buffer_size = 10000);

// Random word lists over a small alphabet, so that endings are shared.
std::vector<std::string> RandomWords(std::uint32_t seed, const std::string& alphabet,
                                     int max_words, int max_length);

struct CliResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// How RunCli starts the program. The limits and the change of user are
// applied in the child just before it executes the program.
struct CliRun {
  std::uint64_t address_space_limit = 0;  // RLIMIT_AS in bytes, 0 for none
  std::uint64_t file_size_limit = 0;      // RLIMIT_FSIZE in bytes, 0 for none (SIGXFSZ ignored)
  bool as_nobody = false;                 // run as user and group 65534 (needs root)
  std::string stdout_path;                // send stdout there instead of capturing it
  std::optional<std::string> stdin_data;  // fed through a pipe; stdin is inherited otherwise
};
// Exit codes of the child when it could not be set up as asked, or when the
// program could not be executed.
inline constexpr int kChildSetupFailed = 125;
inline constexpr int kChildExecFailed = 127;

CliResult RunCli(const std::vector<std::string>& args, const CliRun& how = {});

// True in a build with AddressSanitizer, which reserves terabytes of address
// space up front and so cannot run under an address-space limit.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

}  // namespace tarvo::test
