#include "automaton/hunspell_cover.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>
#include <unordered_map>

#include "automaton/suffix_automaton.h"

namespace tarvo {
namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();
// Rounds of the class choice; the used classes settle within a few.
constexpr int kMaxRounds = 8;

unsigned DigitCount(std::uint32_t number) {
  unsigned digits = 1;
  for (; number >= 10; number /= 10) ++digits;
  return digits;
}

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xc0) == 0x80; }

// What the stem path so far means for Hunspell's rules.
enum PathFlag : std::uint8_t {
  kWrittenEndsInBackslash = 1,  // "\/" before the flags would read as a '/'
  kSplitsCharacter = 2,         // prefix orientation: the cut would fall inside a character
};

// Facts about the automaton's states and classes that every round uses.
struct ClassTable {
  static constexpr std::uint32_t kNone = HunspellCover::kNoClass;

  std::vector<std::uint32_t> class_of;     // per state: its class, or kNone
  std::vector<bool> cuttable;              // per state: a stem may end there
  std::vector<std::uint32_t> representative;  // per class: a state with its affixes
  std::vector<std::uint32_t> affix_count;     // per class
  std::vector<double> affix_bytes;            // per class: total length of its affixes
  std::vector<double> stems_bound;            // per class: stems reaching its states

  // Bytes of the class's block in the .aff file with flags of `flag_digits`.
  double AffixFileCost(std::uint32_t affix_class, unsigned flag_digits) const {
    const unsigned count = affix_count[affix_class];
    return 8.0 + flag_digits + DigitCount(count) + count * (10.0 + flag_digits) + affix_bytes[affix_class];
  }
};

class CoverChooser {
 public:
  CoverChooser(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes);
  HunspellCover Choose();

 private:
  struct Choice {
    double cost = 0;
    bool use_class = false;
  };
  // The outcome of one round.
  struct Round {
    std::vector<HunspellCover::Stem> stems;
    std::vector<std::uint64_t> uses;  // per class
    std::uint64_t need_affix_uses = 0;
    std::vector<std::uint32_t> flag_order;  // used classes, most used first
    double total_bytes = 0;
  };

  void BuildClassTable();
  std::uint8_t NextFlags(std::uint8_t flags, std::uint8_t code, unsigned depth) const;
  const Choice& Cost(std::uint32_t state, unsigned length, std::uint8_t flags);
  double ClassLineCost(std::uint32_t state, unsigned length) const;
  void Emit(std::uint32_t state, unsigned length, std::uint8_t flags, std::string& path, Round& round);
  Round RunRound();
  void CollectAffixes(std::uint32_t state, std::string& path, std::vector<std::string>& output) const;

  const SuffixAutomaton& automaton_;
  AffixKind kind_;
  bool utf8_bytes_;
  ClassTable table_;
  std::array<std::string, 256> symbol_text_;
  // This round's price per use of each class (kNever: not offered).
  std::vector<double> charge_;
  std::vector<unsigned> flag_digits_;
  unsigned need_affix_digits_ = 1;
  std::unordered_map<std::uint64_t, Choice> memo_;
};

CoverChooser::CoverChooser(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes)
    : automaton_(automaton), kind_(kind), utf8_bytes_(utf8_bytes) {
  for (unsigned code = 0; code < 256; ++code) automaton.AppendSymbol(symbol_text_[code], static_cast<std::uint8_t>(code));
  BuildClassTable();
}

// Gives every state with non-empty endings that Hunspell reads back intact
// its class: states whose transitions are equal have equal non-empty endings.
void CoverChooser::BuildClassTable() {
  const std::uint32_t count = automaton_.count();
  table_.class_of.assign(count, ClassTable::kNone);
  table_.cuttable.assign(count, true);
  std::vector<bool> holds_slash(count, false);
  std::vector<double> ending_bytes(count, 0);  // total length of all endings
  std::unordered_map<std::string, std::uint32_t> class_by_rows;
  std::string key;
  // Targets have smaller numbers, so ascending order sees them first.
  for (std::uint32_t state = 1; state < count; ++state) {
    const std::uint8_t* labels = automaton_.LabelRow(state);
    const std::uint32_t* targets = automaton_.TargetRow(state);
    const unsigned slots = SlotCount(labels[0]);
    bool misread = false;
    for (unsigned slot = 1; slot < slots; ++slot) {
      const std::string& text = symbol_text_[labels[slot]];
      const std::uint32_t target = targets[slot];
      if (text.find('/') != std::string::npos || holds_slash[target]) holds_slash[state] = true;
      if (text == "0" && automaton_.IsFinalState(target)) misread = true;  // "0" is Hunspell's empty affix
      if (utf8_bytes_ && kind_ == AffixKind::kSuffix && IsContinuationByte(text[0])) table_.cuttable[state] = false;
      ending_bytes[state] += static_cast<double>(text.size()) * automaton_.SuffixCount(target) + ending_bytes[target];
    }
    if (slots == 1 || misread || holds_slash[state]) continue;
    key.assign(reinterpret_cast<const char*>(labels + 1), slots - 1);
    key.append(reinterpret_cast<const char*>(targets + 1), (slots - 1) * sizeof(std::uint32_t));
    const auto [entry, added] = class_by_rows.emplace(key, static_cast<std::uint32_t>(table_.representative.size()));
    if (added) {
      table_.representative.push_back(state);
      table_.affix_count.push_back(automaton_.SuffixCount(state) - (automaton_.IsFinalState(state) ? 1 : 0));
      table_.affix_bytes.push_back(ending_bytes[state]);
      table_.stems_bound.push_back(0);
    }
    table_.class_of[state] = entry->second;
    table_.stems_bound[entry->second] += automaton_.WordCount(state);
  }
}

