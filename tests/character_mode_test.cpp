// Character mode: each UTF-8 character of a list is one symbol.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "automaton/open_word_list.h"
#include "lexicon/character_codes.h"
#include "lexicon/utf8.h"
#include "test_support.h"

namespace tarvo {
namespace {

struct Opened {
  WordTree tree;
  SuffixAutomaton automaton;
  OpenReport report;
};

void Open(Opened& opened, const std::string& path, bool characters) {
  opened.report = OpenWordList(path, 10000, opened.tree, opened.automaton, characters);
}

// Each state as "final words suffixes transitions", with the transitions'
// symbols passed through `rename`.
std::vector<std::string> Dump(const SuffixAutomaton& a, const std::map<std::string, std::string>& rename = {}) {
  std::vector<std::string> states;
  for (std::uint32_t s = 1; s < a.count(); ++s) {
    std::string line = std::to_string(a.IsFinalState(s)) + " " + std::to_string(a.WordCount(s)) + " " +
                       std::to_string(a.SuffixCount(s));
    for (unsigned slot = 1; slot < a.SlotCountOf(s); ++slot) {
      std::string symbol;
      a.AppendSymbol(symbol, a.LabelRow(s)[slot]);
      auto renamed = rename.find(symbol);
      line += " " + (renamed == rename.end() ? symbol : renamed->second) + std::to_string(a.TargetRow(s)[slot]);
    }
    states.push_back(line);
  }
  return states;
}

TEST(CharacterMode, AsciiListsGiveTheSameResultsInBothModes) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"dump", TARVO_SAMPLE_LIST},
                                             {"groups", TARVO_SAMPLE_LIST},
                                             {"words", TARVO_SAMPLE_LIST, "17"},
                                             {"suspicious", TARVO_SAMPLE_LIST, "17"},
                                             {"automatic", TARVO_SAMPLE_LIST, "17"}}) {
    test::CliResult bytes = test::RunCli(args);
    std::vector<std::string> with_chars = args;
    with_chars.push_back("--chars");
    test::CliResult characters = test::RunCli(with_chars);
    ASSERT_EQ(bytes.exit_code, 0) << bytes.err;
    EXPECT_EQ(characters.out, bytes.out) << args[0];
    EXPECT_EQ(characters.err, "");
  }
  test::TempDir dir;
  ASSERT_EQ(test::RunCli({"save-all", TARVO_SAMPLE_LIST, dir.PathOf("b")}).exit_code, 0);
  ASSERT_EQ(test::RunCli({"save-all", TARVO_SAMPLE_LIST, dir.PathOf("c"), "--chars"}).exit_code, 0);
  EXPECT_EQ(test::ReadFile(dir.PathOf("b")), test::ReadFile(dir.PathOf("c")));
  EXPECT_NE(test::RunCli({"stats", TARVO_SAMPLE_LIST, "--chars"}).out.find("mode: characters\n"), std::string::npos);
}

