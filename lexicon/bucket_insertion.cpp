#include "lexicon/bucket_insertion.h"

#include <algorithm>
#include <vector>

#include <malloc.h>

#include "lexicon/bucket_trie.h"
#include "lexicon/label_row.h"
#include "lexicon/prefix_buckets.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

constexpr std::uint32_t kNoBucket = UINT32_MAX;
// How many words ahead InsertBucket fetches a word's entry towards the cache.
constexpr std::uint32_t kFetchAhead = 8;

struct Bucket {
  unsigned part;  // the first code of its words
  WordRange range;
  std::uint32_t start;  // where its first word starts in the part's codes
  // How much of the bucket's prefix is in place before its first word, and
  // the prefix's node when all of it is (then it is a node of the tree).
  std::uint32_t reached = 0;
  std::uint32_t tree_node = 0;
  bool prefix_in_tree() const { return reached == range.depth; }
};

// A word that goes into the trie of prefixes: the first word of a bucket
// (its prefix only), or a word that ends where buckets part.
struct TopWord {
  std::uint32_t number;  // in the list of collected words
  unsigned part;
  std::uint32_t index;  // in its part
  std::uint32_t start;  // where it starts in the part's codes
  std::uint32_t length;
  std::uint32_t bucket;  // the bucket whose prefix it is, or kNoBucket
};

std::uint64_t SlotsUpTo(std::uint64_t n) { return n * (n + 1) / 2; }

// What the rows of the new and grown nodes take from the row pool.
struct Slots {
  std::uint64_t written = 0;  // by the rows written at once
  // Inserting the words one by one could take this many at most: every
  // size a row passes through, none reused.
  std::uint64_t most = 0;

  void Count(const BucketTrie& trie) {
    trie.ForEachChange(
        [&](std::uint32_t, std::uint8_t head, std::span<const BucketTrie::Child>) {
          const unsigned n = SlotCount(head);
          written += n;
          most += SlotsUpTo(n);
        },
        [&](std::uint32_t, unsigned old_n, bool, std::span<const BucketTrie::Child> children) {
          if (children.empty()) return;
          const std::uint64_t n = old_n + children.size();
          written += n;
          most += SlotsUpTo(n) - SlotsUpTo(old_n);
        });
  }
};

}  // namespace

// The steps of InsertInBuckets; a friend of WordTree, whose rows it writes.
class BucketInsertion {
 public:
  BucketInsertion(WordTree& tree, CollectedWords& words) : tree_(tree), words_(words), top_(tree), trie_(tree) {}

  bool Run(std::size_t bucket_words);

 private:
  // Puts each part's words in bucket order and finds the top words.
  void Split(std::size_t bucket_words);
  // Counts the nodes each word makes and numbers them; false when the
  // words cannot all go in this way.
  bool Count();
  // Writes the nodes into the tree; the words are gone after it.
  void Write();
  // Inserts the top words in list order; while counting, records what they
  // make, else numbers their nodes.
  bool InsertTops();
  bool InsertBucket(const Bucket& bucket);
  // Turns the count of nodes each word makes into the number of its first
  // node; false when the tree could not hold them all.
  bool NumberNodes();
  void MakeRoom();
  // Writes what the trie's words change into the tree.
  void WriteChanges(const BucketTrie& trie);

  WordTree& tree_;
  CollectedWords& words_;
  std::vector<Bucket> buckets_;
  std::vector<TopWord> tops_;
  // Per word in list order: the nodes it makes while counting, then the
  // number of the first of them.
  LargeVector<std::uint32_t> first_number_;
  bool counting_ = true;
  BucketTrie top_;
  BucketTrie trie_;
  Slots slots_;
  std::size_t longest_ = 0;
  std::uint32_t node_count_ = 0;  // once every word is in
};

void BucketInsertion::Split(std::size_t bucket_words) {
  for (unsigned part = 0; part < CollectedWords::kParts; ++part) {
    const CodedWords& words = words_.part(part);
    if (words.empty()) continue;
    PrefixBuckets split;
    {
      const LargeVector<std::uint32_t> list_starts = words.Starts();
      split = SplitIntoBuckets(words, list_starts, bucket_words);
      words_.ReorderPart(part, split.order, list_starts);
    }
    const LargeVector<std::uint32_t>& numbers = words_.numbers(part);
    const LargeVector<std::uint32_t> starts = words_.part(part).Starts();
    for (const WordRange& range : split.buckets) {
      const std::uint32_t begin = range.begin;
      tops_.push_back({numbers[begin], part, begin, starts[begin], range.depth, static_cast<std::uint32_t>(buckets_.size())});
      buckets_.push_back({part, range, starts[begin]});
    }
    for (const WordRange& range : split.ends) {
      for (std::uint32_t i = range.begin; i < range.end; ++i) {
        tops_.push_back({numbers[i], part, i, starts[i], range.depth, kNoBucket});
      }
    }
  }
  std::sort(tops_.begin(), tops_.end(), [](const TopWord& a, const TopWord& b) { return a.number < b.number; });
}

bool BucketInsertion::InsertTops() {
  top_.Reset({0, true});
  for (const TopWord& word : tops_) {
    const std::string_view codes = words_.part(word.part).word(word.start, word.index).substr(0, word.length);
    const bool is_prefix = word.bucket != kNoBucket;
    const BucketTrie::Inserted inserted = top_.Insert(codes, counting_ ? 0 : first_number_[word.number], !is_prefix);
    if (!inserted.stored) return false;
    if (is_prefix) {
      // Every word with this prefix is in the bucket, which writes its node.
      top_.WrittenElsewhere(inserted.node);
      Bucket& bucket = buckets_[word.bucket];
      bucket.reached = static_cast<std::uint32_t>(inserted.reached);
      if (bucket.prefix_in_tree()) bucket.tree_node = top_.NumberOf(inserted.node);
    } else if (counting_) {
      first_number_[word.number] = static_cast<std::uint32_t>(word.length - inserted.reached);
    }
  }
  return true;
}