std::uint8_t CoverChooser::NextFlags(std::uint8_t flags, std::uint8_t code, unsigned depth) const {
  const std::string& text = symbol_text_[code];
  if (kind_ == AffixKind::kSuffix) {
    // Written as read: the stem's last symbol ends the written stem.
    return text.back() == '\\' ? kWrittenEndsInBackslash : 0;
  }
  // Written reversed: the first symbol read ends the written stem, and the
  // last one read starts it.
  std::uint8_t next = flags & kWrittenEndsInBackslash;
  if (depth == 0 && text.back() == '\\') next |= kWrittenEndsInBackslash;
  if (utf8_bytes_ && IsContinuationByte(text[0])) next |= kSplitsCharacter;
  return next;
}

// Bytes of the line "stem/CLASS[,NEEDAFFIX]" plus the class's share of its
// affix lines, for a stem of `length` bytes reaching `state`.
double CoverChooser::ClassLineCost(std::uint32_t state, unsigned length) const {
  const std::uint32_t affix_class = table_.class_of[state];
  double cost = length + 2.0 + flag_digits_[affix_class] + charge_[affix_class];
  if (!automaton_.IsFinalState(state)) cost += 1.0 + need_affix_digits_;
  return cost;
}

// The cheapest way to write every word that starts with a stem of `length`
// bytes reaching `state`: the stem with its class, or the words one level
// down (and the stem itself as a plain word when it is one).
const CoverChooser::Choice& CoverChooser::Cost(std::uint32_t state, unsigned length, std::uint8_t flags) {
  const std::uint64_t key = (static_cast<std::uint64_t>(state) << 12) | (length << 2) | flags;
  if (const auto found = memo_.find(key); found != memo_.end()) return found->second;
  const std::uint8_t* labels = automaton_.LabelRow(state);
  const std::uint32_t* targets = automaton_.TargetRow(state);
  const unsigned slots = SlotCount(labels[0]);
  double below = automaton_.IsFinalState(state) && length > 0 ? length + 1.0 : 0.0;
  for (unsigned slot = 1; slot < slots; ++slot) {
    const std::uint8_t code = labels[slot];
    below += Cost(targets[slot], length + static_cast<unsigned>(symbol_text_[code].size()),
                  NextFlags(flags, code, length))
                 .cost;
  }
  Choice choice{below, false};
  const std::uint32_t affix_class = table_.class_of[state];
  const bool may_cut = length > 0 && flags == 0 && table_.cuttable[state];
  if (may_cut && affix_class != ClassTable::kNone && charge_[affix_class] != kNever) {
    const double with_class = ClassLineCost(state, length);
    if (with_class < below) choice = {with_class, true};
  }
  return memo_.emplace(key, choice).first->second;
}

void CoverChooser::Emit(std::uint32_t state, unsigned length, std::uint8_t flags, std::string& path,
                        Round& round) {
  const Choice& choice = Cost(state, length, flags);
  const bool final = automaton_.IsFinalState(state);
  if (choice.use_class) {
    const std::uint32_t affix_class = table_.class_of[state];
    round.stems.push_back({path, affix_class, !final});
    ++round.uses[affix_class];
    if (!final) ++round.need_affix_uses;
    round.total_bytes += length + 2.0;
    return;
  }
  if (final && length > 0) {
    round.stems.push_back({path, HunspellCover::kNoClass, false});
    round.total_bytes += length + 1.0;
  }
  const std::uint8_t* labels = automaton_.LabelRow(state);
  const std::uint32_t* targets = automaton_.TargetRow(state);
  for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
    const std::uint8_t code = labels[slot];
    path.push_back(static_cast<char>(code));
    Emit(targets[slot], length + static_cast<unsigned>(symbol_text_[code].size()), NextFlags(flags, code, length),
         path, round);
    path.pop_back();
  }
}

