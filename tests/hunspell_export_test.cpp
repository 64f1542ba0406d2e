// The Hunspell export read back by an expander of our own: every class
// applied to every stem that carries its flag, plus each stem that may stand
// alone, must give the list's words, each exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "automaton/hunspell_case_twins.h"
#include "automaton/hunspell_export.h"
#include "automaton/open_word_list.h"
#include "lexicon/utf8.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::Lines;

using test::TempDir;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream stream(line);
  for (std::string field; stream >> field;) fields.push_back(field);
  return fields;
}

// The two files as Hunspell reads them.
struct Dictionary {
  std::string encoding;
  std::string word_characters;
  std::uint32_t need_affix = 0;
  std::string affix_kind;  // "SFX" or "PFX", the same for every class
  std::map<std::uint32_t, std::vector<std::string>> classes;
  std::vector<std::string> words;  // the expansion, sorted
  std::vector<std::string> texts;  // every stem and affix as written
};

Dictionary ReadDictionary(const std::string& base) {
  Dictionary dictionary;
  for (const std::string& line : Lines(test::ReadFile(base + ".aff"))) {
    const std::vector<std::string> fields = Fields(line);
    if (fields[0] == "SET") dictionary.encoding = fields.at(1);
    if (fields[0] == "WORDCHARS") dictionary.word_characters = fields.at(1);
    if (fields[0] == "NEEDAFFIX") dictionary.need_affix = static_cast<std::uint32_t>(std::stoul(fields.at(1)));
    if ((fields[0] == "SFX" || fields[0] == "PFX") && fields.size() == 5) {
      if (dictionary.affix_kind.empty()) dictionary.affix_kind = fields[0];
      EXPECT_EQ(fields[0], dictionary.affix_kind);
      EXPECT_EQ(fields[2], "0");
      EXPECT_EQ(fields[4], ".");
      EXPECT_NE(fields[3], "0");
      EXPECT_EQ(fields[3].find('/'), std::string::npos);
      dictionary.classes[static_cast<std::uint32_t>(std::stoul(fields[1]))].push_back(fields[3]);
      dictionary.texts.push_back(fields[3]);
    }
  }
  const std::vector<std::string> lines = Lines(test::ReadFile(base + ".dic"));
  EXPECT_EQ(std::stoul(lines.at(0)), lines.size() - 1);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    // Hunspell's reading: a '/' after a backslash is part of the word (the
    // backslash goes), a '/' at the start too; the first other one starts
    // the flags.
    std::string word = lines[i];
    std::string flags;
    for (std::size_t slash = word.find('/'); slash != std::string::npos; slash = word.find('/', slash + 1)) {
      if (slash == 0) continue;
      if (word[slash - 1] == '\\') {
        word.erase(slash - 1, 1);
        --slash;
        continue;
      }
      flags = word.substr(slash + 1);
      word.resize(slash);
      break;
    }
    EXPECT_FALSE(word.empty());
    dictionary.texts.push_back(word);
    bool alone = true;
    std::istringstream flag_list(flags);
    for (std::string flag; std::getline(flag_list, flag, ',');) {
      const std::uint32_t number = static_cast<std::uint32_t>(std::stoul(flag));
      EXPECT_LE(number, kMaxHunspellFlags);
      if (number == dictionary.need_affix) {
        alone = false;
        continue;
      }
      if (dictionary.classes.count(number) == 0) {
        ADD_FAILURE() << "undefined flag " << number;
        continue;
      }
      for (const std::string& affix : dictionary.classes[number]) {
        dictionary.words.push_back(dictionary.affix_kind == "PFX" ? affix + word : word + affix);
      }
    }
    if (alone) dictionary.words.push_back(word);
  }
  std::sort(dictionary.words.begin(), dictionary.words.end());
  return dictionary;
}

struct Exported {
  Dictionary dictionary;
  HunspellExportResult result;
  std::uint64_t file_bytes = 0;
};

