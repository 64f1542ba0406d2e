// Helpers shared by the tests: temporary files, small engines built from
// word lists in memory, a plain set-based model of suffix groups, and running
// the command-line program.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "automaton/suffix_automaton.h"
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

// Words joined by line feeds, each line ending in one.
std::string AsLines(const std::vector<std::string>& words);

// A word tree and its automaton, made the way Open makes them: the alphabet
// order of the words, then every word inserted in the order given.
struct Engine {
  CWordTree tree;
  CSuffixAutomaton automaton;
};
void BuildEngine(Engine& engine, const std::vector<std::string>& words,
                 std::uint32_t buffer_size = 10000);

// The state reached from the start state by reading `text`, or 0.
std::uint32_t StateOfPrefix(const CSuffixAutomaton& automaton, const std::string& text);

// The set-based model of a word list: every prefix of a listed word (a stem)
// with the set of endings that complete it to a listed word.
class SuffixModel {
 public:
  explicit SuffixModel(const std::vector<std::string>& words);
  const std::set<std::string>& words() const { return words_; }
  const std::map<std::string, std::set<std::string>>& endings_of_stem() const { return endings_; }

 private:
  std::set<std::string> words_;
  std::map<std::string, std::set<std::string>> endings_;
};

// Random word lists over a small alphabet, so that endings are shared.
std::vector<std::string> RandomWords(std::uint32_t seed, const std::string& alphabet,
                                     int max_words, int max_length);

struct CliResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};
CliResult RunCli(const std::vector<std::string>& args);

}  // namespace tarvo::test
