#include "lexicon/code_order_insertion.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <malloc.h>

#include "lexicon/heap_replaced.h"
#include "lexicon/label_row.h"
#include "lexicon/shared_prefix.h"
#include "lexicon/task_pipeline.h"
#include "lexicon/word_sort.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

using Child = std::pair<std::uint8_t, std::uint32_t>;  // code, node number
constexpr unsigned kMaxChildren = kMaxSlotCount - 1;
constexpr std::uint32_t kNoOwner = UINT32_MAX;
// The per-word entries of neighbouring words in code order lie far apart,
// and so do their nodes' entries in the tree: the passes gather and
// scatter them in loops of their own, fetching this many words ahead,
// instead of waiting for each one in the walk.
constexpr std::uint32_t kFetchAhead = 32;
// How many words the writing pass walks between giving back their memory.
constexpr std::uint32_t kReleasedWords = 1u << 14;

// The bytes of the rows of one node of each slot count from 1 to n.
std::uint64_t RowBytesUpTo(std::uint64_t n) {
  return n * (n + 1) / 2 + sizeof(std::int32_t) * (n * (n + 1) / 2 - n);
}

// Gives the free memory of every heap arena back to the system. A heap
// that a sanitizer replaces is not the one malloc_trim works on, which then
// starts unused: there is nothing to give back, and its first use from two
// threads at once is not safe.
void GiveBackFreedHeap() {
#ifndef TARVO_HEAP_REPLACED
  ::malloc_trim(0);
#endif
}

// The bytes that the rows of the new and grown nodes take from the row pool.
struct RowRoom {
  std::uint64_t written = 0;  // by the rows written at once
  // Inserting the words one by one could take this many at most: every
  // size a row passes through, none reused.
  std::uint64_t most = 0;

  // `count` rows that grow from old_n slots (0 for new nodes) to n at once,
  // of which `reused` go where rows were moved out (see WritePass).
  void AddRows(unsigned old_n, unsigned n, std::uint64_t count = 1, std::uint64_t reused = 0) {
    written += (count - reused) * NodeRowPool::RowBytes(n);
    most += count * (RowBytesUpTo(n) - RowBytesUpTo(old_n));
  }
  RowRoom& operator+=(const RowRoom& more) {
    written += more.written;
    most += more.most;
    return *this;
  }
};

// A node on the path of the word being walked.
struct OpenNode {
  std::uint32_t tree_node;  // WordTree::kNoChild when the words make it
  // The word of least rank through it among those walked so far (see
  // WalkPart): its rank, what the pass keeps for it and its length.
  std::uint32_t owner;
  std::uint32_t owner_tag;
  std::uint32_t owner_length;
  std::uint32_t children_begin;  // where its new children start in the walk's list
  std::uint8_t code;
  bool word_ends;
};

// What one part's words change at the root, which all parts share.
struct RootChange {
  bool word_ends = false;  // the empty word is among them
  // The part's first node, when the words make it; its number is known
  // only while writing.
  bool new_child = false;
  Child child{};
};

