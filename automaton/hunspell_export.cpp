#include "automaton/hunspell_export.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_set>

#include "automaton/hunspell_case_twins.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/utf8.h"
#include "lexicon/word_file_writer.h"

namespace tarvo {
namespace {

// The characters the list is made of, and whether they are all UTF-8.
struct Alphabet {
  bool utf8 = true;
  std::set<std::string> characters;
};

// True when more bytes can make `bytes` a well-formed character.
bool BeginsCharacter(const std::string& bytes) {
  if (bytes.size() >= 4) return false;
  // Second bytes differ in range by lead byte (E0, ED, F0, F4); one of these
  // fillers fits each.
  for (const char* filler : {"\x80\x80\x80", "\x90\x90\x90", "\xa0\xa0\xa0"}) {
    if (Utf8SequenceLength(bytes + filler, 0) > bytes.size()) return true;
  }
  return false;
}

// Up to three bytes of a character begun, with their count in the top byte.
class BegunCharacter {
 public:
  BegunCharacter() = default;
  explicit BegunCharacter(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) packed_ |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    packed_ |= static_cast<std::uint32_t>(bytes.size()) << 24;
  }
  std::uint32_t packed() const { return packed_; }
  std::string Bytes() const {
    std::string bytes;
    for (std::uint32_t i = 0; i < (packed_ >> 24); ++i) bytes += static_cast<char>(packed_ >> (8 * i));
    return bytes;
  }

 private:
  std::uint32_t packed_ = 0;
};

// Walks the automaton by (state, character begun) and gathers the
// characters of every word, stopping at the first word that is not
// well-formed UTF-8.
bool GatherUtf8Characters(const SuffixAutomaton& automaton, Alphabet& alphabet) {
  std::unordered_set<std::uint64_t> seen;
  std::vector<std::pair<std::uint32_t, BegunCharacter>> pending = {{automaton.start_state(), {}}};
  std::array<bool, 128> ascii{};
  while (!pending.empty()) {
    const auto [state, begun] = pending.back();
    pending.pop_back();
    if (!seen.insert((std::uint64_t{begun.packed()} << 32) | state).second) continue;
    if (begun.packed() != 0 && automaton.IsFinalState(state)) return false;  // a word ends inside a character
    const std::uint8_t* labels = automaton.LabelRow(state);
    const std::uint32_t* targets = automaton.TargetRow(state);
    for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
      std::string bytes;
      automaton.AppendSymbol(bytes, labels[slot]);
      const unsigned char byte = static_cast<unsigned char>(bytes[0]);
      if (begun.packed() == 0 && byte < 0x80) {
        ascii[byte] = true;
        pending.emplace_back(targets[slot], BegunCharacter());
        continue;
      }
      bytes = begun.Bytes() + bytes;
      const std::size_t length = Utf8SequenceLength(bytes, 0);
      if (length == bytes.size()) {
        alphabet.characters.insert(bytes);
        pending.emplace_back(targets[slot], BegunCharacter());
      } else if (length == 0 && BeginsCharacter(bytes)) {
        pending.emplace_back(targets[slot], BegunCharacter(bytes));
      } else {
        return false;
      }
    }
  }
  for (unsigned byte = 0; byte < ascii.size(); ++byte) {
    if (ascii[byte]) alphabet.characters.insert(std::string(1, static_cast<char>(byte)));
  }
  return true;
}

Alphabet ReadAlphabet(const SuffixAutomaton& automaton) {
  Alphabet alphabet;
  const SymbolCoding& coding = automaton.coding();
  if (coding.characters()) {
    alphabet.characters.insert(coding.coded_characters().begin(), coding.coded_characters().end());
    return alphabet;
  }
  if (GatherUtf8Characters(automaton, alphabet)) return alphabet;
  alphabet = {false, {}};
  for (std::uint32_t state = 1; state < automaton.count(); ++state) {
    const std::uint8_t* labels = automaton.LabelRow(state);
    for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
      std::string byte;
      automaton.AppendSymbol(byte, labels[slot]);
      alphabet.characters.insert(byte);
    }
  }
  return alphabet;
}

// Appends every ending of `state` (the empty one too) to `path` into `output`.
void CollectEndings(const SuffixAutomaton& automaton, std::uint32_t state, std::string& path,
                    std::vector<std::string>& output) {
  if (automaton.IsFinalState(state)) output.push_back(path);
  const std::uint8_t* labels = automaton.LabelRow(state);
  const std::uint32_t* targets = automaton.TargetRow(state);
  for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
    path.push_back(static_cast<char>(labels[slot]));
    CollectEndings(automaton, targets[slot], path, output);
    path.pop_back();
  }
}

std::uint32_t Follow(const SuffixAutomaton& automaton, std::uint32_t state, int code) {
  const std::uint8_t* labels = automaton.LabelRow(state);
  for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
    if (labels[slot] == code) return automaton.TargetRow(state)[slot];
  }
  return 0;
}

