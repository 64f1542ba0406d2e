#include "lexicon/list_order_inserter.h"

#include "lexicon/code_order_insertion.h"

namespace tarvo {

void ListOrderInserter::Add(std::string_view codes) {
  const std::uint64_t position = added_++;
  if (!collecting_) {
    if (!direct_.Insert(codes)) refused_.push_back(position);
    if (LooksUnsorted(codes.size())) collecting_ = true;
    return;
  }
  if (collected_.empty()) first_collected_ = position;
  if (collected_.Add(codes)) return;
  // Full, or a word too long to collect: the words so far go in first.
  InsertCollected();
  first_collected_ = position;
  if (collected_.Add(codes)) return;
  if (!direct_.Insert(codes)) refused_.push_back(position);
}

bool ListOrderInserter::AddText(std::string_view word) {
  codes_.clear();
  if (!tree_.coding().Encode(word, codes_)) return false;
  Add(codes_);
  return true;
}

void ListOrderInserter::AddWords(std::string_view codes, std::span<const std::uint8_t> lengths) {
  std::size_t k = 0;
  std::size_t start = 0;
  const auto add_next = [&] {
    Add(codes.substr(start, lengths[k]));
    start += lengths[k++];
  };
  while (k < lengths.size() && !collecting_) add_next();
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

bool ListOrderInserter::LooksUnsorted(std::size_t length) {
  direct_words_ += 1;
  direct_codes_ += length;
  direct_unshared_ += length - direct_.last_shared();
  return direct_words_ >= kFewestWordsToJudge && 2 * direct_unshared_ > direct_codes_;
}

void ListOrderInserter::ExpectMoreBytes(std::uint64_t bytes) {
  if (!collecting_) return;
  collected_.Reserve(bytes);
}

std::vector<std::uint64_t> ListOrderInserter::Finish() {
  InsertCollected();
  return std::move(refused_);
}

std::vector<std::uint64_t> ListOrderInserter::FinishRecoded(const SymbolCoding& coding,
                                                            const SymbolTable& new_code_of) {
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
