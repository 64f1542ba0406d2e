#include "automaton/hunspell_cover.h"

#include <algorithm>
#include <array>
#include <limits>
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

// Some transitions: their symbols and targets, `count` of each. A class
// holds the non-empty endings through a set of transitions: all of a
// state's, or one.
struct Transitions {
  const std::uint8_t* labels;
  const std::uint32_t* targets;
  unsigned count;

  std::uint64_t Hash() const {
    constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15ULL;
    std::uint64_t hash = count;
    for (unsigned i = 0; i < count; ++i) {
      hash = (hash ^ labels[i]) * kMultiplier;
      hash = (hash ^ targets[i]) * kMultiplier;
      hash ^= hash >> 29;
    }
    return hash;
  }
  bool operator==(const Transitions& other) const {
    return count == other.count && std::equal(labels, labels + count, other.labels) &&
           std::equal(targets, targets + count, other.targets);
  }
};

// Facts about the automaton's states and classes that every round uses.
struct ClassTable {
  static constexpr std::uint32_t kNone = UINT32_MAX;
  static constexpr unsigned kAllSlots = 0;

  std::vector<std::uint32_t> state_class;  // per state: the class of all its transitions, or kNone
  std::vector<std::uint32_t> first_edge;   // per state: the index of its slot 1 among all transitions
  std::vector<std::uint32_t> edge_class;   // per transition: the class of it alone, or kNone
  std::vector<bool> cuttable;              // per state: a stem may end there
  // Per class: where its endings are (a state, and one slot or kAllSlots),
  // how many, their total length, and how many stems could take it.
  std::vector<std::pair<std::uint32_t, unsigned>> source;
  std::vector<std::uint32_t> affix_count;
  std::vector<double> affix_bytes;
  std::vector<double> stems_bound;

  // Bytes of the class's block in the .aff file with flags of `flag_digits`.
  double AffixFileCost(std::uint32_t affix_class, unsigned flag_digits) const {
    const unsigned count = affix_count[affix_class];
    return 8.0 + flag_digits + DigitCount(count) + count * (10.0 + flag_digits) + affix_bytes[affix_class];
  }
};

// How a state's stems are written in a round.
enum class Way : std::uint8_t {
  kBelow,        // by the states below (and the stem itself as a plain word when it is one)
  kStateClass,   // one line with the state's class
  kEdgeClasses,  // one line with the classes of the flagged transitions; the rest below
};

class CoverChooser {
 public:
  CoverChooser(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes);
  HunspellCover Choose();

 private:
  // One round's decisions and what they come to.
  struct Round {
    std::vector<Way> way;                   // per state
    std::vector<bool> flagged;              // per transition, for kEdgeClasses
    std::vector<double> uses;               // per class: stems that take it
    double need_affix_uses = 0;
    std::vector<std::uint32_t> flag_order;  // used classes, most used first
    std::uint32_t need_affix_rank = 0;      // the no-stem-alone flag's place in it
    double total_bytes = 0;
  };
  // The flag of the class at `rank` of the round's order: the no-stem-alone
  // flag takes its own place among them.
  static std::uint32_t FlagOf(const Round& round, std::uint32_t rank) {
    return rank < round.need_affix_rank ? rank + 1 : rank + 2;
  }

  Transitions TransitionsOf(std::uint32_t state) const {
    return {automaton_.LabelRow(state) + 1, automaton_.TargetRow(state) + 1, automaton_.SlotCountOf(state) - 1};
  }
  void BuildClassTable();
  std::uint32_t ClassFor(const Transitions& transitions, std::uint32_t state, unsigned slot, double ending_bytes,
                         std::uint32_t affix_count);
  void MeasureMeanStemLengths();
  std::uint8_t NextFlags(std::uint8_t flags, std::uint8_t code, unsigned depth) const;
  // The price of one more flag on a line: its separator, digits and charge.
  double FlagCost(std::uint32_t affix_class) const {
    return affix_class == ClassTable::kNone || charge_[affix_class] == kNever
               ? kNever
               : 1.0 + flag_digits_[affix_class] + charge_[affix_class];
  }
  void Decide(Round& round) const;
  void CountUses(Round& round) const;
  void NumberFlags(Round& round) const;
  Round RunRound();
  void Emit(const Round& round, std::uint32_t state, unsigned length, std::uint8_t flags, std::string& path,
            std::vector<HunspellCover::Stem>& stems) const;
  void CollectAffixes(std::uint32_t state, std::string& path, std::vector<std::string>& output) const;
  unsigned SymbolBytes(std::uint8_t code) const { return static_cast<unsigned>(symbol_text_[code].size()); }

