#include "bench/word_list_generator.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string_view>

namespace tarvo::bench {
namespace {

// Syllable parts; "ó", "ł", "ę", "ą" and "ć" are UTF-8, so that the lists
// hold multi-byte characters as real ones do.
constexpr std::array<std::string_view, 21> kOnsets = {
    "",  "b", "d",  "g",  "k",  "l",  "m",  "n",  "p",  "r", "s",
    "t", "w", "z", "ch", "sz", "cz", "pr", "st", "kr", "dr"};
constexpr std::array<std::string_view, 7> kVowels = {"a", "e", "i", "o", "u", "y", "\xc3\xb3"};
constexpr std::array<std::string_view, 8> kCodas = {"", "", "", "n", "r", "s", "k", "\xc5\x82"};
constexpr std::array<std::string_view, 10> kStemEnds = {"k", "t",  "n",  "r",  "l",
                                                        "w", "d", "sk", "st", "rn"};

struct InflectionClass {
  unsigned weight;  // relative frequency among stems
  std::vector<std::string_view> endings;
};

// A handful of classes with overlapping endings, in the manner of a richly
// inflected language, plus two small English-like ones.
const std::vector<InflectionClass>& Classes() {
  static const std::vector<InflectionClass> classes = {
      {25, {"", "a", "u", "owi", "em", "ie", "y", "\xc3\xb3w", "om", "ami", "ach"}},
      {20, {"a", "y", "ie", "\xc4\x99", "\xc4\x85", "o", "om", "ami", "ach"}},
      {12, {"o", "a", "u", "em", "ie", "", "om", "ami", "ach"}},
      {15, {"y", "a", "e", "ego", "ej", "emu", "\xc4\x85", "ym", "ymi", "ych"}},
      {10,
       {"a\xc4\x87", "am", "asz", "a", "amy", "acie", "aj\xc4\x85", "a\xc5\x82", "a\xc5\x82" "a",
        "a\xc5\x82o", "ali", "a\xc5\x82y", "aj", "ajcie"}},
      {8,
       {"i\xc4\x87", "i\xc4\x99", "isz", "i", "imy", "icie", "i\xc4\x85", "i\xc5\x82",
        "i\xc5\x82" "a", "i\xc5\x82o", "ili", "i\xc5\x82y"}},
      {6, {"", "s", "ed", "ing", "er", "ers"}},
      {4, {"", "s"}},
  };
  return classes;
}

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {
    for (const InflectionClass& c : Classes()) total_weight_ += c.weight;
  }

  // Appends the words of one new stem.
  void AddStemWords(std::vector<std::string>& words) {
    const std::string stem = MakeStem();
    const InflectionClass& inflection = PickClass();
    std::vector<std::string_view> endings = inflection.endings;
    // Some stems lack an ending or two: the groups a main group's
    // suspicious-group search is meant to find.
    const unsigned roll = Below(100);
    const unsigned missing = roll < 4 ? 2 : roll < 10 ? 1 : 0;
    for (unsigned k = 0; k < missing && endings.size() > 1; ++k) {
      endings.erase(endings.begin() + Below(static_cast<unsigned>(endings.size())));
    }
    for (std::string_view ending : endings) {
      std::string word = stem;
      word += ending;
      words.push_back(std::move(word));
    }
  }

  unsigned Below(unsigned bound) { return static_cast<unsigned>(random_() % bound); }

 private:
  std::string MakeStem() {
    std::string stem;
    const unsigned syllables = 1 + Below(3);
    for (unsigned k = 0; k < syllables; ++k) {
      stem += kOnsets[Below(kOnsets.size())];
      stem += kVowels[Below(kVowels.size())];
      if (k + 1 < syllables) stem += kCodas[Below(kCodas.size())];
    }
    stem += kStemEnds[Below(kStemEnds.size())];
    return stem;
  }

  const InflectionClass& PickClass() {
    unsigned pick = Below(total_weight_);
    for (const InflectionClass& c : Classes()) {
      if (pick < c.weight) return c;
      pick -= c.weight;
    }
    return Classes().back();
  }

  std::mt19937_64 random_;  // its output sequence is fixed by the standard
  unsigned total_weight_ = 0;
};

void SortUnique(std::vector<std::string>& words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
}

// Drops `surplus` words picked at random, keeping the order of the rest.
void DropRandomWords(std::vector<std::string>& words, std::size_t surplus, Generator& generator) {
  std::vector<bool> dropped(words.size(), false);
  for (std::size_t done = 0; done < surplus;) {
    const std::size_t i = generator.Below(static_cast<unsigned>(words.size()));
    if (!dropped[i]) {
      dropped[i] = true;
      ++done;
    }
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (dropped[i]) continue;
    if (kept != i) words[kept] = std::move(words[i]);
    ++kept;
  }
  words.resize(kept);
}

}  // namespace

std::vector<std::string> GenerateWordList(std::size_t word_count, std::uint64_t seed) {
  Generator generator(seed);
  std::vector<std::string> words;
  // A few stems come out twice, and a stem plus ending can spell another
  // stem's word: make a little more than asked, then drop the surplus.
  const std::size_t wanted = word_count + word_count / 64 + 16;
  while (words.size() < word_count) {
    words.reserve(wanted);
    while (words.size() < wanted) generator.AddStemWords(words);
    SortUnique(words);
  }
  DropRandomWords(words, words.size() - word_count, generator);
  return words;
}

void WriteWordList(const std::string& path, const std::vector<std::string>& words) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
  }
  bool ok = true;
  for (const std::string& word : words) {
    ok = ok && std::fwrite(word.data(), 1, word.size(), file) == word.size();
    ok = ok && std::fputc('\n', file) != EOF;
  }
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace tarvo::bench