// Walks a part's words in code order, depth first through the nodes they
// pass through below the root: the tree's and those the words make. Each
// node goes to pass.Close(node, depth, new children, number) once every
// word through it has gone by, its new children (those the tree does not
// have yet) in ascending code. Close gives back the node's number and may
// stop the walk by returning false; so does the walk. Before word i, the
// walk calls pass.Reach(i, bytes): it no longer reads the words before
// i - 1, nor the codes before `bytes`. The owner of a new node, the word
// with the least rank[i] among those through it, keeps pass.Tag(i) for its
// word.
//
// Most nodes lie on a single word's tail: past the codes it shares with
// the words before and after it, a new word makes a chain of nodes that
// no other word passes through, each the parent of the next. Such a chain
// goes to pass.CloseTail(word, shared, tag) at once, which makes the nodes
// for the codes after the first `shared` and gives back the first one's
// number; the word owns them all.
template <typename Pass>
bool WalkPart(const WordTree& tree, const CodedWords& words, const WordNumbers& rank, Pass& pass, RootChange& root) {
  // The walk opens and closes every other node below the root, most of
  // them for a single word: the open nodes lie in an array as deep as the
  // longest word, and closing a node is written out in the loop, not called.
  std::array<OpenNode, CodedWords::kLongest> open;  // open[d - 1]: the node of the first d codes
  std::size_t depth = 0;                            // how many are open
  std::vector<Child> children;  // the new children of the open nodes, the innermost's last
  const auto close = [&]() __attribute__((always_inline)) {
    const OpenNode& node = open[--depth];
    std::uint32_t number = 0;
    if (!pass.Close(node, static_cast<std::uint32_t>(depth + 1),
                    std::span<const Child>(children).subspan(node.children_begin), number)) {
      return false;
    }
    children.erase(children.begin() + node.children_begin, children.end());
    if (node.tree_node == WordTree::kNoChild) {
      if (depth == 0) {
        root.new_child = true;
        root.child = {node.code, number};
      } else {
        children.emplace_back(node.code, number);
      }
    }
    if (depth > 0 && node.owner < open[depth - 1].owner) {
      OpenNode& parent = open[depth - 1];
      parent.owner = node.owner;
      parent.owner_tag = node.owner_tag;
      parent.owner_length = node.owner_length;
    }
    return true;
  };
  const auto tree_node_at = [&](std::string_view word, std::size_t d) {
    const std::uint32_t parent = d == 0 ? 0 : open[d - 1].tree_node;
    return parent == WordTree::kNoChild ? WordTree::kNoChild
                                        : tree.ChildOf(parent, static_cast<std::uint8_t>(word[d]));
  };
  const auto open_to = [&](std::string_view word, std::size_t d) {
    for (; depth < d; ++depth) {
      open[depth] = {tree_node_at(word, depth), kNoOwner, 0, 0, static_cast<std::uint32_t>(children.size()),
                     static_cast<std::uint8_t>(word[depth]), false};
    }
  };
  // Word i passes through the node: it owns it if it ranks first so far.
  const auto offer = [&](OpenNode& node, std::uint32_t i, std::string_view word) {
    if (rank[i] < node.owner) {
      node.owner = rank[i];
      node.owner_tag = pass.Tag(i);
      node.owner_length = static_cast<std::uint32_t>(word.size());
    }
  };
  const char* const codes_end = words.codes.data() + words.codes.size();
  std::uint32_t before_start = 0;  // where the word before starts
  std::uint32_t start = 0;
  std::size_t shared = 0;  // codes the word shares with the one before
  std::string_view word = words.empty() ? std::string_view() : words.word(0, 0);
  for (std::uint32_t i = 0; i < words.size(); ++i) {
    pass.Reach(i, before_start);
    const std::uint32_t next_start = start + static_cast<std::uint32_t>(word.size());
    const std::string_view next = i + 1 < words.size() ? words.word(next_start, i + 1) : std::string_view();
    const std::size_t next_shared = SharedPrefixLength(word, next, codes_end);
    while (depth > shared) {
      if (!close()) return false;
    }
    const std::size_t alone = std::max(shared, next_shared);  // the word's tail starts after these
    bool tail_made = false;
    if (alone > 0 && alone < word.size()) {
      open_to(word, alone);
      if (tree_node_at(word, alone) == WordTree::kNoChild) {
        children.emplace_back(static_cast<std::uint8_t>(word[alone]), pass.CloseTail(word, alone, pass.Tag(i)));
        offer(open[alone - 1], i, word);
        tail_made = true;
      }
    }
    if (!tail_made) {
      open_to(word, word.size());
      if (word.empty()) {
        root.word_ends = true;
      } else {
        open[depth - 1].word_ends = true;
        offer(open[depth - 1], i, word);
      }
    }
    before_start = start;
    start = next_start;
    shared = next_shared;
    word = next;
  }
  while (depth > 0) {
    if (!close()) return false;
  }
  return true;
}

}  // namespace

