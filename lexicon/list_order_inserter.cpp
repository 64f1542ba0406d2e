#include "lexicon/list_order_inserter.h"

#include "lexicon/code_order_insertion.h"
#include "lexicon/shared_prefix.h"
#include "lexicon/word_blocks.h"

namespace tarvo {

void ListOrderInserter::Add(std::string_view codes) {
  const std::uint64_t position = added_++;
  switch (way_) {
    case Way::kHold:
      if (codes.size() <= CodedWords::kLongest) {
        Hold(codes);
        return;
      }
      // A word too long to hold ends the holding before its judgement.
      ReleaseHeld(Way::kInsert);
      [[fallthrough]];
    case Way::kInsert:
      InsertDirectly(codes, position);
      if (LooksUnsorted(codes.size(), direct_.last_shared())) way_ = Way::kCollect;
      return;
    case Way::kCollect:
      Collect(codes, position);
      return;
  }
}

void ListOrderInserter::Hold(std::string_view codes) {
  std::size_t shared = 0;
  if (!held_.empty()) {
    const std::uint8_t before = held_.lengths.back();
    shared = SharedPrefixLength(std::string_view(held_.codes.data() + held_.codes.size() - before, before), codes);
  }
  held_.Add(codes);
  const bool unsorted = LooksUnsorted(codes.size(), shared);
  if (held_.size() == kFewestWordsToJudge) ReleaseHeld(unsorted ? Way::kCollect : Way::kInsert);
}

void ListOrderInserter::ReleaseHeld(Way way) {
  way_ = way;
  if (way_ == Way::kCollect && tree_.node_count() > 1) {
    // The collected words go into the tree once all are read. Its room
    // grows now, as the next word straight in would make it grow, while
    // the words take little memory: growing it at the end would hold its
    // rows, their copy and all the words at once.
    tree_.ReserveNodes(tree_.node_count());
  }
  // The held words are the first of the list: word k is at position k.
  std::uint32_t start = 0;
  for (std::uint32_t k = 0; k < held_.size(); ++k) {
    const std::string_view codes = held_.word(start, k);
    start += held_.lengths[k];
    if (way_ == Way::kCollect) {
      Collect(codes, k);
    } else {
      InsertDirectly(codes, k);
    }
  }
  held_ = CodedWords();
}

void ListOrderInserter::Collect(std::string_view codes, std::uint64_t position) {
  if (collected_.empty()) first_collected_ = position;
  if (collected_.Add(codes)) return;
  // Full, or a word too long to collect: the words so far go in first.
  InsertCollected();
  first_collected_ = position;
  if (collected_.Add(codes)) return;
  InsertDirectly(codes, position);
}

bool ListOrderInserter::AddText(std::string_view word) {
  codes_.clear();
  if (!tree_.coding().Encode(word, codes_)) return false;
  Add(codes_);
  return true;
}

std::error_code ListOrderInserter::AddFile(const std::string& path, WordListStats& stats) {
  WordFileReader reader;
  if (const std::error_code error = reader.Open(path)) return error;
  // The reading thread codes the words with a copy of the coding, which the
  // tree does not change meanwhile, and counts into `stats` alone.
  const SymbolCoding coding = tree_.coding();
  std::string codes;
  ReadInBlocks(
      [&](WordBlock& block) {
        FillBlock(reader, block, [&](std::string_view word, WordBlock& into) {
          ++stats.words;
          codes.clear();
          if (coding.Encode(word, codes)) into.Add(codes);
          else ++stats.words_refused;
          return true;
        });
      },
      [&](const WordBlock& block) {
        AddWords(block.codes(), block.lengths());
        return true;
      });
  stats.long_tokens_skipped += reader.long_tokens_skipped();
  return reader.error();
}

void ListOrderInserter::AddWords(std::string_view codes, std::span<const std::uint8_t> lengths) {
  std::size_t k = 0;
  std::size_t start = 0;
  const auto add_next = [&] {
    Add(codes.substr(start, lengths[k]));
    start += lengths[k++];
  };
  while (k < lengths.size() && way_ != Way::kCollect) add_next();
  if (k < lengths.size()) {
    const bool was_empty = collected_.empty();
    if (collected_.AddWords(codes.substr(start), lengths.subspan(k))) {
      if (was_empty) first_collected_ = added_;
      added_ += lengths.size() - k;
      return;
    }
  }
  // Words that do not all fit go one by one: Add inserts the words
  // collected before them first.
  while (k < lengths.size()) add_next();
}

bool ListOrderInserter::LooksUnsorted(std::size_t length, std::size_t shared) {
  judged_words_ += 1;
  judged_codes_ += length;
  judged_unshared_ += length - shared;
  return judged_words_ >= kFewestWordsToJudge && 2 * judged_unshared_ > judged_codes_;
}

void ListOrderInserter::ExpectMoreBytes(std::uint64_t bytes) {
  if (way_ != Way::kCollect) return;
  collected_.Reserve(bytes);
}

std::vector<std::uint64_t> ListOrderInserter::Finish() {
  if (way_ == Way::kHold) ReleaseHeld(Way::kInsert);
  InsertCollected();
  tree_.ReleaseRoom();
  return std::move(refused_);
}

std::vector<std::uint64_t> ListOrderInserter::FinishRecoded(const SymbolCoding& coding,
                                                            const SymbolTable& new_code_of) {
  // Held words have the old codes, which the tree recodes.
  if (way_ == Way::kHold) ReleaseHeld(Way::kInsert);
  tree_.Recode(coding, new_code_of);
  direct_.Restart();
  collected_.Recode(new_code_of);
  return Finish();
}

void ListOrderInserter::InsertCollected() {
  if (collected_.size() < kMinCodeOrderInsertion || !InsertInCodeOrder(tree_, collected_)) {
    InsertCollectedInListOrder();
  }
  collected_.Clear();
}

void ListOrderInserter::InsertCollectedInListOrder() {
  std::uint64_t position = first_collected_;
  collected_.ForEachInListOrder([&](std::string_view codes) {
    if (!direct_.Insert(codes)) refused_.push_back(position);
    ++position;
  });
}

std::vector<bool> InsertWords(WordTree& tree, const std::vector<std::string>& words) {
  std::vector<bool> stored(words.size(), false);
  std::vector<std::size_t> position_of;  // the position in `words` of each word added
  ListOrderInserter inserter(tree);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (!inserter.AddText(words[k])) continue;
    stored[k] = true;
    position_of.push_back(k);
  }
  for (const std::uint64_t refused : inserter.Finish()) stored[position_of[refused]] = false;
  return stored;
}

}  // namespace tarvo