Exported Export(const std::vector<std::string>& words, bool characters,
                ReadingDirection direction = ReadingDirection::kForwards) {
  TempDir folder;
  WordTree tree;
  SuffixAutomaton automaton;
  const OpenReport report =
      OpenWordList(folder.Write("list", test::AsLines(words)), 1000, tree, automaton, characters, direction);
  EXPECT_TRUE(report.ok());
  EXPECT_EQ(report.characters, characters);
  Exported exported;
  const std::string base = folder.PathOf("out");
  EXPECT_FALSE(ExportHunspell(automaton, base, exported.result));
  exported.dictionary = ReadDictionary(base);
  exported.file_bytes = test::ReadFile(base + ".aff").size() + test::ReadFile(base + ".dic").size();
  return exported;
}

std::vector<std::string> SortedDistinct(std::vector<std::string> words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

// What the random words' letters a to e stand for in the UTF-8 lists.
const char* const kLetters[] = {"a", "\xc3\xa9", "\xc3\x9f", "\xd0\xb6", "\xe2\x80\x99"};

TEST(HunspellExport, ExpandsToExactlyTheListInEveryMode) {
  int prefix_classes_seen = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const std::vector<std::string> ascii = test::RandomWords(seed, "abcs", 300, 7);
    const Exported bytes = Export(ascii, false);
    EXPECT_EQ(bytes.dictionary.words, SortedDistinct(ascii)) << "seed " << seed;
    EXPECT_EQ(Export(ascii, false, ReadingDirection::kBackwards).dictionary.words, SortedDistinct(ascii))
        << "seed " << seed;
    EXPECT_EQ(bytes.dictionary.encoding, "UTF-8");

    // Two-byte and three-byte characters: as characters, and as bytes, where
    // no stem or affix may split one.
    std::vector<std::string> utf8;
    for (const std::string& word : test::RandomWords(seed, "abcde", 300, 8)) {
      std::string& letters = utf8.emplace_back();
      for (char c : word) letters += kLetters[c - 'a'];
    }
    for (bool characters : {true, false}) {
      const Exported exported = Export(utf8, characters);
      EXPECT_EQ(exported.dictionary.words, SortedDistinct(utf8)) << "seed " << seed << " characters " << characters;
      // Prefix mode: prefix classes, stems and prefixes written forwards.
      const Exported prefixes = Export(utf8, characters, ReadingDirection::kBackwards);
      EXPECT_EQ(prefixes.dictionary.words, SortedDistinct(utf8)) << "seed " << seed << " characters " << characters;
      EXPECT_NE(prefixes.dictionary.affix_kind, "SFX");
      prefix_classes_seen += prefixes.dictionary.affix_kind == "PFX" ? 1 : 0;
      for (const std::string& text : prefixes.dictionary.texts) EXPECT_TRUE(IsValidUtf8(text)) << text;
      EXPECT_EQ(exported.dictionary.encoding, "UTF-8");
      for (const std::string& text : exported.dictionary.texts) EXPECT_TRUE(IsValidUtf8(text)) << text;
      const bool apostrophes = std::any_of(utf8.begin(), utf8.end(), [](const std::string& word) {
        return word.find(kLetters[4]) != std::string::npos;
      });
      EXPECT_EQ(exported.dictionary.word_characters.find(kLetters[4]) != std::string::npos, apostrophes);
    }
  }
  EXPECT_GT(prefix_classes_seen, 0);
}