// The steps of InsertInCodeOrder; a friend of WordTree, whose rows it writes.
//
// A node is made by the first word in list order through it (its owner),
// as the last but (owner's length - node's depth) of the nodes the owner
// makes. Counting finds how many nodes each word makes, and so the number
// of each word's first node; writing then numbers every node from its
// owner. While counting, the threads write nothing but their own words'
// entries of first_number_ and their own parts' numbers. While writing,
// each part writes its nodes' rows into a range of the row pool of its
// own, found from the count, or where its own nodes' rows moved out of,
// and changes only nodes below its first code, which no other part reads;
// the calling thread meanwhile only frees what the parts are done with.
class CodeOrderInsertion {
 public:
  CodeOrderInsertion(WordTree& tree, CollectedWords& words) : tree_(tree), words_(words), work_(counting_.slots()) {}

  bool Run();

 private:
  struct Part {
    explicit Part(unsigned first_code) : first(first_code) {}
    unsigned first;                      // the first code of its words
    std::uint64_t row_bytes = 0;         // what its rows take from the row pool
    NodeRowPool::Offset first_row = 0;   // where they start there
    // The nodes each word makes, by its place in the part (at most one per
    // code of the word), from counting until the part is written.
    NodeCounts made;
  };
  // A tree node's row that was moved, to be reused.
  struct MovedRow {
    NodeRowPool::Offset offset;
    unsigned slots;
  };
  // What one task makes of its part.
  struct PartWork {
    bool stored = false;  // false: some node would need a 127th child
    RowRoom room;
    std::size_t longest = 0;
    RootChange root;
    std::vector<MovedRow> moved;
  };
  class CountPass;
  class WritePass;

  // Finds the parts with words, the largest first, so that no thread is
  // left with a large part alone at the end.
  void FindParts();
  // Sorts each part, counts the nodes each word makes and numbers them;
  // false when the words cannot all go in this way.
  bool Count();
  // Counts a part's nodes from the shape its sort learnt (by word number;
  // `order` gives each place's word), as CountPass would for a part below
  // a first code the tree has no node for.
  static void TakeShape(const WordSorter::TrieShape& shape, const WordNumbers& order, Part& part, PartWork& work);
  // Stores each part's counts by list number in first_number_. Done once
  // every part is sorted, so that first_number_ and the sorting never
  // take memory at the same time.
  void ScatterCounts();
  // Turns the count of nodes each word makes into the number of its first
  // node; false when the tree could not hold them all.
  bool NumberNodes();
  // Gives each part's words the number of their first node in place of
  // their list number, and frees first_number_.
  void NumberWords();
  // Sizes the tree for every node and gives each part its range of rows;
  // returns where the root's grown row goes, before them.
  NodeRowPool::Offset MakeRoom();
  // Writes the nodes into the tree; the words are gone after it.
  void Write();
  // Runs `work(part, part work)` for every part on the pipeline's threads,
  // then take(part, part work) for each in order; false when take did.
  template <typename Work, typename Take>
  bool ForEachPart(TaskPipeline& pipeline, Work&& work, Take&& take);
  void ReleaseMovedRows(std::vector<MovedRow>& moved);

  WordTree& tree_;
  CollectedWords& words_;
  // While counting, a part's result is small, so every part may run ahead
  // of the taking: a worker never waits for a large part still being
  // counted elsewhere. While writing, the taking frees what the parts are
  // done with, so the parts run only a little ahead of it.
  TaskPipeline counting_{std::thread::hardware_concurrency(), CollectedWords::kParts};
  TaskPipeline writing_;
  std::vector<PartWork> work_;  // one per slot of the pipeline
  std::vector<Part> parts_;     // those with words
  // Per word in list order, and one more: the nodes it makes while
  // counting, then the number of the first of them. Left unwritten until
  // the counts are scattered into it, so that its pages come into memory
  // only then.
  UninitializedLargeVector<std::uint32_t> first_number_;
  RowRoom room_;
  std::size_t longest_ = 0;
  std::uint32_t node_count_ = 0;  // once every word is in
  unsigned root_slots_ = 0;  // of the root's grown row, if it grows
  std::vector<Child> root_children_;
  bool root_final_ = false;
};

