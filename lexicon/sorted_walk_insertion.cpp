#include "lexicon/sorted_walk_insertion.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <malloc.h>

#include "lexicon/label_row.h"
#include "lexicon/sorted_word_stream.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

constexpr std::uint32_t kNewNode = UINT32_MAX;  // a node that the words make
constexpr std::uint32_t kNoWord = UINT32_MAX;
constexpr unsigned kMaxChildren = kMaxSlotCount - 1;

// A node on the path of the current word, in the tree or to be made.
struct PathNode {
  std::uint32_t node;        // its number in the tree, or kNewNode
  std::uint32_t first_word;  // the lowest word number below it so far
  std::uint32_t children;    // its children so far, those in the tree included
  std::uint32_t new_children_start;  // where its new children start in the writing walk's list
  std::uint8_t code;                 // the code of the step from its parent
  bool word_ends;                    // a word ends here
};

unsigned ChildCount(const WordTree& tree, std::uint32_t node) { return SlotCount(tree.LabelRow(node)[0]) - 1; }

std::uint32_t FindChild(const WordTree& tree, std::uint32_t node, std::uint8_t code) {
  const std::uint8_t* label = tree.LabelRow(node);
  const unsigned n = SlotCount(label[0]);
  unsigned slot = 1;
  while (slot < n && label[slot] < code) ++slot;
  if (slot < n && label[slot] == code) return static_cast<std::uint32_t>(tree.LinkRow(node)[slot - 1]);
  return kNewNode;
}

// Walks the words of the stream in sorted order along their paths, the
// tree's nodes and the new ones. Calls on_pop(path node, depth) for every
// node on the paths once every word below it has been seen, the root last;
// stops when it returns false. mark() gives each node pushed its
// new_children_start. Before each word, fetches that word's entry of
// `per_word` towards the cache: the nodes a word makes are mostly those
// popped with it as their first word, soon after.
template <typename OnPop, typename Mark>
bool WalkSorted(const WordTree& tree, SortedWordStream::Reader reader, const std::uint32_t* per_word, OnPop&& on_pop,
                Mark&& mark) {
  std::vector<PathNode> path{{0, kNoWord, ChildCount(tree, 0), mark(), 0, false}};
  auto pop = [&] {
    const PathNode node = path.back();
    path.pop_back();
    path.back().first_word = std::min(path.back().first_word, node.first_word);
    return on_pop(node, path.size());
  };
  std::size_t shared = 0;
  std::string_view rest;
  std::uint32_t word = 0;
  while (reader.Next(shared, rest, word)) {
    __builtin_prefetch(per_word + word, 1);
    while (path.size() > shared + 1) {
      if (!pop()) return false;
    }
    for (const char c : rest) {
      const auto code = static_cast<std::uint8_t>(c);
      PathNode& parent = path.back();
      const std::uint32_t child = parent.node == kNewNode ? kNewNode : FindChild(tree, parent.node, code);
      if (child == kNewNode) ++parent.children;
      path.push_back({child, kNoWord, child == kNewNode ? 0 : ChildCount(tree, child), mark(), code, false});
    }
    path.back().first_word = std::min(path.back().first_word, word);
    path.back().word_ends = true;
  }
  while (path.size() > 1) {
    if (!pop()) return false;
  }
  return on_pop(path.back(), 0);
}

// What the first walk finds out.
struct Plan {
  // Per word: the depth of the first node that the word makes, or 0 when it
  // makes none; then the number of its node at depth 0 would have (the
  // number of its node at depth d is that + d).
  LargeVector<std::uint32_t> numbering;
  std::uint64_t new_nodes = 0;
  std::uint64_t written_slots = 0;  // slots of the rows the second walk writes
  // Slots that inserting the words one by one could take from the row pool
  // at most: every size a row passes through, none reused.
  std::uint64_t most_slots = 0;
};

std::uint64_t SlotsUpTo(std::uint64_t n) { return n * (n + 1) / 2; }

}  // namespace

