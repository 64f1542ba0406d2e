#include "lexicon/word_tree.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "lexicon/label_row.h"
#include "lexicon/shared_prefix.h"
#include "lexicon/task_pipeline.h"
#include "lexicon/word_file_writer.h"

namespace tarvo {
namespace {

constexpr std::uint32_t kDefaultGrowthStep = 1000;

}  // namespace

WordTree::WordTree() {
  capacity_ = 1;
  MakeRoot();
}

void WordTree::MakeRoot() {
  node_count_ = 0;
  AppendNode(kEmptyRowHead, 0, 0);
}

void WordTree::Reset() {
  rows_.Clear();
  row_of_.clear();
  reached_limit_ = false;
  capacity_ = growth_step_;
  MakeRoot();
}

void WordTree::Configure(const SymbolCoding& coding, std::uint32_t buffer_size) {
  growth_step_ = buffer_size >= 2 ? buffer_size : kDefaultGrowthStep;
  capacity_ = growth_step_;
  coding_ = coding;
}

std::uint32_t WordTree::AppendNode(std::uint8_t head, std::uint8_t code, std::int32_t link) {
  TARVO_ASSERT(node_count_ < kMaxNodes);  // InsertCodes checks for room first
  if (node_count_ == capacity_) capacity_ = node_count_ + growth_step_;
  const unsigned n = SlotCount(head);
  NodeRowPool::Offset offset = rows_.Allocate(n);
  std::uint8_t* label = rows_.labels(offset);
  label[0] = head;
  if (n == 2) {
    label[1] = code;
    StoreLink(rows_.links(offset, n), 0, link);
  }
  ReserveDoubling(row_of_, row_of_.size() + 1);
  row_of_.push_back(offset);
  return node_count_++;
}

void WordTree::AddChildren(std::uint32_t node,
                           std::span<const std::pair<std::uint8_t, std::uint32_t>> children) {
  const unsigned n = SlotCount(rows_.labels(row_of_[node])[0]);
  const NodeRowPool::Offset old_offset =
      MoveRowWithChildren(node, children, rows_.Allocate(n + static_cast<unsigned>(children.size())));
  rows_.Release(old_offset, n);
}

NodeRowPool::Offset WordTree::MoveRowWithChildren(std::uint32_t node,
                                                  std::span<const std::pair<std::uint8_t, std::uint32_t>> children,
                                                  NodeRowPool::Offset offset) {
  const NodeRowPool::Offset old_offset = row_of_[node];
  const unsigned n = SlotCount(rows_.labels(old_offset)[0]);
  const auto added = static_cast<unsigned>(children.size());
  TARVO_ASSERT(n + added <= kMaxSlotCount);
  std::uint8_t* label = rows_.labels(offset);
  std::uint8_t* link = rows_.links(offset, n + added);
  const std::uint8_t* old_label = rows_.labels(old_offset);
  const LinkRowView old_link = std::as_const(rows_).links(old_offset, n);
  label[0] = static_cast<std::uint8_t>(old_label[0] + added);  // keeps the final flag
  // Merges the two ascending lists of codes.
  unsigned old_slot = 1;
  auto next = children.begin();
  for (unsigned slot = 1; slot < n + added; ++slot) {
    if (next == children.end() || (old_slot < n && old_label[old_slot] < next->first)) {
      label[slot] = old_label[old_slot];
      StoreLink(link, slot - 1, old_link[old_slot - 1]);
      ++old_slot;
    } else {
      TARVO_ASSERT(old_slot == n || old_label[old_slot] != next->first);
      label[slot] = next->first;
      StoreLink(link, slot - 1, static_cast<std::int32_t>(next->second));
      ++next;
    }
  }
  row_of_[node] = offset;
  return old_offset;
}

bool WordTree::Insert(std::string_view word) {
  codes_.clear();
  return coding_.Encode(word, codes_) && InsertCodes(codes_, 0, 0, nullptr);
}

bool WordTree::InsertCodes(std::string_view codes, std::size_t depth, std::uint32_t node,
                            std::vector<std::uint32_t>* path) {
  const std::size_t length = codes.size();
  std::size_t i = depth;
  for (; i < length; ++i) {
    const std::uint32_t child = ChildOf(node, static_cast<std::uint8_t>(codes[i]));
    if (child == kNoChild) break;
    node = child;
    if (path != nullptr) path->push_back(node);
  }
  if (i == length) {
    rows_.labels(row_of_[node])[0] |= kFinalFlag;
    return true;
  }
  const unsigned n = SlotCount(rows_.labels(row_of_[node])[0]);
  if (n == kMaxSlotCount) return false;
  // The word adds length - i nodes: a chain of two-slot rows and a leaf of
  // one slot, after the node's row grows to n + 1 slots.
  const std::uint64_t new_nodes = length - i;
  if (node_count_ + new_nodes > kMaxNodes || !rows_.HasRoomFor(RowBytesOfWord(n, new_nodes))) {
    reached_limit_ = true;
    return false;
  }
  const std::pair<std::uint8_t, std::uint32_t> child{static_cast<std::uint8_t>(codes[i]), node_count_};
  AddChildren(node, {&child, 1});
  for (std::size_t k = i + 1; k < length; ++k) {
    std::uint32_t index = node_count_;
    AppendNode(2, static_cast<std::uint8_t>(codes[k]), static_cast<std::int32_t>(index + 1));
    if (path != nullptr) path->push_back(index);
  }
  std::uint32_t leaf = AppendNode(kFinalLeafHead, 0, 0);
  if (path != nullptr) path->push_back(leaf);
  return true;
}

bool WordTree::SequentialInserter::Insert(std::string_view codes) {
  // The previous word's path may end early, where it was refused.
  const std::size_t shared = SharedPrefixLength(codes.substr(0, nodes_on_path_.size() - 1), previous_);
  nodes_on_path_.resize(shared + 1);
  last_shared_ = shared;
  const bool stored = tree_.InsertCodes(codes, shared, nodes_on_path_[shared], &nodes_on_path_);
  // nodes_on_path_ now ends where the descent stopped (before a refused
  // word's missing child), which bounds what the next word may share.
  previous_.assign(codes);
  return stored;
}

void WordTree::ReserveNodes(std::uint64_t nodes) {
  // Each node has a label slot of its own, and a label slot and a link in
  // its parent's rows.
  if (row_of_.size() + nodes > row_of_.capacity()) Reallocate(row_of_, row_of_.size() + nodes);
  rows_.Reserve((2 + sizeof(std::int32_t)) * nodes);
}

void WordTree::Recode(const SymbolCoding& coding, const SymbolTable& new_code_of) {
  const auto recode = [&](std::uint32_t begin, std::uint32_t end) {
    std::pair<std::uint8_t, std::int32_t> slots[kMaxSlotCount];
    for (std::uint32_t node = begin; node < end; ++node) {
      std::uint8_t* label = rows_.labels(row_of_[node]);
      const unsigned n = SlotCount(label[0]);
      if (n < 2) continue;
      if (n == 2) {  // most nodes have one child: nothing to sort
        label[1] = new_code_of[label[1]];
        continue;
      }
      const LinkRowView links = std::as_const(rows_).links(row_of_[node], n);
      for (unsigned slot = 1; slot < n; ++slot) slots[slot - 1] = {new_code_of[label[slot]], links[slot - 1]};
      std::sort(slots, slots + (n - 1));
      std::uint8_t* new_links = rows_.links(row_of_[node], n);
      for (unsigned slot = 1; slot < n; ++slot) {
        label[slot] = slots[slot - 1].first;
        StoreLink(new_links, slot - 1, slots[slot - 1].second);
      }
    }
  };
  // Every node's row is its own: ranges of nodes are recoded on all
  // processors at once.
  constexpr std::uint32_t kNodesPerTask = std::uint32_t{1} << 16;
  const std::size_t tasks = (std::size_t{node_count_} + kNodesPerTask - 1) / kNodesPerTask;
  if (tasks <= 1) {
    recode(0, node_count_);
  } else {
    TaskPipeline().Run(
        tasks,
        [&](std::size_t task, unsigned) {
          const auto begin = static_cast<std::uint32_t>(task * kNodesPerTask);
          recode(begin, std::min(node_count_, begin + kNodesPerTask));
        },
        [](std::size_t, unsigned) { return true; });
  }
  coding_ = coding;
}

void WordTree::WriteWords(WordFileWriter& out, std::string prefix, std::uint32_t node) const {
  // Depth first with an explicit stack, so that a very long inserted word
  // cannot exhaust the call stack.
  struct Visit {
    std::uint32_t node;
    unsigned next_slot;
    std::size_t prefix_length;  // the length of the node's own prefix
  };
  std::vector<Visit> stack{{node, 1, prefix.size()}};
  // Words held backwards are written in reading order.
  std::string turned;
  auto write = [&](const std::string& word) {
    if (!coding_.backwards()) {
      out.WriteLine(word);
      return;
    }
    turned.assign(word);
    coding_.ToReadingOrder(turned);
    out.WriteLine(turned);
  };
  if (IsFinal(LabelRow(node)[0])) write(prefix);
  while (!stack.empty()) {
    Visit& top = stack.back();
    const std::uint8_t* label = LabelRow(top.node);
    if (top.next_slot >= SlotCount(label[0])) {
      stack.pop_back();
      continue;
    }
    unsigned slot = top.next_slot++;
    std::uint32_t child = static_cast<std::uint32_t>(LinkRow(top.node)[slot - 1]);
    prefix.resize(top.prefix_length);
    coding_.AppendText(prefix, label[slot]);
    if (IsFinal(LabelRow(child)[0])) write(prefix);
    stack.push_back({child, 1, prefix.size()});
  }
}

std::error_code WordTree::SaveAll(const std::string& path, const std::vector<std::string>& more_words) const {
  WordFileWriter out;
  if (const std::error_code error = out.OpenForReplace(path)) return error;
  if (node_count_ > 1) WriteWords(out, std::string(), 0);
  for (const std::string& word : more_words) out.WriteLine(word);
  return out.Commit();
}

}  // namespace tarvo
