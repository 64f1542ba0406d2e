#include "lexicon/bucket_trie.h"

#include <algorithm>
#include <bit>

#include "lexicon/assertions.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

constexpr unsigned kMaxChildren = kMaxSlotCount - 1;

}  // namespace

BucketTrie::Node BucketTrie::TreeNode(std::uint8_t code, std::uint32_t number) const {
  Node node;
  node.number = number;
  node.code = code;
  node.children = node.tree_children = static_cast<std::uint8_t>(SlotCount(tree_.LabelRow(number)[0]) - 1);
  node.in_tree = true;
  return node;
}

std::uint32_t BucketTrie::FindChild(std::uint32_t parent, std::uint8_t code) const {
  const std::uint64_t key = Key(parent, code);
  const std::size_t mask = index_keys_.size() - 1;
  for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & mask) {
    if (index_keys_[slot] == key) return index_children_[slot];
    if (index_keys_[slot] == 0) return kNone;
  }
}

void BucketTrie::IndexChild(std::uint32_t parent, std::uint8_t code, std::uint32_t child) {
  if (2 * (used_slots_.size() + 1) > index_keys_.size()) GrowIndex();
  const std::uint64_t key = Key(parent, code);
  const std::size_t mask = index_keys_.size() - 1;
  std::size_t slot = SlotOf(key);
  while (index_keys_[slot] != 0) slot = (slot + 1) & mask;
  index_keys_[slot] = key;
  index_children_[slot] = child;
  used_slots_.push_back(static_cast<std::uint32_t>(slot));
}

void BucketTrie::GrowIndex() {
  const std::size_t size = std::max<std::size_t>(1024, 2 * index_keys_.size());
  index_keys_.assign(size, 0);
  index_children_.assign(size, 0);
  used_slots_.clear();
  index_shift_ = 64 - static_cast<unsigned>(std::countr_zero(size));
  for (std::uint32_t parent = 0; parent < nodes_.size(); ++parent) {
    for (std::uint32_t child = nodes_[parent].first_child; child != kNone; child = nodes_[child].next_sibling) {
      IndexChild(parent, nodes_[child].code, child);
    }
  }
}

void BucketTrie::Reset(Root root) {
  for (const std::uint32_t slot : used_slots_) index_keys_[slot] = 0;
  used_slots_.clear();
  nodes_.clear();
  if (index_keys_.empty()) GrowIndex();
  if (root.in_tree) {
    nodes_.push_back(TreeNode(0, root.number));
  } else {
    Node node;
    node.number = root.number;
    nodes_.push_back(node);
  }
}

std::uint32_t BucketTrie::AddNode(std::uint32_t parent, const Node& node) {
  const auto index = static_cast<std::uint32_t>(nodes_.size());
  nodes_.push_back(node);
  std::uint32_t* link = &nodes_[parent].first_child;
  while (*link != kNone && nodes_[*link].code < node.code) link = &nodes_[*link].next_sibling;
  nodes_.back().next_sibling = *link;
  *link = index;
  IndexChild(parent, node.code, index);
  return index;
}

BucketTrie::Inserted BucketTrie::Insert(std::string_view codes, std::uint32_t first_number, bool word_ends) {
  std::uint32_t node = 0;
  std::size_t i = 0;
  for (; i < codes.size(); ++i) {
    const auto code = static_cast<std::uint8_t>(codes[i]);
    if (const std::uint32_t child = FindChild(node, code); child != kNone) {
      node = child;
      continue;
    }
    if (!nodes_[node].in_tree) break;
    const std::uint32_t in_tree = tree_.ChildOf(nodes_[node].number, code);
    if (in_tree == WordTree::kNoChild) break;
    node = AddNode(node, TreeNode(code, in_tree));
  }
  const std::size_t reached = i;
  if (i < codes.size()) {
    if (nodes_[node].children == kMaxChildren) return {reached, node, false};
    ++nodes_[node].children;
    for (; i < codes.size(); ++i) {
      Node made;
      made.number = first_number++;
      made.code = static_cast<std::uint8_t>(codes[i]);
      made.children = i + 1 < codes.size() ? 1 : 0;
      node = AddNode(node, made);
    }
  }
  if (word_ends) nodes_[node].word_ends = true;
  return {reached, node, true};
}

}  // namespace tarvo
