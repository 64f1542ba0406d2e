#include "python/analysis_object.h"

#include <cstring>
#include <filesystem>
#include <utility>

#include "python/setting_keywords.h"

namespace py = pybind11;

namespace tarvo::python {
namespace {

bool IsPath(py::handle source) {
  return py::isinstance<py::str>(source) || py::isinstance<py::bytes>(source) ||
         py::hasattr(source, "__fspath__");
}

// A path as the bytes the system takes (os.fsencode).
std::string PathBytes(py::handle path) {
  return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

// OSError (or the subclass Python picks for the errno, such as
// FileNotFoundError) with errno, reason and file name; RuntimeError for the
// engine's own conditions.
[[noreturn]] void RaiseFileError(std::error_code error, py::handle filename) {
  if (error.category() != std::generic_category()) throw std::runtime_error(error.message());
  const py::object exception =
      py::handle(PyExc_OSError)(error.value(), std::strerror(error.value()), filename);
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
  throw py::error_already_set();
}

// The words of a list given word by word, one per line, as a file holding
// them would be read.
std::string ListText(const std::vector<std::string>& words) {
  std::size_t size = 0;
  for (const std::string& word : words) size += word.size() + 1;
  std::string text;
  text.reserve(size);
  for (const std::string& word : words) {
    text += word;
    text += '\n';
  }
  return text;
}

}  // namespace

py::object Group::label() const { return analysis->codec().ToPython(data.label); }
py::list Group::stems() const { return analysis->StemsOf({data.summary.id, generation}); }
py::list Group::suffixes() const { return analysis->SuffixesOf({data.summary.id, generation}); }

std::string Group::repr() const {
  return "Group(state=" + std::to_string(data.summary.id) + ", label=" + std::string(py::repr(label())) +
         ", stem_count=" + std::to_string(data.summary.stems) +
         ", suffix_count=" + std::to_string(data.summary.suffixes) +
         ", score=" + std::string(py::repr(py::float_(data.summary.score))) + ")";
}

AnalysisObject::AnalysisObject(std::unique_ptr<Analysis> analysis, std::optional<std::string> path, bool raw)
    : analysis_(std::move(analysis)),
      path_(std::move(path)),
      codec_(analysis_->read_summary().words_not_utf8 == 0 ? WordEncoding::kUtf8 : WordEncoding::kLatin1, raw) {}

std::shared_ptr<AnalysisObject> AnalysisObject::Open(py::handle source, bool raw, const py::kwargs& keywords) {
  const AnalysisSettings settings = SettingsFromKeywords(keywords);
  std::unique_ptr<Analysis> analysis;
  if (IsPath(source)) {
    const std::string path = PathBytes(source);
    std::error_code error;
    {
      py::gil_scoped_release release;
      analysis = Analysis::OpenFile(path, settings, error);
    }
    if (!analysis) RaiseFileError(error, source);
    return std::shared_ptr<AnalysisObject>(new AnalysisObject(std::move(analysis), path, raw));
  }
  const std::string text = ListText(WordCodec(WordEncoding::kUtf8, raw).ListWords(source));
  {
    py::gil_scoped_release release;
    analysis = Analysis::FromText(text, settings);
  }
  return std::shared_ptr<AnalysisObject>(new AnalysisObject(std::move(analysis), std::nullopt, raw));
}

template <typename Work>
auto AnalysisObject::WithEngine(Work work) const {
  py::gil_scoped_release release;
  const std::lock_guard lock(mutex_);
  return work();
}

AnalysisObject::GroupArgument AnalysisObject::ArgumentOf(py::handle group) const {
  if (py::isinstance<Group>(group)) {
    const Group& given = group.cast<const Group&>();
    if (given.analysis.get() != this) throw py::value_error("the group belongs to another analysis");
    return {given.data.summary.id, given.generation};
  }
  if (!py::isinstance<py::int_>(group) || py::isinstance<py::bool_>(group)) {
    throw py::type_error("a group is a Group or a state number");
  }
  const long long state = group.cast<long long>();
  if (state < 1 || state > std::numeric_limits<GroupId>::max()) {
    throw py::value_error("no group " + std::to_string(state));
  }
  return {static_cast<GroupId>(state), std::nullopt};
}

GroupId AnalysisObject::Check(const GroupArgument& group) const {
  if (group.generation && *group.generation != generation_) {
    throw py::value_error("group " + std::to_string(group.id) +
                          " is from before words were inserted; ask the analysis for its groups again");
  }
  if (!analysis_->IsGroup(group.id)) {
    throw py::value_error("no group " + std::to_string(group.id) + ": the groups are 1 to " +
                          std::to_string(analysis_->group_count()));
  }
  return group.id;
}

GroupData AnalysisObject::DataOf(GroupId group) const {
  return {analysis_->Summarize(group), analysis_->Label(group)};
}

py::list AnalysisObject::GroupsOf(const std::vector<GroupData>& groups, std::uint64_t generation) {
  py::list list(groups.size());
  for (std::size_t k = 0; k < groups.size(); ++k) list[k] = py::cast(Group{shared_from_this(), groups[k], generation});
  return list;
}

py::object AnalysisObject::path() const {
  if (!path_) return py::none();
  return py::module_::import("os").attr("fsdecode")(py::bytes(*path_));
}

std::uint64_t AnalysisObject::distinct_words() const {
  return WithEngine([&] { return analysis_->distinct_words(); });
}

std::uint32_t AnalysisObject::group_count() const {
  return WithEngine([&] { return analysis_->group_count(); });
}

py::dict AnalysisObject::settings() const { return KeywordsOf(analysis_->settings()); }

py::list AnalysisObject::RankedGroups() {
  std::uint64_t generation = 0;
  const std::vector<GroupData> groups = WithEngine([&] {
    generation = generation_;
    std::vector<GroupData> data;
    for (const GroupSummary& group : analysis_->RankedGroups()) data.push_back(DataOf(group.id));
    return data;
  });
  return GroupsOf(groups, generation);
}

Group AnalysisObject::GroupOf(py::handle group) {
  const GroupArgument argument = ArgumentOf(group);
  std::uint64_t generation = 0;
  GroupData data = WithEngine([&] {
    generation = generation_;
    return DataOf(Check(argument));
  });
  return Group{shared_from_this(), std::move(data), generation};
}

py::list AnalysisObject::StemsOf(const GroupArgument& group) const {
  return codec_.ToPython(WithEngine([&] { return analysis_->Stems(Check(group)); }));
}

py::list AnalysisObject::SuffixesOf(const GroupArgument& group) const {
  return codec_.ToPython(WithEngine([&] { return analysis_->Suffixes(Check(group)); }));
}

py::list AnalysisObject::Stems(py::handle group) const { return StemsOf(ArgumentOf(group)); }
py::list AnalysisObject::Suffixes(py::handle group) const { return SuffixesOf(ArgumentOf(group)); }

py::list AnalysisObject::Suspicious(py::handle main, std::uint32_t distance) {
  const GroupArgument argument = ArgumentOf(main);
  std::uint64_t generation = 0;
  const std::vector<GroupData> groups = WithEngine([&] {
    generation = generation_;
    std::vector<GroupData> data;
    for (GroupId group : analysis_->SuspiciousGroups(Check(argument), distance)) data.push_back(DataOf(group));
    return data;
  });
  return GroupsOf(groups, generation);
}

py::list AnalysisObject::NewWords(py::handle suspicious, py::handle main) const {
  const GroupArgument lacking = ArgumentOf(suspicious);
  const GroupArgument having = ArgumentOf(main);
  return codec_.ToPython(WithEngine([&] { return analysis_->NewWords(Check(lacking), Check(having)); }));
}

py::list AnalysisObject::Automatic(py::handle main, std::uint32_t distance) const {
  const GroupArgument argument = ArgumentOf(main);
  return codec_.ToPython(WithEngine([&] {
    const GroupId having = Check(argument);
    std::vector<std::string> words;
    for (GroupId lacking : analysis_->SuspiciousGroups(having, distance)) {
      std::vector<std::string> made = analysis_->NewWords(lacking, having);
      words.insert(words.end(), std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    }
    return words;
  }));
}

py::list AnalysisObject::Insert(py::handle words) {
  const std::vector<std::string> list = codec_.ListWords(words);
  return codec_.ToPython(WithEngine([&] {
    ++generation_;
    return analysis_->InsertWords(list);
  }));
}

void AnalysisObject::Save(py::handle path, bool force) const {
  const std::string target = PathBytes(path);
  const ReadSummary& read = analysis_->read_summary();
  const std::uint64_t unstored = read.long_tokens_skipped + read.words_refused;
  std::error_code not_same;
  if (!force && unstored > 0 && path_ && std::filesystem::equivalent(target, *path_, not_same)) {
    throw UnstoredWordsError(std::to_string(unstored) + " word(s) read cannot be stored and would be removed by saving over " +
                             std::string(py::repr(path)) + "; use force=True to save anyway");
  }
  const std::error_code error = WithEngine([&] { return analysis_->Save(target); });
  if (error) RaiseFileError(error, path);
}

py::list AnalysisObject::ToRecords() {
  const py::list groups = RankedGroups();
  py::list records(groups.size());
  for (std::size_t k = 0; k < groups.size(); ++k) {
    const Group& group = groups[k].cast<const Group&>();
    py::dict record;
    record["rank"] = k + 1;
    record["state"] = group.data.summary.id;
    record["label"] = group.label();
    record["stem_count"] = group.data.summary.stems;
    record["suffix_count"] = group.data.summary.suffixes;
    record["score"] = group.data.summary.score;
    records[k] = std::move(record);
  }
  return records;
}

std::string AnalysisObject::repr() const {
  const std::string source = path_ ? std::string(py::repr(path())) : "from words";
  return "<tarvo.Analysis " + source + ": " + std::to_string(distinct_words()) + " distinct words, " +
         std::to_string(group_count()) + " groups>";
}

}  // namespace tarvo::python