bool InsertInSortedWalks(WordTree& tree, CollectedWords& words) {
  if (words.empty()) return true;
  SortedWordStream stream;
  std::size_t longest = 0;
  std::string previous;
  for (unsigned first = 0; first < CollectedWords::kParts; ++first) {
    const CodedWords& part = words.part(first);
    const LargeVector<std::uint32_t>& numbers = words.numbers(first);
    for (const std::uint32_t k : SortByCodes(part)) {
      const std::string_view word = part.word(k);
      const auto parts = std::mismatch(previous.begin(), previous.end(), word.begin(), word.end());
      const auto shared = static_cast<std::size_t>(parts.second - word.begin());
      stream.Append(shared, word.substr(shared), numbers[k]);
      longest = std::max(longest, word.size());
      previous.assign(word);
    }
  }

  Plan plan;
  plan.numbering.assign(words.size(), 0);
  const bool fits = WalkSorted(
      tree, SortedWordStream::Reader(stream, false), plan.numbering.data(),
      [&](const PathNode& node, std::size_t depth) {
        if (node.children > kMaxChildren) return false;
        const std::uint64_t n = node.children + 1;
        if (node.node == kNewNode) {
          // Deepest first: the last one seen is the shallowest.
          plan.numbering[node.first_word] = static_cast<std::uint32_t>(depth);
          ++plan.new_nodes;
          plan.written_slots += n;
          plan.most_slots += SlotsUpTo(n);
        } else if (const unsigned old_n = SlotCount(tree.LabelRow(node.node)[0]); n > old_n) {
          plan.written_slots += n;
          plan.most_slots += SlotsUpTo(n) - SlotsUpTo(old_n);
        }
        return true;
      },
      [] { return 0u; });
  // One by one, a word is refused when the node count or the row pool
  // would pass its limit with the word's nodes and its parent's grown row.
  const std::uint64_t slots_of_one_word = kMaxSlotCount + 2 * std::uint64_t{longest};
  if (!fits || tree.node_count_ + plan.new_nodes > WordTree::kMaxNodes ||
      !tree.rows_.HasRoomFor(plan.most_slots + slots_of_one_word)) {
    return false;
  }

  // The nodes are numbered by the word that makes them, in list order, and
  // by depth among the nodes of one word.
  std::uint32_t next = tree.node_count_;
  std::uint32_t k = 0;
  words.ForEachInListOrder([&](std::string_view word) {
    const std::uint32_t first_depth = plan.numbering[k];
    if (first_depth != 0) {
      plan.numbering[k] = next - first_depth;  // may wrap; + depth is the node's number
      next += static_cast<std::uint32_t>(word.size()) - first_depth + 1;
    }
    ++k;
  });
  TARVO_ASSERT(next == tree.node_count_ + plan.new_nodes);
  words.Clear();
  // The words' many small blocks went back to the heap; give them back to the
  // system before the rows take their place.
  ::malloc_trim(0);

  const std::uint32_t node_count = next;
  if (node_count > tree.capacity_) {
    const std::uint32_t step = tree.growth_step_;
    tree.capacity_ += (node_count - tree.capacity_ + step - 1) / step * step;
  }
  tree.row_of_.resize(node_count);
  tree.rows_.Reserve(plan.written_slots);
  tree.node_count_ = node_count;

  NodeRowPool& rows = tree.rows_;
  std::vector<std::pair<std::uint8_t, std::uint32_t>> new_children;  // (code, node) of nodes on the path
  WalkSorted(
      tree, SortedWordStream::Reader(stream, true), plan.numbering.data(),
      [&](const PathNode& node, std::size_t depth) {
        const auto first = new_children.begin() + node.new_children_start;
        const auto added = static_cast<unsigned>(new_children.end() - first);
        std::uint32_t number = node.node;
        if (node.node == kNewNode) {
          number = plan.numbering[node.first_word] + static_cast<std::uint32_t>(depth);
          const unsigned n = added + 1;
          const NodeRowPool::Offset offset = rows.Allocate(n);
          std::uint8_t* label = rows.labels(offset);
          std::int32_t* links = rows.links(offset);
          label[0] = static_cast<std::uint8_t>((node.word_ends ? kFinalFlag : 0) | n);
          links[0] = 0;
          for (unsigned slot = 1; slot < n; ++slot) {
            label[slot] = first[slot - 1].first;
            links[slot - 1] = static_cast<std::int32_t>(first[slot - 1].second);
          }
          tree.row_of_[number] = offset;
        } else {
          if (added > 0) tree.AddChildren(number, {&*first, added});
          if (node.word_ends) rows.labels(tree.row_of_[number])[0] |= kFinalFlag;
        }
        new_children.erase(first, new_children.end());
        if (node.node == kNewNode) new_children.emplace_back(node.code, number);
        return true;
      },
      [&] { return static_cast<std::uint32_t>(new_children.size()); });
  return true;
}

}  // namespace tarvo