bool BucketInsertion::InsertBucket(const Bucket& bucket) {
  const CodedWords& words = words_.part(bucket.part);
  const LargeVector<std::uint32_t>& numbers = words_.numbers(bucket.part);
  const std::uint32_t depth = bucket.range.depth;
  // The first word makes the prefix's node when it is not in the tree, and
  // the nodes above it from bucket.reached on, in the trie of prefixes.
  const std::uint32_t first_word = numbers[bucket.range.begin];
  const std::uint32_t made_above = bucket.prefix_in_tree() ? 0 : depth - bucket.reached;
  if (bucket.prefix_in_tree()) {
    trie_.Reset({bucket.tree_node, true});
  } else {
    trie_.Reset({counting_ ? 0 : first_number_[first_word] + made_above - 1, false});
  }
  std::uint32_t start = bucket.start;
  for (std::uint32_t i = bucket.range.begin; i < bucket.range.end; ++i) {
    // The bucket's words lie far apart in first_number_: fetch the entry of
    // a word some way ahead towards the cache.
    if (i + kFetchAhead < bucket.range.end) __builtin_prefetch(&first_number_[numbers[i + kFetchAhead]]);
    const std::string_view word = words.word(start, i);
    start += static_cast<std::uint32_t>(word.size());
    const std::uint32_t number = numbers[i];
    const std::uint32_t above = i == bucket.range.begin ? made_above : 0;
    const BucketTrie::Inserted inserted =
        trie_.Insert(word.substr(depth), counting_ ? 0 : first_number_[number] + above, true);
    if (!inserted.stored) return false;
    if (counting_) {
      first_number_[number] = static_cast<std::uint32_t>(word.size() - depth - inserted.reached + above);
      longest_ = std::max(longest_, word.size());
    }
  }
  return true;
}

bool BucketInsertion::NumberNodes() {
  std::uint64_t next = tree_.node_count_;
  for (std::uint32_t& number : first_number_) {
    const std::uint32_t made = number;
    number = static_cast<std::uint32_t>(next);
    next += made;
    if (next > WordTree::kMaxNodes) return false;
  }
  // One by one, a word is refused when the row pool would pass its limit
  // with the word's nodes and its parent's grown row.
  const std::uint64_t slots_of_one_word = kMaxSlotCount + 2 * std::uint64_t{longest_};
  if (!tree_.rows_.HasRoomFor(slots_.most + slots_of_one_word)) return false;
  node_count_ = static_cast<std::uint32_t>(next);
  return true;
}

void BucketInsertion::MakeRoom() {
  if (node_count_ > tree_.capacity_) {
    const std::uint32_t step = tree_.growth_step_;
    tree_.capacity_ += (node_count_ - tree_.capacity_ + step - 1) / step * step;
  }
  tree_.row_of_.resize(node_count_);
  tree_.rows_.Reserve(slots_.written);
  tree_.node_count_ = node_count_;
}

void BucketInsertion::WriteChanges(const BucketTrie& trie) {
  NodeRowPool& rows = tree_.rows_;
  trie.ForEachChange(
      [&](std::uint32_t number, std::uint8_t head, std::span<const BucketTrie::Child> children) {
        const unsigned n = SlotCount(head);
        const NodeRowPool::Offset offset = rows.Allocate(n);
        std::uint8_t* label = rows.labels(offset);
        std::int32_t* links = rows.links(offset);
        label[0] = head;
        links[0] = 0;
        for (unsigned slot = 1; slot < n; ++slot) {
          label[slot] = children[slot - 1].first;
          links[slot - 1] = static_cast<std::int32_t>(children[slot - 1].second);
        }
        tree_.row_of_[number] = offset;
      },
      [&](std::uint32_t number, unsigned, bool word_ends, std::span<const BucketTrie::Child> children) {
        if (!children.empty()) tree_.AddChildren(number, children);
        if (word_ends) rows.labels(tree_.row_of_[number])[0] |= kFinalFlag;
      });
}

bool BucketInsertion::Count() {
  first_number_.assign(words_.size(), 0);
  if (!InsertTops()) return false;
  slots_.Count(top_);
  for (const Bucket& bucket : buckets_) {
    if (!InsertBucket(bucket)) return false;
    slots_.Count(trie_);
  }
  return NumberNodes();
}

void BucketInsertion::Write() {
  counting_ = false;
  MakeRoom();
  // The words go in as they did while counting, so every one is stored.
  [[maybe_unused]] const bool tops_stored = InsertTops();
  TARVO_ASSERT(tops_stored);
  WriteChanges(top_);
  for (std::size_t b = 0; b < buckets_.size(); ++b) {
    [[maybe_unused]] const bool stored = InsertBucket(buckets_[b]);
    TARVO_ASSERT(stored);
    WriteChanges(trie_);
    const unsigned part = buckets_[b].part;
    if (b + 1 == buckets_.size() || buckets_[b + 1].part != part) {
      // The part's words are in: their memory can go to the rows.
      words_.ReleasePart(part);
      ::malloc_trim(0);
    }
  }
  words_.Clear();
}

bool BucketInsertion::Run(std::size_t bucket_words) {
  Split(bucket_words);
  if (!Count()) {
    // The words go in one by one after all, in list order.
    words_.RestoreListOrder();
    return false;
  }
  Write();
  return true;
}

bool InsertInBuckets(WordTree& tree, CollectedWords& words, std::size_t bucket_words) {
  if (words.empty()) return true;
  return BucketInsertion(tree, words).Run(bucket_words);
}

}  // namespace tarvo