TEST(HunspellExport, EightBitListsAndWordsHunspellWouldMisread) {
  const std::vector<std::string> words = {
      "caf\xe9", "caf\xe9s", "na\xefve", "file", "file0", "file1", "files", "a/b", "a/bs", "a/bed",
      "x\\",     "x\\s",     "x\\ed",    "/x",   "/xs",   "etc.",  "etc..", "...", "0",    "00"};
  const Exported exported = Export(words, false);
  EXPECT_EQ(exported.dictionary.words, SortedDistinct(words));
  EXPECT_EQ(exported.dictionary.encoding, "ISO8859-1");
  for (const char* character : {"\xe9", ".", "/", "\\", "0"}) {
    EXPECT_NE(exported.dictionary.word_characters.find(character), std::string::npos) << character;
  }
  EXPECT_EQ(exported.dictionary.word_characters.find('a'), std::string::npos);
  EXPECT_FALSE(exported.result.utf8);
  std::vector<std::string> unrepresentable = exported.result.unrepresentable;
  std::sort(unrepresentable.begin(), unrepresentable.end());
  EXPECT_EQ(unrepresentable, (std::vector<std::string>{"...", "etc.."}));

  // Read backwards: prefix classes, and the same words Hunspell cannot accept.
  const Exported backwards = Export(words, false, ReadingDirection::kBackwards);
  EXPECT_EQ(backwards.dictionary.words, SortedDistinct(words));
  unrepresentable = backwards.result.unrepresentable;
  std::sort(unrepresentable.begin(), unrepresentable.end());
  EXPECT_EQ(unrepresentable, (std::vector<std::string>{"...", "etc.."}));
  // Dots, but no word that ends in one.
  const Exported inner_dots = Export({"a.b", "a.bs", "xa.b", "x.b"}, false, ReadingDirection::kBackwards);
  EXPECT_EQ(inner_dots.dictionary.words, SortedDistinct({"a.b", "a.bs", "xa.b", "x.b"}));
  EXPECT_TRUE(inner_dots.result.unrepresentable.empty());
}

TEST(HunspellExport, SharedEndingsMakeOneClassAndASmallerDictionary) {
  std::vector<std::string> words;
  std::uint64_t list_bytes = 0;
  std::vector<std::string> stems;
  for (char first : std::string("bcdfg")) {
    for (char second : std::string("lmnpr")) {
      for (char third : std::string("aeiu")) stems.push_back({first, second, third});
    }
  }
  for (const std::string& stem : stems) {
    for (const char* ending : {"", "ed", "ing", "s", "er", "ers"}) {
      words.push_back(stem + "o" + ending);
      list_bytes += words.back().size() + 1;
    }
    words.push_back(stem + "ation");  // a stem that is no word itself
    words.push_back(stem + "ations");
  }
  const Exported exported = Export(words, false);
  EXPECT_EQ(exported.dictionary.words, SortedDistinct(words));
  EXPECT_LT(exported.file_bytes * 4, list_bytes);
  EXPECT_LE(exported.result.classes, 3u);
  EXPECT_TRUE(exported.result.unrepresentable.empty());
}

// Hunspell gives the flagged stem "OK'" a hidden twin "Ok'" with its flags,
// which matches "Ok's" before the stem "Ok" can, and then rejects the word
// as one that must be typed in capitals (seen on american-english-insane).
TEST(HunspellExport, StemsWhoseCaseTwinWouldHideAListedWordArePlain) {
  TempDir folder;
  WordTree tree;
  SuffixAutomaton automaton;
  const std::vector<std::string> words = {"OK'd", "OK'ing", "OK's", "Ok", "Ok's", "NASA", "NASA's", "ADA'd"};
  ASSERT_TRUE(OpenWordList(folder.Write("list", test::AsLines(words)), 1000, tree, automaton).ok());
  const auto codes = [&](const std::string& text) {
    std::string coded;
    EXPECT_TRUE(automaton.coding().Encode(text, coded));
    return coded;
  };
  HunspellCover cover;
  for (const char* affix : {"s", "d", "ing", "'s"}) cover.classes.push_back({0, {codes(affix)}});
  cover.stems = {{codes("OK'"), {0, 1, 2}, true}, {codes("Ok"), {3}, false}, {codes("NASA"), {3}, false},
                 {codes("ADA'"), {1}, true}};
  SettleCaseTwins(automaton, AffixKind::kSuffix, true, cover);
  std::map<std::string, std::size_t> classes_of;
  for (const HunspellCover::Stem& stem : cover.stems) {
    classes_of[automaton.coding().TextOf(stem.codes)] = stem.affix_classes.size();
  }
  // "OK'" gives way to its words; "NASA" and "ADA'" have twins that make no
  // listed word ("Nasa's", "Ada'd"), and "Ok" is in Title case already.
  const std::map<std::string, std::size_t> expected = {{"OK'd", 0}, {"OK'ing", 0}, {"OK's", 0}, {"Ok", 1},
                                                       {"NASA", 1}, {"ADA'", 1}};
  EXPECT_EQ(classes_of, expected);
}

}  // namespace
}  // namespace tarvo