  const SuffixAutomaton& automaton_;
  AffixKind kind_;
  bool utf8_bytes_;
  ClassTable table_;
  std::unordered_map<std::uint64_t, std::uint32_t> class_by_hash_;
  std::array<std::string, 256> symbol_text_;
  std::vector<double> mean_stem_length_;  // per state, in bytes
  // This round's price per use of each class (kNever: not offered), and
  // the digits of each flag as numbered in the round before.
  std::vector<double> charge_;
  std::vector<unsigned> flag_digits_;
  unsigned need_affix_digits_ = 1;
};

CoverChooser::CoverChooser(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes)
    : automaton_(automaton), kind_(kind), utf8_bytes_(utf8_bytes) {
  for (unsigned code = 0; code < 256; ++code) automaton.AppendSymbol(symbol_text_[code], static_cast<std::uint8_t>(code));
  BuildClassTable();
  MeasureMeanStemLengths();
}

// The class of the endings through `transitions` (found at `state`, `slot`),
// made on first sight; kNone on a hash collision, leaving those stems
// without this class.
std::uint32_t CoverChooser::ClassFor(const Transitions& transitions, std::uint32_t state, unsigned slot,
                                     double ending_bytes, std::uint32_t affix_count) {
  const auto [entry, added] =
      class_by_hash_.emplace(transitions.Hash(), static_cast<std::uint32_t>(table_.source.size()));
  if (added) {
    table_.source.emplace_back(state, slot);
    table_.affix_count.push_back(affix_count);
    table_.affix_bytes.push_back(ending_bytes);
    table_.stems_bound.push_back(0);
    return entry->second;
  }
  const auto [known_state, known_slot] = table_.source[entry->second];
  const Transitions known = known_slot == ClassTable::kAllSlots
                                ? TransitionsOf(known_state)
                                : Transitions{automaton_.LabelRow(known_state) + known_slot,
                                              automaton_.TargetRow(known_state) + known_slot, 1};
  return known == transitions ? entry->second : ClassTable::kNone;
}

// Finds the classes of every state and every transition whose endings
// Hunspell reads back intact: equal transitions mean equal endings.
void CoverChooser::BuildClassTable() {
  const std::uint32_t count = automaton_.count();
  table_.state_class.assign(count, ClassTable::kNone);
  table_.first_edge.assign(count + 1, 0);
  table_.cuttable.assign(count, true);
  std::vector<bool> holds_slash(count, false);
  std::vector<double> ending_bytes(count, 0);  // total length of all endings
  for (std::uint32_t state = 1; state < count; ++state) {
    table_.first_edge[state + 1] = table_.first_edge[state] + automaton_.SlotCountOf(state) - 1;
  }
  table_.edge_class.assign(table_.first_edge[count], ClassTable::kNone);
  class_by_hash_.reserve(2 * count);
  // Targets have smaller numbers, so ascending order sees them first.
  for (std::uint32_t state = 1; state < count; ++state) {
    const std::uint8_t* labels = automaton_.LabelRow(state);
    const std::uint32_t* targets = automaton_.TargetRow(state);
    const unsigned slots = SlotCount(labels[0]);
    bool all_intact = true;
    for (unsigned slot = 1; slot < slots; ++slot) {
      const std::string& text = symbol_text_[labels[slot]];
      const std::uint32_t target = targets[slot];
      const double edge_bytes = static_cast<double>(text.size()) * automaton_.SuffixCount(target) + ending_bytes[target];
      ending_bytes[state] += edge_bytes;
      const bool edge_slash = text.find('/') != std::string::npos || holds_slash[target];
      if (edge_slash) holds_slash[state] = true;
      if (utf8_bytes_ && kind_ == AffixKind::kSuffix && IsContinuationByte(text[0])) table_.cuttable[state] = false;
      // "0" is Hunspell's empty affix; a '/' would start flags.
      const bool intact = !edge_slash && !(text == "0" && automaton_.IsFinalState(target));
      all_intact = all_intact && intact;
      if (!intact) continue;
      const std::uint32_t affix_class =
          ClassFor({labels + slot, targets + slot, 1}, state, slot, edge_bytes, automaton_.SuffixCount(target));
      table_.edge_class[table_.first_edge[state] + slot - 1] = affix_class;
      if (affix_class != ClassTable::kNone) table_.stems_bound[affix_class] += automaton_.WordCount(state);
    }
    if (slots == 1 || !all_intact) continue;
    const std::uint32_t affix_class =
        ClassFor(TransitionsOf(state), state, ClassTable::kAllSlots, ending_bytes[state],
                 automaton_.SuffixCount(state) - (automaton_.IsFinalState(state) ? 1 : 0));
    table_.state_class[state] = affix_class;
    if (affix_class != ClassTable::kNone && slots > 2) table_.stems_bound[affix_class] += automaton_.WordCount(state);
  }
}

