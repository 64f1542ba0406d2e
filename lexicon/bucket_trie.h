// BucketTrie: a small trie of the words of one bucket, in list order, over
// the word tree they go into.
//
// It holds the nodes the words pass through: those of the word tree, found
// as the words reach them, and the nodes the words make. Words go in one by
// one, as they would go into the tree, but every step stays within the
// trie's own compact rows instead of the tree's rows spread over memory.
// Each new node gets the number it will have in the tree, given per word:
// the nodes a word makes are numbered one after the other from its first.
// The trie then tells what to write into the tree: the rows of the new
// nodes, and the children and final flags that the tree's nodes gain.
//
//   BucketTrie trie(tree);
//   trie.Reset({node, true});   // the tree node of the bucket's prefix
//   for (word : bucket) trie.Insert(codes after the prefix, first_number, true);
//   trie.ForEachChange(write_new_node, grow_tree_node);
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "lexicon/label_row.h"

namespace tarvo {

class WordTree;

class BucketTrie {
 public:
  explicit BucketTrie(const WordTree& tree) : tree_(tree) {}

  // The node the trie starts from: a node of the tree, or a new one.
  struct Root {
    std::uint32_t number;
    bool in_tree;
  };
  // Forgets every node, keeping the memory, and starts from `root`.
  void Reset(Root root);

  struct Inserted {
    std::size_t reached;  // the codes the word found in place
    std::uint32_t node;   // the trie node where the word ends
    bool stored;          // false: some node would need a 127th child
  };
  // Inserts codes below the root; the nodes made are numbered from
  // first_number up. With word_ends, the node reached is marked final.
  // A word that is not stored leaves the trie unchanged.
  Inserted Insert(std::string_view codes, std::uint32_t first_number, bool word_ends);

  std::uint32_t NumberOf(std::uint32_t node) const { return nodes_[node].number; }

  // Leaves `node` out of ForEachChange: another trie writes it.
  void WrittenElsewhere(std::uint32_t node) { nodes_[node].written_elsewhere = true; }

  using Child = std::pair<std::uint8_t, std::uint32_t>;  // code, node number
  // Calls new_node(number, row head, children) for every node the words
  // made, and grown_node(number, old slot count, final, new children) for
  // every tree node that gains children or becomes final; children in
  // ascending code.
  template <typename NewNode, typename GrownNode>
  void ForEachChange(NewNode&& new_node, GrownNode&& grown_node) const;

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;
  struct Node {
    std::uint32_t first_child = kNone;  // children in ascending code
    std::uint32_t next_sibling = kNone;
    std::uint32_t number = 0;  // in the tree
    std::uint8_t code = 0;
    std::uint8_t children = 0;       // in the tree once written, those it had included
    std::uint8_t tree_children = 0;  // those it has in the tree now
    bool in_tree = false;
    bool word_ends = false;
    bool written_elsewhere = false;
  };
  // Appends a node as the child of `parent`, in code order among its siblings.
  std::uint32_t AddNode(std::uint32_t parent, const Node& node);
  Node TreeNode(std::uint8_t code, std::uint32_t number) const;

  // The child of every node by code, in a hash table: a descent then costs
  // one look-up per code instead of a walk along the siblings.
  static std::uint64_t Key(std::uint32_t parent, std::uint8_t code) {
    return (std::uint64_t{parent} + 1) << 8 | code;
  }
  std::uint32_t FindChild(std::uint32_t parent, std::uint8_t code) const;
  void IndexChild(std::uint32_t parent, std::uint8_t code, std::uint32_t child);
  void GrowIndex();
  std::size_t SlotOf(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> index_shift_);
  }

  const WordTree& tree_;
  std::vector<Node> nodes_;
  std::vector<std::uint64_t> index_keys_;  // 0: free
  std::vector<std::uint32_t> index_children_;
  std::vector<std::uint32_t> used_slots_;
  unsigned index_shift_ = 64;
  mutable std::vector<Child> children_;  // scratch for ForEachChange
};

template <typename NewNode, typename GrownNode>
void BucketTrie::ForEachChange(NewNode&& new_node, GrownNode&& grown_node) const {
  for (const Node& node : nodes_) {
    if (node.written_elsewhere || (node.in_tree && node.children == node.tree_children && !node.word_ends)) {
      continue;
    }
    children_.clear();
    for (std::uint32_t child = node.first_child; child != kNone; child = nodes_[child].next_sibling) {
      if (!nodes_[child].in_tree) children_.emplace_back(nodes_[child].code, nodes_[child].number);
    }
    if (node.in_tree) {
      grown_node(node.number, node.tree_children + 1u, node.word_ends, std::span<const Child>(children_));
    } else {
      const auto head = static_cast<std::uint8_t>((node.word_ends ? kFinalFlag : 0) | (node.children + 1));
      new_node(node.number, head, std::span<const Child>(children_));
    }
  }
}

}  // namespace tarvo
