// Pseudo-word lists for the benchmarks.
//
// Stems are made of random syllables; each stem takes the endings of one of
// a few inflection classes, now and then with one or two endings missing, so
// that the automaton has real suffix groups, main groups and groups that
// lack a few of a main group's endings. The same seed and size always give
// the same list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvo::bench {

// Exactly `word_count` distinct words, sorted bytewise like a dictionary file.
std::vector<std::string> GenerateWordList(std::size_t word_count, std::uint64_t seed);

// Writes the words one per line; throws std::runtime_error when it cannot.
void WriteWordList(const std::string& path, const std::vector<std::string>& words);

}  // namespace tarvo::bench
