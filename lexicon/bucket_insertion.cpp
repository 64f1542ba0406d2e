#include "lexicon/bucket_insertion.h"

#include <algorithm>
#include <vector>

#include <malloc.h>

#include "lexicon/bucket_trie.h"
#include "lexicon/label_row.h"
#include "lexicon/prefix_buckets.h"
#include "lexicon/task_pipeline.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

constexpr std::uint32_t kNoBucket = UINT32_MAX;
// How many words ahead InsertBucket fetches a word's entry towards the cache.
constexpr std::uint32_t kFetchAhead = 8;
// Buckets' worth of words per task of the threads that insert the buckets.
constexpr std::size_t kBucketsPerBatch = 16;

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

  Slots& operator+=(const Slots& more) {
    written += more.written;
    most += more.most;
    return *this;
  }

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
//
// The parts are split, and the buckets' words inserted into their tries, on
// several threads at once. While counting, the threads write nothing but
// their own words' entries of first_number_. While writing, each batch of
// buckets writes its nodes' rows into a range of the row pool of its own,
// found from the count, and changes only nodes below its buckets' prefixes,
// which no other batch reads; the calling thread meanwhile only frees what
// the batches are done with.
class BucketInsertion {
 public:
  BucketInsertion(WordTree& tree, CollectedWords& words);

  bool Run(std::size_t bucket_words);

 private:
  // What splitting one part gives: its buckets and top words, numbered
  // within the part.
  struct PartSplit {
    std::vector<Bucket> buckets;
    std::vector<TopWord> tops;
  };
  // Consecutive buckets, inserted as one task: handing each bucket from
  // thread to thread on its own would cost more than its insertion.
  struct Batch {
    std::size_t begin;
    std::size_t end;
    std::uint64_t slots = 0;             // what its rows take from the row pool
    NodeRowPool::Offset first_slot = 0;  // where they start there
  };
  // A tree node's row that was moved, to be reused.
  struct MovedRow {
    NodeRowPool::Offset offset;
    unsigned slots;
  };
  // What one task makes of its batch.
  struct BatchWork {
    explicit BatchWork(const WordTree& tree) : trie(tree) {}
    BucketTrie trie;
    bool stored = false;                // false: some node would need a 127th child
    std::size_t longest = 0;            // of the batch's words, while counting
    Slots slots;                        // while counting
    NodeRowPool::Offset next_slot = 0;  // while writing
    std::vector<MovedRow> moved;        // while writing
  };

  // Puts each part's words in bucket order and finds the buckets and the top
  // words.
  void Split(std::size_t bucket_words);
  void SplitPart(unsigned part, std::size_t bucket_words, PartSplit& split);
  void MakeBatches(std::size_t bucket_words);
  // Counts the nodes each word makes and numbers them; false when the
  // words cannot all go in this way.
  bool Count();
  // Writes the nodes into the tree; the words are gone after it.
  void Write();
  // Inserts the top words in list order; while counting, records what they
  // make, else numbers their nodes.
  bool InsertTops();
  // Inserts every batch's buckets, each into a trie of its own, on the
  // pipeline's threads, calling on_trie(work) for each bucket stored; then
  // calls take(batch, work) for every batch in order. False when take
  // returned false.
  template <typename OnTrie, typename Take>
  bool InsertBatches(OnTrie&& on_trie, Take&& take);
  // Inserts a bucket's words into work.trie; while counting, records the
  // nodes each word makes, else numbers them.
  void InsertBucket(const Bucket& bucket, BatchWork& work);
  // Turns the count of nodes each word makes into the number of its first
  // node; false when the tree could not hold them all.
  bool NumberNodes();
  // Sizes the tree for every node and gives each batch its range of rows;
  // returns where the rows of the trie of prefixes go, before them.
  NodeRowPool::Offset MakeRoom();
  // Writes what the trie's words change into the tree, the rows from
  // next_slot on; the rows that tree nodes leave go to `moved`.
  void WriteChanges(const BucketTrie& trie, NodeRowPool::Offset& next_slot, std::vector<MovedRow>& moved);
  void ReleaseMovedRows(std::vector<MovedRow>& moved);
  // Frees the words of the parts whose last bucket is in the batch.
  void ReleaseWords(const Batch& batch);

  WordTree& tree_;
  CollectedWords& words_;
  TaskPipeline pipeline_;
  std::vector<BatchWork> work_;  // one per slot of the pipeline
  std::vector<Bucket> buckets_;
  std::vector<Batch> batches_;
  std::vector<TopWord> tops_;
  // Per word in list order: the nodes it makes while counting, then the
  // number of the first of them.
  LargeVector<std::uint32_t> first_number_;
  bool counting_ = true;
  BucketTrie top_;
  Slots top_slots_;
  Slots slots_;  // of all the tries
  std::size_t longest_ = 0;
  std::uint32_t node_count_ = 0;  // once every word is in
};