// One pass of the dynamic program at this round's charges, with the exact
// size of the files it would make.
CoverChooser::Round CoverChooser::RunRound() {
  memo_.clear();
  Round round;
  round.uses.assign(table_.representative.size(), 0);
  std::string path;
  Emit(automaton_.start_state(), 0, 0, path, round);

  for (std::uint32_t c = 0; c < round.uses.size(); ++c) {
    if (round.uses[c] > 0) round.flag_order.push_back(c);
  }
  std::stable_sort(round.flag_order.begin(), round.flag_order.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return round.uses[a] > round.uses[b]; });
  for (std::uint32_t rank = 0; rank < round.flag_order.size(); ++rank) {
    const std::uint32_t affix_class = round.flag_order[rank];
    const unsigned digits = DigitCount(rank + 1);
    round.total_bytes += round.uses[affix_class] * static_cast<double>(digits) +
                         table_.AffixFileCost(affix_class, digits);
  }
  const unsigned need_digits = DigitCount(static_cast<std::uint32_t>(round.flag_order.size()) + 1);
  round.total_bytes += static_cast<double>(round.need_affix_uses) * (1 + need_digits);
  return round;
}

void CoverChooser::CollectAffixes(std::uint32_t state, std::string& path, std::vector<std::string>& output) const {
  if (automaton_.IsFinalState(state) && !path.empty()) output.push_back(path);
  const std::uint8_t* labels = automaton_.LabelRow(state);
  const std::uint32_t* targets = automaton_.TargetRow(state);
  for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
    path.push_back(static_cast<char>(labels[slot]));
    CollectAffixes(targets[slot], path, output);
    path.pop_back();
  }
}

HunspellCover CoverChooser::Choose() {
  const std::size_t class_count = table_.representative.size();
  // First guess: every stem that could use a class does.
  charge_.resize(class_count);
  flag_digits_.assign(class_count, DigitCount(static_cast<std::uint32_t>(std::min<std::size_t>(class_count, kMaxHunspellFlags))));
  for (std::size_t c = 0; c < class_count; ++c) {
    charge_[c] = table_.AffixFileCost(static_cast<std::uint32_t>(c), flag_digits_[c]) / std::max(1.0, table_.stems_bound[c]);
  }
  Round best;
  best.total_bytes = kNever;
  std::vector<std::uint32_t> previous_order;
  for (int round_number = 0; round_number < kMaxRounds || best.total_bytes == kNever; ++round_number) {
    Round round = RunRound();
    const bool too_many = round.flag_order.size() >= kMaxHunspellFlags;
    // Next round: each used class costs its affix lines shared among the
    // stems that used it; unused classes (and those past the flag limit)
    // are no longer offered.
    std::vector<double> charge(class_count, kNever);
    for (std::uint32_t rank = 0; rank < round.flag_order.size() && rank + 1 < kMaxHunspellFlags; ++rank) {
      const std::uint32_t affix_class = round.flag_order[rank];
      flag_digits_[affix_class] = DigitCount(rank + 1);
      charge[affix_class] = table_.AffixFileCost(affix_class, flag_digits_[affix_class]) /
                            static_cast<double>(round.uses[affix_class]);
    }
    need_affix_digits_ = DigitCount(static_cast<std::uint32_t>(std::min<std::size_t>(round.flag_order.size(), kMaxHunspellFlags - 1)) + 1);
    charge_ = std::move(charge);
    const bool settled = round.flag_order == previous_order;
    previous_order = round.flag_order;
    if (!too_many && round.total_bytes < best.total_bytes) best = std::move(round);
    if (settled && best.total_bytes != kNever) break;
  }
  memo_.clear();

  HunspellCover cover;
  std::vector<std::uint32_t> index_of(class_count, HunspellCover::kNoClass);
  std::string path;
  for (std::uint32_t affix_class : best.flag_order) {
    index_of[affix_class] = static_cast<std::uint32_t>(cover.classes.size());
    CollectAffixes(table_.representative[affix_class], path, cover.classes.emplace_back());
  }
  cover.stems = std::move(best.stems);
  for (HunspellCover::Stem& stem : cover.stems) {
    if (stem.affix_class != HunspellCover::kNoClass) stem.affix_class = index_of[stem.affix_class];
  }
  return cover;
}

}  // namespace

HunspellCover ChooseHunspellCover(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes) {
  return CoverChooser(automaton, kind, utf8_bytes).Choose();
}

}  // namespace tarvo