// What the stem path so far means for Hunspell's rules.
enum PathFlag : std::uint8_t {
  kWrittenEndsInBackslash = 1,  // "\/" before the flags would read as a '/'
  kSplitsCharacter = 2,         // prefix orientation: the cut would fall inside a character
};

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

// The mean length of the stems that reach each state: every transition
// leads to a smaller number, so descending order sees a state's stems
// before the states they lead to.
void CoverChooser::MeasureMeanStemLengths() {
  const std::uint32_t count = automaton_.count();
  std::vector<double> paths(count, 0);
  std::vector<double> length_sum(count, 0);
  paths[automaton_.start_state()] = 1;
  for (std::uint32_t state = automaton_.start_state(); state >= 1; --state) {
    const std::uint8_t* labels = automaton_.LabelRow(state);
    const std::uint32_t* targets = automaton_.TargetRow(state);
    for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
      paths[targets[slot]] += paths[state];
      length_sum[targets[slot]] += length_sum[state] + paths[state] * SymbolBytes(labels[slot]);
    }
  }
  mean_stem_length_.resize(count);
  for (std::uint32_t state = 1; state < count; ++state) {
    mean_stem_length_[state] = paths[state] > 0 ? length_sum[state] / paths[state] : 0;
  }
}

// Per state, from the deepest up: the bytes of its words as a function of
// the stem length L, base + lines x L, each way (see Way); the cheapest at
// the state's mean stem length wins. With transition classes, each
// transition goes the cheaper way: its class on the stem's line, or below.
void CoverChooser::Decide(Round& round) const {
  const std::uint32_t count = automaton_.count();
  std::vector<double> base(count, 0);
  std::vector<double> lines(count, 0);
  round.way.assign(count, Way::kBelow);
  round.flagged.assign(table_.edge_class.size(), false);
  for (std::uint32_t state = 1; state < count; ++state) {
    const bool final = automaton_.IsFinalState(state);
    const double length = mean_stem_length_[state];
    const double need_affix = final ? 0.0 : 1.0 + need_affix_digits_;
    // Below: the word itself (its line feed; L is in lines) and the states below.
    double below_base = final ? 1.0 : 0.0;
    double below_lines = final ? 1.0 : 0.0;
    // Edge classes: one line (its line feed and the no-stem-alone flag) plus
    // each transition's flag or its states below.
    double edges_base = 1.0 + need_affix;
    double edges_lines = 1;
    bool any_flagged = false;
    const std::uint8_t* labels = automaton_.LabelRow(state);
    const std::uint32_t* targets = automaton_.TargetRow(state);
    const unsigned slots = SlotCount(labels[0]);
    for (unsigned slot = 1; slot < slots; ++slot) {
      const std::uint32_t target = targets[slot];
      const double child_base = base[target] + lines[target] * SymbolBytes(labels[slot]);
      below_base += child_base;
      below_lines += lines[target];
      const std::uint32_t edge = table_.first_edge[state] + slot - 1;
      const double flag = FlagCost(table_.edge_class[edge]);
      if (flag < child_base + lines[target] * length) {
        round.flagged[edge] = true;
        any_flagged = true;
        edges_base += flag;
      } else {
        edges_base += child_base;
        edges_lines += lines[target];
      }
    }
    base[state] = below_base;
    lines[state] = below_lines;
    if (!table_.cuttable[state]) continue;
    double best = below_base + below_lines * length;
    if (any_flagged && edges_base + edges_lines * length < best) {
      best = edges_base + edges_lines * length;
      round.way[state] = Way::kEdgeClasses;
      base[state] = edges_base;
      lines[state] = edges_lines;
    }
    const double state_flag = slots > 2 ? FlagCost(table_.state_class[state]) : kNever;
    if (1.0 + need_affix + state_flag + length < best) {
      round.way[state] = Way::kStateClass;
      base[state] = 1.0 + need_affix + state_flag;
      lines[state] = 1;
    }
  }
}