BucketInsertion::BucketInsertion(WordTree& tree, CollectedWords& words) : tree_(tree), words_(words), top_(tree) {
  work_.reserve(pipeline_.slots());
  for (unsigned slot = 0; slot < pipeline_.slots(); ++slot) work_.emplace_back(tree);
}

void BucketInsertion::SplitPart(unsigned part, std::size_t bucket_words, PartSplit& split) {
  split.buckets.clear();
  split.tops.clear();
  PrefixBuckets buckets;
  {
    const LargeVector<std::uint32_t> list_starts = words_.part(part).Starts();
    buckets = SplitIntoBuckets(words_.part(part), list_starts, bucket_words);
    words_.ReorderPart(part, buckets.order, list_starts);
  }
  const LargeVector<std::uint32_t>& numbers = words_.numbers(part);
  const LargeVector<std::uint32_t> starts = words_.part(part).Starts();
  for (const WordRange& range : buckets.buckets) {
    const std::uint32_t begin = range.begin;
    split.tops.push_back(
        {numbers[begin], part, begin, starts[begin], range.depth, static_cast<std::uint32_t>(split.buckets.size())});
    split.buckets.push_back({part, range, starts[begin]});
  }
  for (const WordRange& range : buckets.ends) {
    for (std::uint32_t i = range.begin; i < range.end; ++i) {
      split.tops.push_back({numbers[i], part, i, starts[i], range.depth, kNoBucket});
    }
  }
}

void BucketInsertion::Split(std::size_t bucket_words) {
  std::vector<unsigned> parts;
  for (unsigned part = 0; part < CollectedWords::kParts; ++part) {
    if (!words_.part(part).empty()) parts.push_back(part);
  }
  std::vector<PartSplit> splits(pipeline_.slots());
  pipeline_.Run(
      parts.size(), [&](std::size_t task, unsigned slot) { SplitPart(parts[task], bucket_words, splits[slot]); },
      [&](std::size_t, unsigned slot) {
        const auto first_bucket = static_cast<std::uint32_t>(buckets_.size());
        buckets_.insert(buckets_.end(), splits[slot].buckets.begin(), splits[slot].buckets.end());
        for (TopWord word : splits[slot].tops) {
          if (word.bucket != kNoBucket) word.bucket += first_bucket;
          tops_.push_back(word);
        }
        return true;
      });
  std::sort(tops_.begin(), tops_.end(), [](const TopWord& a, const TopWord& b) { return a.number < b.number; });
}