// Counts the nodes each word of a part makes first, by the word's place in
// the part; Scatter then stores the counts by list number.
class CodeOrderInsertion::CountPass {
 public:
  CountPass(const WordTree& tree, std::size_t words, NodeCounts& made) : tree_(tree), made_(made) {
    made_.clear();
    ResizePrefaulted(made_, words);
  }

  void Reach(std::uint32_t, std::uint32_t) {}
  std::uint32_t Tag(std::uint32_t i) const { return i; }

  // The tail's rows: one child each but the last.
  std::uint32_t CloseTail(std::string_view word, std::size_t shared, std::uint32_t tag) {
    const std::size_t nodes = word.size() - shared;
    made_[tag] = static_cast<std::uint8_t>(made_[tag] + nodes);
    PlaceRows(0, 1, 1);
    PlaceRows(0, 2, nodes - 1);
    return 0;
  }

  bool Close(const OpenNode& node, std::uint32_t, std::span<const Child> children, std::uint32_t&) {
    if (node.tree_node == WordTree::kNoChild) {
      if (children.size() > kMaxChildren) return false;
      PlaceRows(0, static_cast<unsigned>(children.size() + 1), 1);
      ++made_[node.owner_tag];
      return true;
    }
    if (children.empty()) return true;
    const unsigned old_n = SlotCount(tree_.LabelRow(node.tree_node)[0]);
    if (old_n + children.size() > kMaxSlotCount) return false;
    PlaceRows(old_n, static_cast<unsigned>(old_n + children.size()), 1);
    ++moved_out_[old_n];
    return true;
  }

  RowRoom room;

 private:
  // Counts `count` rows of n slots, grown from old_n, placed as WritePass
  // places them.
  void PlaceRows(unsigned old_n, unsigned n, std::uint64_t count) {
    const std::uint64_t reused = std::min<std::uint64_t>(moved_out_[n], count);
    moved_out_[n] -= reused;
    room.AddRows(old_n, n, count, reused);
  }

  const WordTree& tree_;
  NodeCounts& made_;
  // How many rows of each size the walk has moved out of and not reused.
  std::array<std::uint64_t, kMaxSlotCount + 1> moved_out_{};
};

class CodeOrderInsertion::WritePass {
 public:
  // first_number: the number of each word's first node, by its place in
  // the part; made: how many nodes it makes.
  WritePass(WordTree& tree, const WordNumbers& first_number, const NodeCounts& made,
            NodeRowPool::Offset first_row, std::vector<MovedRow>& moved, CollectedWords& words, unsigned part)
      : tree_(tree),
        first_number_(first_number),
        made_(made),
        next_row_(first_row),
        moved_(moved),
        words_(words),
        part_(part) {}

  // Fetches the tree's entry of a word's last node some words ahead. The
  // words walked give their memory back, so that the tree's rows grow into it.
  void Reach(std::uint32_t i, std::uint32_t bytes) {
    if (i > 0 && i % kReleasedWords == 0) words_.ReleaseLeadingWords(part_, i - 1, bytes);
    if (i + kFetchAhead < made_.size()) __builtin_prefetch(&tree_.row_of_[Tag(i + kFetchAhead) - 1]);
  }
  // The number after the last node word i makes, if it makes any.
  std::uint32_t Tag(std::uint32_t i) const { return first_number_[i] + made_[i]; }

  bool Close(const OpenNode& node, std::uint32_t depth, std::span<const Child> children, std::uint32_t& number) {
    NodeRowPool& rows = tree_.rows_;
    if (node.tree_node == WordTree::kNoChild) {
      // The owner's last node ends its word.
      number = node.owner_tag - 1 - (node.owner_length - depth);
      const auto n = static_cast<unsigned>(children.size() + 1);
      const NodeRowPool::Offset row = PlaceRow(number, n);
      std::uint8_t* label = rows.labels(row);
      std::uint8_t* links = rows.links(row, n);
      label[0] = static_cast<std::uint8_t>((node.word_ends ? kFinalFlag : 0) | n);
      for (unsigned slot = 1; slot < n; ++slot) {
        label[slot] = children[slot - 1].first;
        StoreLink(links, slot - 1, static_cast<std::int32_t>(children[slot - 1].second));
      }
      return true;
    }
    number = node.tree_node;
    if (!children.empty()) {
      const unsigned old_n = SlotCount(tree_.LabelRow(number)[0]);
      const auto n = static_cast<unsigned>(old_n + children.size());
      moved_out_[old_n].push_back(tree_.MoveRowWithChildren(number, children, TakeRow(n)));
    }
    if (node.word_ends) rows.labels(tree_.row_of_[number])[0] |= kFinalFlag;
    return true;
  }