// Follows the decisions from the start state down: how many stems take each
// class, and the bytes of their lines and of the plain words (the flags'
// digits are added once the flags are numbered).
void CoverChooser::CountUses(Round& round) const {
  const std::uint32_t count = automaton_.count();
  std::vector<double> reach(count, 0);        // stems not inside a chosen stem
  std::vector<double> length_sum(count, 0);   // their total length
  round.uses.assign(table_.source.size(), 0);
  const std::uint32_t start = automaton_.start_state();
  reach[start] = 1;
  for (std::uint32_t state = start; state >= 1; --state) {
    if (reach[state] == 0) continue;
    const bool final = automaton_.IsFinalState(state);
    const Way way = state == start ? Way::kBelow : round.way[state];
    if (way != Way::kBelow || final) round.total_bytes += length_sum[state] + reach[state];  // stem and line feed
    if (way != Way::kBelow && !final) round.need_affix_uses += reach[state];
    if (way == Way::kStateClass) {
      round.uses[table_.state_class[state]] += reach[state];
      round.total_bytes += reach[state];  // the '/'
      continue;
    }
    const std::uint8_t* labels = automaton_.LabelRow(state);
    const std::uint32_t* targets = automaton_.TargetRow(state);
    for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
      const std::uint32_t edge = table_.first_edge[state] + slot - 1;
      if (way == Way::kEdgeClasses && round.flagged[edge]) {
        round.uses[table_.edge_class[edge]] += reach[state];
        round.total_bytes += reach[state];  // the '/' or ','
        continue;
      }
      reach[targets[slot]] += reach[state];
      length_sum[targets[slot]] += length_sum[state] + reach[state] * SymbolBytes(labels[slot]);
    }
  }
}

// Numbers the used classes and the no-stem-alone flag by use, most used
// first, and adds the bytes of the flags and of the .aff's classes.
void CoverChooser::NumberFlags(Round& round) const {
  for (std::uint32_t c = 0; c < round.uses.size(); ++c) {
    if (round.uses[c] > 0) round.flag_order.push_back(c);
  }
  std::stable_sort(round.flag_order.begin(), round.flag_order.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return round.uses[a] > round.uses[b]; });
  const auto need_affix_place =
      std::find_if(round.flag_order.begin(), round.flag_order.end(),
                   [&](std::uint32_t c) { return round.uses[c] < round.need_affix_uses; });
  round.need_affix_rank = static_cast<std::uint32_t>(need_affix_place - round.flag_order.begin());
  round.total_bytes += round.need_affix_uses * (1.0 + DigitCount(round.need_affix_rank + 1));
  for (std::uint32_t rank = 0; rank < round.flag_order.size(); ++rank) {
    const std::uint32_t affix_class = round.flag_order[rank];
    const unsigned digits = DigitCount(FlagOf(round, rank));
    round.total_bytes += round.uses[affix_class] * digits + table_.AffixFileCost(affix_class, digits);
  }
}

