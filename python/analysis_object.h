// The engine's Analysis as the Python module holds it, and the groups it
// hands out.
//
// Every call into the engine releases the GIL and holds the analysis's own
// lock instead, so that other Python threads run meanwhile and two threads
// never use one Analysis at once (it is not made for that). Python objects
// are made and read only with the GIL held, outside the engine work.
//
// A Group keeps its analysis alive and remembers the insert it came from:
// inserting words renumbers every group, so a group from before is refused
// (ValueError) instead of naming another group.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "python/word_codec.h"
#include "tarvo/analysis.h"

namespace tarvo::python {

// Saving over the list would remove words read from it that the engine
// could not store (see AnalysisObject::Save).
class UnstoredWordsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class AnalysisObject;

// What a group was when it was handed out.
struct GroupData {
  GroupSummary summary;
  std::string label;  // bytes
};

struct Group {
  std::shared_ptr<AnalysisObject> analysis;
  GroupData data;
  std::uint64_t generation;

  pybind11::object label() const;
  pybind11::list stems() const;
  pybind11::list suffixes() const;
  std::string repr() const;
};

class AnalysisObject : public std::enable_shared_from_this<AnalysisObject> {
 public:
  // Opens a path (str, bytes or os.PathLike) or an iterable of words.
  static std::shared_ptr<AnalysisObject> Open(pybind11::handle source, bool raw, const pybind11::kwargs& settings);

  const WordCodec& codec() const { return codec_; }
  pybind11::object path() const;
  const ReadSummary& read_summary() const { return analysis_->read_summary(); }
  std::uint64_t distinct_words() const;
  std::uint32_t group_count() const;
  pybind11::dict settings() const;

  pybind11::list RankedGroups();
  Group GroupOf(pybind11::handle group);
  pybind11::list Stems(pybind11::handle group) const;
  pybind11::list Suffixes(pybind11::handle group) const;
  pybind11::list Suspicious(pybind11::handle main, std::uint32_t distance);
  pybind11::list NewWords(pybind11::handle suspicious, pybind11::handle main) const;
  pybind11::list Automatic(pybind11::handle main, std::uint32_t distance) const;
  pybind11::list Insert(pybind11::handle words);
  void Save(pybind11::handle path, bool force) const;
  pybind11::list ToRecords();
  std::string repr() const;

 private:
  friend struct Group;
  // A group argument: a Group, or a state number.
  struct GroupArgument {
    GroupId id;
    std::optional<std::uint64_t> generation;  // a Group's
  };

  AnalysisObject(std::unique_ptr<Analysis> analysis, std::optional<std::string> path, bool raw);

  GroupArgument ArgumentOf(pybind11::handle group) const;
  // Runs `work` on the engine without the GIL, under the lock.
  template <typename Work>
  auto WithEngine(Work work) const;
  // With the lock held: the group's number, or ValueError.
  GroupId Check(const GroupArgument& group) const;
  GroupData DataOf(GroupId group) const;
  pybind11::list StemsOf(const GroupArgument& group) const;
  pybind11::list SuffixesOf(const GroupArgument& group) const;
  pybind11::list GroupsOf(const std::vector<GroupData>& groups, std::uint64_t generation);

  std::unique_ptr<Analysis> analysis_;
  std::optional<std::string> path_;  // the file the list was read from, as bytes
  WordCodec codec_;
  std::uint64_t generation_ = 0;     // inserts so far
  mutable std::mutex mutex_;
};

}  // namespace tarvo::python