  // The word's last node is numbered Tag - 1, and the nodes of its tail
  // count down from it. They are written deepest first, as closing them
  // one by one would.
  std::uint32_t CloseTail(std::string_view word, std::size_t shared, std::uint32_t tag) {
    NodeRowPool& rows = tree_.rows_;
    std::uint32_t number = tag - 1;
    NodeRowPool::Offset row = PlaceRow(number, 1);
    rows.labels(row)[0] = kFinalLeafHead;
    for (std::size_t depth = word.size() - 1; depth > shared; --depth) {
      row = PlaceRow(--number, 2);
      std::uint8_t* label = rows.labels(row);
      label[0] = 2;
      label[1] = static_cast<std::uint8_t>(word[depth]);
      StoreLink(rows.links(row, 2), 0, static_cast<std::int32_t>(number + 1));
    }
    return number;
  }

  NodeRowPool::Offset next_row() const { return next_row_; }

  // Hands the rows moved out of and not reused to the part's work, for the
  // row pool to reuse once the part is taken.
  void GiveBackMovedOutRows() {
    for (unsigned n = 1; n <= kMaxSlotCount; ++n) {
      for (const NodeRowPool::Offset row : moved_out_[n]) moved_.push_back({row, n});
    }
  }

 private:
  // Where the rows of a node of n slots go: where the walk moved rows of
  // that size out of, if there is such a place (the rows of an existing
  // node below the part's first code, which only this part reads), or else
  // the next bytes of the part's range. Without the reuse, the rows that
  // existing nodes leave as they grow would stay empty in the tree after an
  // Update.
  NodeRowPool::Offset TakeRow(unsigned n) {
    std::vector<NodeRowPool::Offset>& moved_out = moved_out_[n];
    if (!moved_out.empty()) {
      const NodeRowPool::Offset row = moved_out.back();
      moved_out.pop_back();
      return row;
    }
    const NodeRowPool::Offset row = next_row_;
    next_row_ += static_cast<NodeRowPool::Offset>(NodeRowPool::RowBytes(n));
    return row;
  }
  // Gives new node `number` a row of n slots.
  NodeRowPool::Offset PlaceRow(std::uint32_t number, unsigned n) {
    const NodeRowPool::Offset row = TakeRow(n);
    tree_.row_of_[number] = row;
    return row;
  }

  WordTree& tree_;
  const WordNumbers& first_number_;
  const NodeCounts& made_;
  NodeRowPool::Offset next_row_;
  std::vector<MovedRow>& moved_;
  CollectedWords& words_;
  unsigned part_;
  // The rows the walk has moved out of and not reused, by size.
  std::array<std::vector<NodeRowPool::Offset>, kMaxSlotCount + 1> moved_out_;
};

template <typename Work, typename Take>
bool CodeOrderInsertion::ForEachPart(TaskPipeline& pipeline, Work&& work, Take&& take) {
  return pipeline.Run(
      parts_.size(),
      [&](std::size_t task, unsigned slot) {
        work_[slot].root = {};
        work(parts_[task], work_[slot]);
      },
      [&](std::size_t task, unsigned slot) { return take(parts_[task], work_[slot]); });
}

void CodeOrderInsertion::FindParts() {
  for (unsigned first = 0; first < CollectedWords::kParts; ++first) {
    if (!words_.part(first).empty()) parts_.emplace_back(first);
  }
  std::stable_sort(parts_.begin(), parts_.end(), [&](const Part& a, const Part& b) {
    return words_.part(a.first).size() > words_.part(b.first).size();
  });
}