CoverChooser::Round CoverChooser::RunRound() {
  Round round;
  Decide(round);
  CountUses(round);
  NumberFlags(round);
  return round;
}

// Writes the stems the round decided on, depth first. A stem whose written
// form would end in a backslash, or split a character, cannot take a class
// and leaves its words to the states below.
void CoverChooser::Emit(const Round& round, std::uint32_t state, unsigned length, std::uint8_t flags,
                        std::string& path, std::vector<HunspellCover::Stem>& stems) const {
  const bool final = automaton_.IsFinalState(state);
  const Way way = length > 0 && flags == 0 ? round.way[state] : Way::kBelow;
  if (way == Way::kStateClass) {
    stems.push_back({path, {table_.state_class[state]}, !final});
    return;
  }
  if (way == Way::kEdgeClasses || (final && length > 0)) stems.push_back({path, {}, !final});
  const std::size_t line = stems.size() - 1;  // the stem's own line, when it has one
  const std::uint8_t* labels = automaton_.LabelRow(state);
  const std::uint32_t* targets = automaton_.TargetRow(state);
  for (unsigned slot = 1; slot < SlotCount(labels[0]); ++slot) {
    const std::uint32_t edge = table_.first_edge[state] + slot - 1;
    if (way == Way::kEdgeClasses && round.flagged[edge]) {
      stems[line].affix_classes.push_back(table_.edge_class[edge]);
      continue;
    }
    const std::uint8_t code = labels[slot];
    path.push_back(static_cast<char>(code));
    Emit(round, targets[slot], length + SymbolBytes(code), NextFlags(flags, code, length), path, stems);
    path.pop_back();
  }
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
  const std::size_t class_count = table_.source.size();
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
    // Next round: each used class costs its affix lines shared among the
    // stems that used it; unused classes (and those past the flag limit)
    // are no longer offered.
    const bool too_many = round.flag_order.size() + 1 > kMaxHunspellFlags;
    std::vector<double> charge(class_count, kNever);
    for (std::uint32_t rank = 0; rank < round.flag_order.size() && rank + 1 < kMaxHunspellFlags; ++rank) {
      const std::uint32_t affix_class = round.flag_order[rank];
      flag_digits_[affix_class] = DigitCount(FlagOf(round, rank));
      charge[affix_class] = table_.AffixFileCost(affix_class, flag_digits_[affix_class]) / round.uses[affix_class];
    }
    need_affix_digits_ = DigitCount(round.need_affix_rank + 1);
    charge_ = std::move(charge);
    const bool settled = round.flag_order == previous_order;
    previous_order = round.flag_order;
    if (!too_many && round.total_bytes < best.total_bytes) best = std::move(round);
    if (settled && best.total_bytes != kNever) break;
  }

  HunspellCover cover;
  std::vector<std::uint32_t> index_of(class_count, ClassTable::kNone);
  std::string path;
  for (std::uint32_t rank = 0; rank < best.flag_order.size(); ++rank) {
    const std::uint32_t affix_class = best.flag_order[rank];
    index_of[affix_class] = static_cast<std::uint32_t>(cover.classes.size());
    HunspellCover::AffixClass& written = cover.classes.emplace_back();
    written.flag = FlagOf(best, rank);
    const auto [state, slot] = table_.source[affix_class];
    if (slot == ClassTable::kAllSlots) {
      CollectAffixes(state, path, written.affixes);
    } else {
      path.push_back(static_cast<char>(automaton_.LabelRow(state)[slot]));
      CollectAffixes(automaton_.TargetRow(state)[slot], path, written.affixes);
      path.clear();
    }
  }
  cover.need_affix_flag = best.need_affix_rank + 1;
  Emit(best, automaton_.start_state(), 0, 0, path, cover.stems);
  for (HunspellCover::Stem& stem : cover.stems) {
    for (std::uint32_t& affix_class : stem.affix_classes) affix_class = index_of[affix_class];
  }
  return cover;
}

}  // namespace

HunspellCover ChooseHunspellCover(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes) {
  return CoverChooser(automaton, kind, utf8_bytes).Choose();
}

}  // namespace tarvo