// Random lists over letters of two and three bytes. In character mode the
// automaton must be exactly the byte automaton of the same list with every
// character replaced by one byte (numbered by code point, so that ties in
// the alphabet order go the same way), and every text it writes must be
// whole characters.
TEST(CharacterMode, MatchesTheByteEngineOnOneByteStandInsAndNeverSplitsACharacter) {
  const std::vector<std::string> letters = {"a", "\xd0\xb0", "\xd0\xb1", "\xc5\x9b", "\xe2\x82\xac", "\xd1\x8f", "k"};
  std::map<std::uint32_t, std::string> by_point;
  for (const std::string& letter : letters) by_point[DecodeUtf8(letter, 0, letter.size())] = letter;
  std::map<std::string, std::string> stand_in;  // letter -> one byte, in code point order
  std::map<std::string, std::string> back;      // the reverse
  char next = 'A';
  for (const auto& [point, letter] : by_point) {
    stand_in[letter] = std::string(1, next);
    back[std::string(1, next)] = letter;
    ++next;
  }
  test::TempDir dir;
  for (std::uint32_t seed = 0; seed < 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<std::string> words, stand_in_words;
    const int count = std::uniform_int_distribution<int>(1, 60)(random);
    for (int i = 0; i < count; ++i) {
      std::string word, stand;
      const int length = std::uniform_int_distribution<int>(1, 6)(random);
      for (int k = 0; k < length; ++k) {
        const std::string& letter = letters[random() % letters.size()];
        word += letter;
        stand += stand_in[letter];
      }
      words.push_back(word);
      stand_in_words.push_back(stand);
    }
    Opened characters, bytes;
    Open(characters, dir.Write("chars.txt", test::AsLines(words)), true);
    Open(bytes, dir.Write("bytes.txt", test::AsLines(stand_in_words)), false);
    ASSERT_TRUE(characters.report.characters);
    ASSERT_EQ(Dump(characters.automaton, stand_in), Dump(bytes.automaton));

    const SuffixAutomaton& a = characters.automaton;
    for (std::uint32_t g = 1; g < a.count(); ++g) {
      std::string label;
      a.GetLabel(g, label);
      ASSERT_TRUE(IsValidUtf8(label)) << label;
      for (const std::string& stem : a.GetWords(g)) ASSERT_TRUE(IsValidUtf8(stem)) << stem;
      for (const std::string& suffix : a.GetSuffixes(g)) ASSERT_TRUE(IsValidUtf8(suffix)) << suffix;
      for (const std::string& word : a.GenerateWords(g, a.start_state())) ASSERT_TRUE(IsValidUtf8(word));
    }
  }
}

// The encoder decodes one- and two-byte characters itself and the longer
// ones through the general functions: every well-formed word must come back
// whole through the final coding, and every malformed one be refused, at
// the boundaries of each byte length and at the end of a word.
TEST(CharacterMode, CodesEveryWellFormedWordAndRefusesEveryMalformedOne) {
  const std::vector<std::string> words = {
      "a", "\x7f", "\xc2\x80", "\xdf\xbf", "k\xc3\xa4si", "\xe0\xa0\x80", "\xef\xbf\xbf", "\xe2\x82\xac\xc5\x9b",
      "\xf0\x90\x80\x80", "\xf4\x8f\xbf\xbf",
      // malformed: cut short, overlong, a lone or missing continuation byte,
      // a surrogate, past U+10FFFF, a byte that never starts a character
      "\xc3", "ab\xc3", "\xc3" "a", "\xc0\x80", "\xc1\xbf", "\x80", "a\xbf", "\xe0\x9f\xbf", "\xed\xa0\x80",
      "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xff", "\xe2\x82", "\xf0\x90\x80"};
  CharacterCodes characters;
  std::vector<std::pair<std::string, std::string>> coded;  // word, its codes
  for (const std::string& word : words) {
    std::string codes;
    const CharacterCodes::Result result = characters.Encode(word, codes);
    EXPECT_EQ(result == CharacterCodes::Result::kCoded, IsValidUtf8(word)) << testing::PrintToString(word);
    if (result == CharacterCodes::Result::kCoded) coded.emplace_back(word, codes);
  }
  SymbolTable new_code_of;
  const SymbolCoding coding = characters.FinalCoding(new_code_of);
  for (const auto& [word, codes] : coded) {
    std::string text;
    for (const char code : codes) text += coding.coded_characters()[new_code_of[static_cast<std::uint8_t>(code)]];
    EXPECT_EQ(text, word);
  }
  EXPECT_EQ(coded.size(), 10u);
}