bool CodeOrderInsertion::Count() {
  words_.ForgetListOrder();
  words_.ReleaseRoom();
  unsigned root_children_added = 0;
  const bool all_stored = ForEachPart(
      counting_,
      [&](Part& part, PartWork& work) {
        words_.FinishRecoding(part.first);
        // A part below a first code the tree has no node for makes all its
        // nodes itself: the sort learns them, and no walk counts them.
        const bool on_its_own = tree_.ChildOf(0, static_cast<std::uint8_t>(part.first)) == WordTree::kNoChild;
        {
          WordSorter sorter;
          WordSorter::TrieShape shape;
          sorter.Sort(words_.part(part.first), CollectedWords::SharedCodes(part.first), on_its_own ? &shape : nullptr);
          if (on_its_own) TakeShape(shape, sorter.order(), part, work);
          words_.ReorderPart(part.first, sorter.TakeOrder(), sorter.TakeStarts());
        }
        const CodedWords& words = words_.part(part.first);
        if (on_its_own) {
          // In code order, an empty word comes first and a word with codes last.
          work.root = {words.lengths.front() == 0, words.lengths.back() > 0,
                       {static_cast<std::uint8_t>(part.first), 0}};
        } else {
          CountPass pass(tree_, words.size(), part.made);
          work.stored = WalkPart(tree_, words, words_.numbers(part.first), pass, work.root);
          work.room = pass.room;
        }
        work.longest = *std::max_element(words.lengths.begin(), words.lengths.end());
      },
      [&](Part& part, const PartWork& work) {
        if (!work.stored) return false;
        part.row_bytes = work.room.written;
        room_ += work.room;
        longest_ = std::max(longest_, work.longest);
        root_children_added += work.root.new_child ? 1 : 0;
        return true;
      });
  if (!all_stored) return false;
  if (root_children_added > 0) {
    const unsigned old_n = SlotCount(tree_.LabelRow(0)[0]);
    if (old_n + root_children_added > kMaxSlotCount) return false;
    root_slots_ = old_n + root_children_added;
    room_.AddRows(old_n, root_slots_);
  }
  ScatterCounts();
  if (!NumberNodes()) return false;
  NumberWords();
  return true;
}

void CodeOrderInsertion::TakeShape(const WordSorter::TrieShape& shape, const WordNumbers& order, Part& part,
                                   PartWork& work) {
  work.stored = true;
  work.room = {};
  for (unsigned n = 1; n < shape.rows.size(); ++n) {
    if (shape.rows[n] == 0) continue;
    if (n > kMaxSlotCount) {  // a node with a 127th child
      work.stored = false;
      return;
    }
    work.room.AddRows(0, n, shape.rows[n]);
  }
  ResizePrefaulted(part.made, order.size());
  for (std::size_t i = 0; i < order.size(); ++i) part.made[i] = shape.made[order[i]];
}

void CodeOrderInsertion::ScatterCounts() {
  // Every word's entry is written by its part.
  first_number_.resize(words_.size() + 1);
  first_number_.back() = 0;
  ForEachPart(
      counting_,
      [&](Part& part, PartWork&) {
        const WordNumbers& numbers = words_.numbers(part.first);
        for (std::size_t i = 0; i < part.made.size(); ++i) {
          if (i + kFetchAhead < part.made.size()) __builtin_prefetch(&first_number_[numbers[i + kFetchAhead]], 1);
          first_number_[numbers[i]] = part.made[i];
        }
      },
      [](const Part&, const PartWork&) { return true; });
}

bool CodeOrderInsertion::NumberNodes() {
  std::uint64_t next = tree_.node_count_;
  for (std::uint32_t& number : first_number_) {
    const std::uint32_t made = number;
    number = static_cast<std::uint32_t>(next);
    next += made;
    if (next > WordTree::kMaxNodes) return false;
  }
  // One by one, a word is refused when the row pool would pass its limit
  // with the word's nodes and its parent's grown row.
  const std::uint64_t bytes_of_one_word =
      WordTree::RowBytesOfWord(kMaxSlotCount - 1, std::max<std::uint64_t>(longest_, 1));
  if (!tree_.rows_.HasRoomFor(room_.most + bytes_of_one_word)) return false;
  node_count_ = static_cast<std::uint32_t>(next);
  return true;
}