void BucketInsertion::MakeBatches(std::size_t bucket_words) {
  std::size_t words = 0;
  for (std::size_t b = 0; b < buckets_.size(); ++b) {
    if (batches_.empty() || words >= kBucketsPerBatch * bucket_words) {
      batches_.push_back({b, b});
      words = 0;
    }
    batches_.back().end = b + 1;
    words += buckets_[b].range.end - buckets_[b].range.begin;
  }
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

template <typename OnTrie, typename Take>
bool BucketInsertion::InsertBatches(OnTrie&& on_trie, Take&& take) {
  const auto work = [&](std::size_t task, unsigned slot) {
    BatchWork& batch_work = work_[slot];
    batch_work.stored = true;
    batch_work.longest = 0;
    batch_work.slots = {};
    batch_work.next_slot = batches_[task].first_slot;
    for (std::size_t b = batches_[task].begin; b < batches_[task].end && batch_work.stored; ++b) {
      InsertBucket(buckets_[b], batch_work);
      if (batch_work.stored) on_trie(batch_work);
    }
  };
  return pipeline_.Run(batches_.size(), work,
                       [&](std::size_t task, unsigned slot) { return take(batches_[task], work_[slot]); });
}

void BucketInsertion::InsertBucket(const Bucket& bucket, BatchWork& work) {
  const CodedWords& words = words_.part(bucket.part);
  const LargeVector<std::uint32_t>& numbers = words_.numbers(bucket.part);
  const std::uint32_t depth = bucket.range.depth;
  BucketTrie& trie = work.trie;
  work.stored = false;
  // The first word makes the prefix's node when it is not in the tree, and
  // the nodes above it from bucket.reached on, in the trie of prefixes.
  const std::uint32_t first_word = numbers[bucket.range.begin];
  const std::uint32_t made_above = bucket.prefix_in_tree() ? 0 : depth - bucket.reached;
  if (bucket.prefix_in_tree()) {
    trie.Reset({bucket.tree_node, true});
  } else {
    trie.Reset({counting_ ? 0 : first_number_[first_word] + made_above - 1, false});
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
        trie.Insert(word.substr(depth), counting_ ? 0 : first_number_[number] + above, true);
    if (!inserted.stored) return;
    if (counting_) {
      first_number_[number] = static_cast<std::uint32_t>(word.size() - depth - inserted.reached + above);
      work.longest = std::max(work.longest, word.size());
    }
  }
  work.stored = true;
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

NodeRowPool::Offset BucketInsertion::MakeRoom() {
  if (node_count_ > tree_.capacity_) {
    const std::uint32_t step = tree_.growth_step_;
    tree_.capacity_ += (node_count_ - tree_.capacity_ + step - 1) / step * step;
  }
  tree_.row_of_.resize(node_count_);
  tree_.node_count_ = node_count_;
  const NodeRowPool::Offset top_first_slot = tree_.rows_.Extend(slots_.written);
  NodeRowPool::Offset next = top_first_slot + static_cast<NodeRowPool::Offset>(top_slots_.written);
  for (Batch& batch : batches_) {
    batch.first_slot = next;
    next += static_cast<NodeRowPool::Offset>(batch.slots);
  }
  return top_first_slot;
}

void BucketInsertion::WriteChanges(const BucketTrie& trie, NodeRowPool::Offset& next_slot,
                                   std::vector<MovedRow>& moved) {
  NodeRowPool& rows = tree_.rows_;
  trie.ForEachChange(
      [&](std::uint32_t number, std::uint8_t head, std::span<const BucketTrie::Child> children) {
        const unsigned n = SlotCount(head);
        std::uint8_t* label = rows.labels(next_slot);
        std::int32_t* links = rows.links(next_slot);
        label[0] = head;
        links[0] = 0;
        for (unsigned slot = 1; slot < n; ++slot) {
          label[slot] = children[slot - 1].first;
          links[slot - 1] = static_cast<std::int32_t>(children[slot - 1].second);
        }
        tree_.row_of_[number] = next_slot;
        next_slot += n;
      },
      [&](std::uint32_t number, unsigned old_n, bool word_ends, std::span<const BucketTrie::Child> children) {
        if (!children.empty()) {
          moved.push_back({tree_.MoveRowWithChildren(number, children, next_slot), old_n});
          next_slot += static_cast<NodeRowPool::Offset>(old_n + children.size());
        }
        if (word_ends) rows.labels(tree_.row_of_[number])[0] |= kFinalFlag;
      });
}

void BucketInsertion::ReleaseMovedRows(std::vector<MovedRow>& moved) {
  for (const MovedRow& row : moved) tree_.rows_.Release(row.offset, row.slots);
  moved.clear();
}

void BucketInsertion::ReleaseWords(const Batch& batch) {
  for (std::size_t b = batch.begin; b < batch.end; ++b) {
    const unsigned part = buckets_[b].part;
    if (b + 1 == buckets_.size() || buckets_[b + 1].part != part) {
      // The part's words are in: their memory can go to the rows.
      words_.ReleasePart(part);
      ::malloc_trim(0);
    }
  }
}

bool BucketInsertion::Count() {
  first_number_.assign(words_.size(), 0);
  if (!InsertTops()) return false;
  top_slots_.Count(top_);
  slots_ = top_slots_;
  const bool all_stored = InsertBatches([](BatchWork& work) { work.slots.Count(work.trie); },
                                        [&](Batch& batch, const BatchWork& work) {
                                          if (!work.stored) return false;
                                          batch.slots = work.slots.written;
                                          slots_ += work.slots;
                                          longest_ = std::max(longest_, work.longest);
                                          return true;
                                        });
  return all_stored && NumberNodes();
}

void BucketInsertion::Write() {
  counting_ = false;
  NodeRowPool::Offset top_next_slot = MakeRoom();
  // The words go in as they did while counting, so every one is stored.
  [[maybe_unused]] const bool tops_stored = InsertTops();
  TARVO_ASSERT(tops_stored);
  std::vector<MovedRow> moved;
  WriteChanges(top_, top_next_slot, moved);
  ReleaseMovedRows(moved);
  InsertBatches([&](BatchWork& work) { WriteChanges(work.trie, work.next_slot, work.moved); },
                [&](const Batch& batch, BatchWork& work) {
                  TARVO_ASSERT(work.stored && work.next_slot == batch.first_slot + batch.slots);
                  ReleaseMovedRows(work.moved);
                  ReleaseWords(batch);
                  return true;
                });
  words_.Clear();
}

bool BucketInsertion::Run(std::size_t bucket_words) {
  Split(bucket_words);
  MakeBatches(bucket_words);
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