// The words whose written form ends in two dots.
std::vector<std::string> WordsEndingInTwoDots(const SuffixAutomaton& automaton, AffixKind kind) {
  std::vector<std::string> words;
  int dot = -1;
  for (int code = 0; code < 256 && dot < 0; ++code) {
    std::string text;
    automaton.AppendSymbol(text, static_cast<std::uint8_t>(code));
    if (text == ".") dot = code;
  }
  if (dot < 0) return words;
  if (kind == AffixKind::kPrefix) {
    // Read backwards, such words begin with the two dots.
    const std::uint32_t after_dot = Follow(automaton, automaton.start_state(), dot);
    const std::uint32_t after_dots = after_dot == 0 ? 0 : Follow(automaton, after_dot, dot);
    if (after_dots == 0) return words;
    std::string path(2, static_cast<char>(dot));
    std::vector<std::string> codes;
    CollectEndings(automaton, after_dots, path, codes);
    for (const std::string& word : codes) words.push_back(automaton.coding().TextOf(word));
    return words;
  }
  for (std::uint32_t state = 1; state < automaton.count(); ++state) {
    const std::uint32_t one_dot = Follow(automaton, state, dot);
    const std::uint32_t two_dots = one_dot == 0 ? 0 : Follow(automaton, one_dot, dot);
    if (two_dots == 0 || !automaton.IsFinalState(two_dots)) continue;
    for (std::string& stem : automaton.GetWords(state)) words.push_back(stem + "..");
  }
  return words;
}

std::string FlagText(std::uint32_t flag) { return std::to_string(flag); }

// A .dic line's word: '/' would start the flags, so it is written "\/".
std::string EscapeSlashes(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (c == '/') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void WriteAffixFile(WordFileWriter& aff, const HunspellCover& cover, const Alphabet& alphabet, AffixKind kind,
                    const SymbolCoding& coding) {
  aff.WriteLine(alphabet.utf8 ? "SET UTF-8" : "SET ISO8859-1");
  aff.WriteLine("FLAG num");
  std::string word_characters;
  for (const std::string& character : alphabet.characters) {
    const bool ascii_letter = character.size() == 1 && ((character[0] >= 'a' && character[0] <= 'z') ||
                                                        (character[0] >= 'A' && character[0] <= 'Z'));
    if (!ascii_letter) word_characters += character;
  }
  if (!word_characters.empty()) aff.WriteLine("WORDCHARS " + word_characters);
  aff.WriteLine("BREAK 0");
  aff.WriteLine("NEEDAFFIX " + FlagText(cover.need_affix_flag));
  const std::string affix_kind = kind == AffixKind::kSuffix ? "SFX " : "PFX ";
  for (const HunspellCover::AffixClass& affix_class : cover.classes) {
    const std::string head = affix_kind + FlagText(affix_class.flag);
    aff.WriteLine(head + " N " + std::to_string(affix_class.affixes.size()));
    for (const std::string& affix : affix_class.affixes) aff.WriteLine(head + " 0 " + coding.TextOf(affix) + " .");
  }
}

void WriteDictionaryFile(WordFileWriter& dic, const HunspellCover& cover, const SymbolCoding& coding) {
  dic.WriteLine(std::to_string(cover.stems.size()));
  const std::string need_affix = "," + FlagText(cover.need_affix_flag);
  std::string line;
  for (const HunspellCover::Stem& stem : cover.stems) {
    line = EscapeSlashes(coding.TextOf(stem.codes));
    char separator = '/';
    for (std::uint32_t affix_class : stem.affix_classes) {
      line += separator;
      line += FlagText(cover.classes[affix_class].flag);
      separator = ',';
    }
    if (stem.needs_affix) line += need_affix;
    dic.WriteLine(line);
  }
}

}  // namespace

std::error_code ExportHunspell(const SuffixAutomaton& automaton, const std::string& out_base,
                               HunspellExportResult& result) {
  const AffixKind kind = automaton.coding().backwards() ? AffixKind::kPrefix : AffixKind::kSuffix;
  const Alphabet alphabet = ReadAlphabet(automaton);
  const bool utf8_bytes = alphabet.utf8 && !automaton.coding().characters();
  HunspellCover cover = ChooseHunspellCover(automaton, kind, utf8_bytes);
  SettleCaseTwins(automaton, kind, alphabet.utf8, cover);

  WordFileWriter aff;
  WordFileWriter dic;
  if (std::error_code error = aff.OpenForReplace(out_base + ".aff")) return error;
  if (std::error_code error = dic.OpenForReplace(out_base + ".dic")) return error;
  WriteAffixFile(aff, cover, alphabet, kind, automaton.coding());
  WriteDictionaryFile(dic, cover, automaton.coding());
  if (std::error_code error = aff.Commit()) return error;
  if (std::error_code error = dic.Commit()) return error;

  result.utf8 = alphabet.utf8;
  result.classes = static_cast<std::uint32_t>(cover.classes.size());
  result.stems = cover.stems.size();
  result.unrepresentable = WordsEndingInTwoDots(automaton, kind);
  return {};
}

}  // namespace tarvo
