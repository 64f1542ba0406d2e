// WordTree: the trie of a word list's words.
//
// Every node stands for a prefix (node 0, the root, for the empty one) and is
// final when its prefix is a listed word. Nodes are only ever appended, and a
// child always gets a higher index than its parent; nothing is ever removed.
// Each node is a label row (see label_row.h) with its children's symbol codes
// in ascending order, plus a link row with the children's node indices.
//
// Typical use (LoadWordList in word_list_loader.h does this for a file):
//   WordTree tree;
//   tree.Reset();
//   tree.Configure(coding, buffer_size);
//   for (word : words) tree.Insert(word);
//   tree.TrimCapacity();
//   BuildAutomaton(tree, automaton);  // automaton/build_automaton.h
//
// Capacity and growth step: the node arrays are accounted in steps of the
// growth step (the buffer size, or 1000 below 2); TrimCapacity sets the
// capacity to the node count, so that the next node appended grows it by a
// whole step. The physical storage grows geometrically behind this
// accounting, so that memory follows the nodes actually made.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/node_row_pool.h"
#include "lexicon/symbol_coding.h"

namespace tarvo {

class WordFileWriter;

class WordTree {
 public:
  // A tree holding only the root; growth step 1. Configure before inserting.
  WordTree();

  // Drops every node and makes a new root; capacity = the growth step.
  void Reset();

  // Sets the growth step (buffer_size, or 1000 when below 2) and the symbol
  // coding (a char-to-code table for byte mode). Called on a tree that has
  // just been reset.
  void Configure(const SymbolCoding& coding, std::uint32_t buffer_size);

  // Adds a word (any length; the empty word marks the root final). Returns
  // false when the word cannot be stored, because it would need a 127th
  // child at some node, (in character mode) holds a character the coding
  // lacks, or would take the tree past kMaxNodes nodes or 32-bit row
  // offsets (see reached_limit); the tree is then unchanged.
  bool Insert(std::string_view word);

  // Inserts words given as symbol codes in list order. Each descent starts
  // at the node of the prefix the word shares with the previous one, which
  // is where a descent from the root would arrive: in a sorted list that
  // skips most of every descent.
  class SequentialInserter {
   public:
    explicit SequentialInserter(WordTree& tree) : tree_(tree) {}
    // As Insert, for a word already turned into codes.
    bool Insert(std::string_view codes);
    // The codes the last word inserted shared with the one before.
    std::size_t last_shared() const { return last_shared_; }
    // Forgets the previous word, as the tree's codes change (Recode): the
    // next descent starts at the root.
    void Restart() {
      previous_.clear();
      nodes_on_path_.assign(1, 0);
    }

   private:
    WordTree& tree_;
    std::string previous_;
    std::vector<std::uint32_t> nodes_on_path_{0};  // [k]: node of previous_'s first k codes
    std::size_t last_shared_ = 0;
  };

  // Makes room for `nodes` more nodes without moving the rows again.
  void ReserveNodes(std::uint64_t nodes);

  // Sets the capacity to the node count (see above).
  void TrimCapacity() { capacity_ = node_count_; }

  // Gives back the memory of the room past the last node's entry and past
  // the last row, which the system brings in a huge page at a time; the
  // tree grows into that room again as it gains nodes.
  void ReleaseRoom() {
    tarvo::ReleaseRoom(row_of_);
    rows_.ReleaseRoom();
  }

  // Gives every node's children new codes: a child coded c becomes coded
  // new_code_of[c], and each node's slots are put back in ascending code
  // order. Node numbers, final flags and links stay: the tree is the one
  // that inserting the same words in the same order under `coding` makes,
  // since which nodes exist and when they were made does not depend on the
  // codes. new_code_of must be a permutation of the codes in use.
  void Recode(const SymbolCoding& coding, const SymbolTable& new_code_of);

  // Node numbers are signed 32-bit entries of the link rows.
  static constexpr std::uint32_t kMaxNodes = INT32_MAX;
  // True once a word was refused because the tree would have grown past
  // kMaxNodes nodes or its 32-bit row offsets; the loader reports that as
  // EngineError::kTooManyNodes.
  bool reached_limit() const { return reached_limit_; }

