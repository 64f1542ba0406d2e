// ListOrderInserter: many coded words into a WordTree, fast in any order.
//
// The tree that inserting words one by one makes depends on their order:
// nodes are numbered in the order they are made, which the automaton build
// and its numbering follow, and the word refused for a 127th child is the
// one that comes later. A new node is made by the first word of the list
// that holds its prefix, as the (length of the prefix - length of the part
// that word found in the tree)-th node that word makes. So every node's
// number follows from that first word's place in the list and the prefix's
// length, without inserting the words in list order.
//
// Words arrive in list order through Add. While most of each word is shared
// with the word before, as in a sorted list, each goes straight into the
// tree, its descent starting where its path parts from the previous word's.
// Once the words so far share less than half of their codes that way, the
// rest of the list is collected, and Finish inserts those words in the
// order of their codes (code_order_insertion.h): sorted, they walk the
// nodes depth first, instead of descending from the root through nodes
// spread over the whole tree for every word. The first words are held
// until the list is first judged, and are collected with the rest if it
// looks unsorted: a list loaded into an empty tree then makes every node
// in code order, which is cheapest where the tree has no node yet.
//
// When some node would end up with more than 126 children, or the tree
// would reach its size limits, the words refused depend on their order: the
// collected words then go in one by one, in list order.
//
//   ListOrderInserter inserter(tree);
//   for (codes : words) inserter.Add(codes);
//   std::vector<std::uint64_t> refused = inserter.Finish();
//
// A loader that codes words provisionally recodes the tree and the words
// still collected at once with FinishRecoded, before those words go in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "lexicon/collected_words.h"
#include "lexicon/word_reader.h"
#include "lexicon/word_tree.h"

namespace tarvo {

class ListOrderInserter {
 public:
  explicit ListOrderInserter(WordTree& tree) : tree_(tree), direct_(tree) {}
  ListOrderInserter(const ListOrderInserter&) = delete;
  ListOrderInserter& operator=(const ListOrderInserter&) = delete;

  // Takes the next word of the list, as symbol codes.
  void Add(std::string_view codes);
  // Takes the next word of the list as text, coded with the tree's coding.
  // False, taking nothing, when the coding lacks one of its characters:
  // such a word is refused without touching the tree.
  bool AddText(std::string_view word);
  // Takes the words of a file, each as AddText takes it, reading the file
  // on a thread of its own meanwhile (word_blocks.h). Adds to `stats` the
  // words read, the tokens skipped as too long and the words refused for a
  // character the coding lacks. Returns the error when the file cannot be
  // opened or read; the words read before a read error were taken.
  [[nodiscard]] std::error_code AddFile(const std::string& path, WordListStats& stats);
  // Takes the next words of the list, back to back in `codes`, `lengths`
  // giving the codes of each: as Add for each, but words collected go in
  // together.
  void AddWords(std::string_view codes, std::span<const std::uint8_t> lengths);

  // A hint: at most this many more bytes of codes will come, so that the
  // collected words are not copied as their store grows. Ignored while the
  // words go straight into the tree.
  void ExpectMoreBytes(std::uint64_t bytes);

  // Inserts the words still collected. Returns the positions in the list
  // (0 for the first word added) of the words the tree refused, ascending.
  [[nodiscard]] std::vector<std::uint64_t> Finish();
  // The same, after recoding the tree as WordTree::Recode does and the
  // words still collected with it.
  [[nodiscard]] std::vector<std::uint64_t> FinishRecoded(const SymbolCoding& coding, const SymbolTable& new_code_of);

  // Fewer collected words than this go in one by one: sorting them would
  // cost more than it saves.
  static constexpr std::size_t kMinCodeOrderInsertion = 64;

 private:
  // Collects the word at `position`, or inserts it when it cannot be collected.
  void Collect(std::string_view codes, std::uint64_t position);
  // Inserts the word at `position` straight into the tree (inline: a
  // sorted list's every word comes this way).
  void InsertDirectly(std::string_view codes, std::uint64_t position) {
    if (!direct_.Insert(codes)) refused_.push_back(position);
  }
  // Holds one of the first words and judges the list with it.
  void Hold(std::string_view codes);
  // What happens to the next word: held while the list is judged, then
  // inserted straight into the tree or collected.
  enum class Way { kHold, kInsert, kCollect };
  // Inserts or collects the held words, and those after them (`way`).
  void ReleaseHeld(Way way);
  // Inserts the collected words and empties the collection.
  void InsertCollected();
  // Inserts the collected words one by one, in list order.
  void InsertCollectedInListOrder();

  WordTree& tree_;
  WordTree::SequentialInserter direct_;
  std::string codes_;  // AddText's word, coded
  std::uint64_t added_ = 0;
  // True once the words so far (kFewestWordsToJudge at least) shared less
  // than half of their codes with the word before each. A list sorted in
  // another collation (upper and lower case mixed, say) still shares most.
  // Judges after each word held or gone straight in, of `length` codes,
  // `shared` of them with the word before.
  bool LooksUnsorted(std::size_t length, std::size_t shared);
  static constexpr std::size_t kFewestWordsToJudge = 64;

  Way way_ = Way::kHold;
  // The first words of the list, until they are judged (see above).
  CodedWords held_;

  // What LooksUnsorted has seen: words, their codes, and the codes of
  // each not shared with the word before.
  std::uint64_t judged_words_ = 0;
  std::uint64_t judged_codes_ = 0;
  std::uint64_t judged_unshared_ = 0;
  std::uint64_t first_collected_ = 0;  // the list position of collected word 0
  CollectedWords collected_;
  std::vector<std::uint64_t> refused_;
};

// Inserts words (text, in list order) as Update does: each is coded with
// the tree's coding and goes in as if inserted one by one. Returns, for each
// word, whether the tree took it; a word with a character the coding lacks
// is refused without touching the tree.
std::vector<bool> InsertWords(WordTree& tree, const std::vector<std::string>& words);

}  // namespace tarvo
