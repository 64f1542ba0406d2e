// BestScores: the best-scored states of a stream, as the ranked list of main
// groups keeps them.
//
// The ranked list stores each score as a 32-bit float, and every new score
// (a double) is compared with stored floats only:
//   - it enters a list that is full only when it is above the stored score
//     of the last entry (and one that is not full only when it is above 0);
//     the last entry then drops out;
//   - it goes after every entry whose stored score is above it, and before
//     the others.
// Entries never move relative to each other, so two entries stand in the
// order in which the later one's comparison put them. That order is total:
// by stored float, descending; among equal floats, first the entries whose
// double is at or above their float, latest first, then the others,
// earliest first (rounding to the nearest float keeps the order of the
// doubles, so a double above another entry's float never rounds below it).
// A heap under that order finds the last entry in O(log K), where shifting
// the slots of a sorted list costs O(K) per entry.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarvo {

class BestScores {
 public:
  // A list of at most `capacity` entries.
  explicit BestScores(std::uint32_t capacity) : capacity_(capacity) { entries_.reserve(capacity); }

  // Offers a state with its score. States must be offered in ascending
  // order: that order decides between equal stored scores.
  void Offer(std::uint32_t state, double score) {
    if (capacity_ == 0) return;
    const bool full = entries_.size() == capacity_;
    const double last = full ? static_cast<double>(entries_.front().stored) : 0.0;
    if (!(score > last)) return;
    if (full) {
      std::pop_heap(entries_.begin(), entries_.end(), StandsBefore);
      entries_.pop_back();
    }
    entries_.push_back({state, score, static_cast<float>(score)});
    std::push_heap(entries_.begin(), entries_.end(), StandsBefore);
  }

  // The states of the list, best first. Leaves the list empty.
  std::vector<std::uint32_t> TakeRanked() {
    std::sort_heap(entries_.begin(), entries_.end(), StandsBefore);
    std::vector<std::uint32_t> states;
    states.reserve(entries_.size());
    for (const Entry& entry : entries_) states.push_back(entry.state);
    entries_.clear();
    return states;
  }

 private:
  struct Entry {
    std::uint32_t state;
    double score;
    float stored;
  };

  // True when a stands before b in the list: the comparison made when the
  // later of the two was offered. As the order of a max-heap it keeps the
  // last entry at the front.
  static bool StandsBefore(const Entry& a, const Entry& b) {
    if (a.state < b.state) return static_cast<double>(a.stored) > b.score;
    if (a.state > b.state) return !(static_cast<double>(b.stored) > a.score);
    return false;
  }

  std::uint32_t capacity_;
  std::vector<Entry> entries_;
};

}  // namespace tarvo