  // The child of `node` on `code`, or kNoChild.
  static constexpr std::uint32_t kNoChild = UINT32_MAX;
  std::uint32_t ChildOf(std::uint32_t node, std::uint8_t code) const {
    const std::uint8_t* label = LabelRow(node);
    const unsigned n = SlotCount(label[0]);
    unsigned slot = 1;
    while (slot < n && label[slot] < code) ++slot;
    if (slot < n && label[slot] == code) return static_cast<std::uint32_t>(LinkRowAfter(label)[slot - 1]);
    return kNoChild;
  }

  // True when the tree holds the root only.
  bool IsEmpty() const { return node_count_ == 1; }

  // Writes every word to a new file at path, one per line, in writing order
  // (depth first, a word before its extensions, children in ascending symbol
  // code; each word in reading order), then `more_words` (words that the tree could not store but that
  // belong to the list). The file is replaced only when every write
  // succeeded; returns the error otherwise.
  [[nodiscard]] std::error_code SaveAll(const std::string& path,
                                        const std::vector<std::string>& more_words = {}) const;

  // Writes the words of the subtree under node, each as prefix + its path
  // below the node (text as held), turned into reading order.
  void WriteWords(WordFileWriter& out, std::string prefix, std::uint32_t node) const;

  // Read access to the rows, for the automaton build and for checks.
  std::uint32_t node_count() const { return node_count_; }
  std::uint32_t capacity() const { return capacity_; }
  std::uint32_t growth_step() const { return growth_step_; }
  const SymbolCoding& coding() const { return coding_; }
  const SymbolTable& char_to_code() const { return coding_.char_to_code(); }
  // The label row of a node (0 to node_count() - 1): SlotCount(row[0]) bytes.
  const std::uint8_t* LabelRow(std::uint32_t node) const {
    TARVO_ASSERT(node < node_count_);
    return rows_.labels(row_of_[node]);
  }
  // The link row of a node: entry i - 1 is the child in label slot i.
  LinkRowView LinkRow(std::uint32_t node) const { return LinkRowAfter(LabelRow(node)); }
  // The same, for a caller that holds the node's label row already.
  static LinkRowView LinkRowAfter(const std::uint8_t* label_row) { return NodeRowPool::LinksAfter(label_row); }

 private:
  // Appends a node with the given label row head and single code or link.
  std::uint32_t AppendNode(std::uint8_t head, std::uint8_t code, std::int32_t link);
  void MakeRoot();
  // Gives `node` the new children (code, node), in ascending code, none on
  // a code it has; its row grows once by all of them.
  void AddChildren(std::uint32_t node, std::span<const std::pair<std::uint8_t, std::uint32_t>> children);
  // As AddChildren, writing the grown row into the block at `offset`, which
  // the caller took from the pool; returns the offset of the row left.
  NodeRowPool::Offset MoveRowWithChildren(std::uint32_t node,
                                          std::span<const std::pair<std::uint8_t, std::uint32_t>> children,
                                          NodeRowPool::Offset offset);
  // Writes the nodes that many words make at once (code_order_insertion.h).
  friend class CodeOrderInsertion;
  // The bytes of rows a word takes when its descent stops at a node of n
  // slots and it makes new_nodes nodes: the node's grown rows, then a chain
  // of two-slot rows and a leaf.
  static std::uint64_t RowBytesOfWord(unsigned n, std::uint64_t new_nodes) {
    return NodeRowPool::RowBytes(n + 1) + (new_nodes - 1) * NodeRowPool::RowBytes(2) + NodeRowPool::RowBytes(1);
  }
  // Inserts a word given as symbol codes, starting the descent at `node`,
  // the node of its first `depth` codes. When path is given, the nodes of
  // its further prefixes are appended to it as they are reached.
  bool InsertCodes(std::string_view codes, std::size_t depth, std::uint32_t node,
                   std::vector<std::uint32_t>* path);

  NodeRowPool rows_;
  // Per node. Left unwritten as it grows at once for many new nodes, each
  // of which has its entry written then.
  UninitializedLargeVector<NodeRowPool::Offset> row_of_;
  SymbolCoding coding_;
  std::string codes_;  // the codes of the word being inserted
  std::uint32_t node_count_ = 0;
  std::uint32_t capacity_ = 0;
  std::uint32_t growth_step_ = 1;
  bool reached_limit_ = false;
};

}  // namespace tarvo