void CodeOrderInsertion::NumberWords() {
  ForEachPart(
      counting_,
      [&](Part& part, PartWork&) {
        const std::span<std::uint32_t> numbers = words_.ReplaceListNumbers(part.first);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
          if (i + kFetchAhead < numbers.size()) __builtin_prefetch(&first_number_[numbers[i + kFetchAhead]]);
          numbers[i] = first_number_[numbers[i]];
        }
      },
      [](const Part&, const PartWork&) { return true; });
  first_number_ = UninitializedLargeVector<std::uint32_t>();
}

NodeRowPool::Offset CodeOrderInsertion::MakeRoom() {
  if (node_count_ > tree_.capacity_) {
    const std::uint32_t step = tree_.growth_step_;
    tree_.capacity_ += (node_count_ - tree_.capacity_ + step - 1) / step * step;
  }
  tree_.row_of_.resize(node_count_);
  tree_.node_count_ = node_count_;
  const NodeRowPool::Offset root_row = tree_.rows_.Extend(room_.written);
  NodeRowPool::Offset next = root_row;
  if (root_slots_ > 0) next += static_cast<NodeRowPool::Offset>(NodeRowPool::RowBytes(root_slots_));
  for (Part& part : parts_) {
    part.first_row = next;
    next += static_cast<NodeRowPool::Offset>(part.row_bytes);
  }
  return root_row;
}

void CodeOrderInsertion::ReleaseMovedRows(std::vector<MovedRow>& moved) {
  for (const MovedRow& row : moved) tree_.rows_.Release(row.offset, row.slots);
  moved.clear();
}

void CodeOrderInsertion::Write() {
  // The tree's rows take their room at once: the words' room past their
  // ends and what the sorting freed on the heap go first.
  words_.ReleaseRoom();
  GiveBackFreedHeap();
  const NodeRowPool::Offset root_row = MakeRoom();
  ForEachPart(
      writing_,
      [&](Part& part, PartWork& work) {
        // A word's first node number ranks it as its list number does
        // among the words through a new node: the node's owner makes at
        // least that node, so every later word's first node comes after it.
        const WordNumbers& first_number = words_.numbers(part.first);
        WritePass pass(tree_, first_number, part.made, part.first_row, work.moved, words_, part.first);
        [[maybe_unused]] const bool stored = WalkPart(tree_, words_.part(part.first), first_number, pass, work.root);
        TARVO_ASSERT(stored && pass.next_row() == part.first_row + part.row_bytes);
        pass.GiveBackMovedOutRows();
        // The part's words are in: their memory can go to the rows, at
        // once rather than when the part is taken, which may wait for a
        // larger part still being written on the other worker.
        words_.ReleasePart(part.first);
        part.made = NodeCounts();
        GiveBackFreedHeap();
      },
      [&](const Part&, PartWork& work) {
        ReleaseMovedRows(work.moved);
        if (work.root.new_child) root_children_.push_back(work.root.child);
        root_final_ = root_final_ || work.root.word_ends;
        return true;
      });
  if (!root_children_.empty()) {
    std::sort(root_children_.begin(), root_children_.end());
    const unsigned old_n = SlotCount(tree_.LabelRow(0)[0]);
    tree_.rows_.Release(tree_.MoveRowWithChildren(0, root_children_, root_row), old_n);
  }
  if (root_final_) tree_.rows_.labels(tree_.row_of_[0])[0] |= kFinalFlag;
  words_.Clear();
}

bool CodeOrderInsertion::Run() {
  FindParts();
  if (!Count()) {
    // The words go in one by one after all, in list order.
    words_.RestoreListOrder();
    return false;
  }
  Write();
  return true;
}

bool InsertInCodeOrder(WordTree& tree, CollectedWords& words) {
  if (words.empty()) return true;
  const bool inserted = CodeOrderInsertion(tree, words).Run();
  // What the insertion freed after its parts were written, and its own
  // state, go back too: the memory peak of opening a list comes later.
  GiveBackFreedHeap();
  return inserted;
}

}  // namespace tarvo
