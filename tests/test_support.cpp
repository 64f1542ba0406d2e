#include "test_support.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "automaton/build_automaton.h"
#include "lexicon/alphabet_order.h"

namespace tarvo::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
  std::string path = PathOf(name);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> FileNamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

std::string AsLines(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + "\n";
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void BuildEngine(Engine& engine, const std::vector<std::string>& words, std::uint32_t buffer_size) {
  std::array<std::uint64_t, 256> occurrences{};
  for (const std::string& word : words) {
    for (unsigned char c : word) ++occurrences[c];
  }
  engine.tree.Reset();
  engine.tree.Configure(AlphabetOrder::OrderFromCounts(occurrences), buffer_size);
  for (const std::string& word : words) engine.tree.Insert(word);
  BuildAutomaton(engine.tree, engine.automaton);
}

std::vector<std::string> RandomWords(std::uint32_t seed, const std::string& alphabet,
                                     int max_words, int max_length) {
  std::mt19937 random(seed);
  std::vector<std::string> words(std::uniform_int_distribution<int>(0, max_words)(random));
  for (std::string& word : words) {
    int length = std::uniform_int_distribution<int>(1, max_length)(random);
    for (int i = 0; i < length; ++i) {
      word += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    }
  }
  return words;
}

CliResult RunCli(const std::vector<std::string>& args, const CliRun& how) {
  TempDir dir;
  const std::string out_path = how.stdout_path.empty() ? dir.PathOf("out") : how.stdout_path;
  const std::string err_path = dir.PathOf("err");
  int input[2] = {-1, -1};
  if (how.stdin_data && ::pipe(input) != 0) return {};
  pid_t child = ::fork();
  if (child == 0) {
    if (how.stdin_data && (::dup2(input[0], 0) < 0 || ::close(input[0]) != 0 || ::close(input[1]) != 0)) {
      ::_exit(kChildSetupFailed);
    }
    int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(kChildSetupFailed);
    auto limit = [](int resource, std::uint64_t bytes) {
      const struct rlimit value = {bytes, bytes};
      return bytes == 0 || ::setrlimit(resource, &value) == 0;
    };
    if (!limit(RLIMIT_AS, how.address_space_limit) || !limit(RLIMIT_FSIZE, how.file_size_limit)) {
      ::_exit(kChildSetupFailed);
    }
    // Past the size limit a write then fails with EFBIG instead of the
    // signal ending the program.
    if (how.file_size_limit != 0) ::signal(SIGXFSZ, SIG_IGN);
    if (how.as_nobody && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(kChildSetupFailed);
    }
    std::vector<char*> argv{const_cast<char*>(TARVO_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(TARVO_CLI_PATH, argv.data());
    ::_exit(kChildExecFailed);
  }
  if (how.stdin_data) {
    // The child may stop reading early: its end of the pipe closing must
    // not end the test with SIGPIPE.
    ::close(input[0]);
    void (*previous)(int) = ::signal(SIGPIPE, SIG_IGN);
    std::size_t done = 0;
    while (done < how.stdin_data->size()) {
      const ssize_t wrote = ::write(input[1], how.stdin_data->data() + done, how.stdin_data->size() - done);
      if (wrote <= 0 && errno != EINTR) break;
      if (wrote > 0) done += static_cast<std::size_t>(wrote);
    }
    ::close(input[1]);
    ::signal(SIGPIPE, previous);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  CliResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (how.stdout_path.empty()) result.out = ReadFile(out_path);
  result.err = ReadFile(err_path);
  return result;
}

}  // namespace tarvo::test