TEST(CharacterMode, FallsBackToBytesWithAReason) {
  test::TempDir dir;
  // 300 distinct characters: more than 255 codes.
  std::string many;
  for (std::uint32_t point = 0x400; point < 0x400 + 300; ++point) {
    AppendUtf8(many, point);
    many += '\n';
  }
  Opened wide;
  Open(wide, dir.Write("wide.txt", many), true);
  EXPECT_TRUE(wide.report.ok());
  EXPECT_FALSE(wide.report.characters);
  EXPECT_NE(wide.report.byte_mode_reason.find("300 distinct characters"), std::string::npos);
  Opened as_bytes;
  Open(as_bytes, dir.PathOf("wide.txt"), false);
  EXPECT_EQ(Dump(wide.automaton), Dump(as_bytes.automaton));

  Opened latin1;
  Open(latin1, dir.Write("latin1.txt", "k\xe4si\nk\xe4" "det\n"), true);
  EXPECT_FALSE(latin1.report.characters);
  EXPECT_NE(latin1.report.byte_mode_reason.find("not valid UTF-8"), std::string::npos);
  test::CliResult cli = test::RunCli({"groups", dir.PathOf("latin1.txt"), "--chars"});
  EXPECT_EQ(cli.exit_code, 0);
  EXPECT_NE(cli.err.find("is read as bytes: 2 word(s) are not valid UTF-8"), std::string::npos);

  // A word that cannot be coded far into a long list, read in many blocks:
  // the words before it were inserted meanwhile, and are read again as bytes.
  std::mt19937 random(7);
  std::string long_list;
  const int kLongListWords = 60000;
  for (int k = 0; k < kLongListWords; ++k) {
    if (k == 50000) long_list += "k\xe4si";
    for (int length = 1 + static_cast<int>(random() % 9); length > 0; --length) {
      AppendUtf8(long_list, random() % 3 == 0 ? 0xe4 : 'a' + random() % 20);
    }
    long_list += '\n';
  }
  Opened late;
  Open(late, dir.Write("late.txt", long_list), true);
  EXPECT_FALSE(late.report.characters);
  EXPECT_EQ(late.report.stats.words, static_cast<std::uint64_t>(kLongListWords));
  EXPECT_NE(late.report.byte_mode_reason.find("1 word(s) are not valid UTF-8"), std::string::npos);
  Opened late_as_bytes;
  Open(late_as_bytes, dir.PathOf("late.txt"), false);
  EXPECT_EQ(Dump(late.automaton), Dump(late_as_bytes.automaton));

  // Exactly 255 characters still fit.
  std::string fitting;
  for (std::uint32_t point = 0x400; point < 0x400 + 255; ++point) {
    AppendUtf8(fitting, point);
    fitting += ' ';
  }
  Opened full;
  Open(full, dir.Write("full.txt", fitting), true);
  EXPECT_TRUE(full.report.characters);
  EXPECT_EQ(full.tree.coding().coded_characters().size(), 255u);
}

TEST(CharacterMode, AlphabetOrderAndLaterWords) {
  test::TempDir dir;
  // я three times, б twice, а twice: я gets code 0; а (U+0430) before б (U+0431).
  Opened opened;
  Open(opened, dir.Write("list.txt", "\xd1\x8f\xd1\x8f\xd0\xb1\n\xd1\x8f\xd0\xb0\xd0\xb0\xd0\xb1\n"), true);
  ASSERT_TRUE(opened.report.characters);
  EXPECT_EQ(opened.tree.coding().coded_characters(),
            (std::vector<std::string>{"\xd1\x8f", "\xd0\xb0", "\xd0\xb1"}));
  // Words inserted later use the same codes; an unknown character is refused.
  EXPECT_TRUE(opened.tree.Insert("\xd0\xb0\xd1\x8f"));
  EXPECT_FALSE(opened.tree.Insert("\xd0\xb2"));
  EXPECT_FALSE(opened.tree.Insert("\xd0"));
  ASSERT_EQ(opened.tree.SaveAll(dir.PathOf("saved.txt")), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("saved.txt")),
            "\xd1\x8f\xd1\x8f\xd0\xb1\n\xd1\x8f\xd0\xb0\xd0\xb0\xd0\xb1\n\xd0\xb0\xd1\x8f\n");
}

}  // namespace
}  // namespace tarvo
