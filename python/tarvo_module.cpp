// The Python module tarvo: a word list's suffix groups, the groups that
// lack a few of a main group's suffixes and the words they suggest, over
// the engine's Analysis (tarvo/analysis.h). The types are described for
// type checkers in tarvo/__init__.pyi.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "python/analysis_object.h"
#include "tarvo/version.h"

namespace py = pybind11;
using tarvo::python::AnalysisObject;
using tarvo::python::Group;

PYBIND11_MODULE(_engine, module) {
  module.doc() = "Suffix groups of a word list: Tarvo's engine for Python.";
  module.attr("__version__") = tarvo::kVersion;
  py::register_exception<tarvo::python::UnstoredWordsError>(module, "UnstoredWordsError", PyExc_OSError);

  py::class_<Group>(module, "Group", R"(A suffix group: stems followed by exactly the same suffixes.

A group is numbered by its state in the automaton; inserting words renumbers
every group, and a Group from before an insert is refused with ValueError.)")
      .def_property_readonly("state", [](const Group& g) { return g.data.summary.id; }, "The group's state number.")
      .def_property_readonly("label", &Group::label, "The suffixes as '-{} -ed -s' ('-{}' is the empty one).")
      .def_property_readonly("stem_count", [](const Group& g) { return g.data.summary.stems; }, "How many stems.")
      .def_property_readonly("suffix_count", [](const Group& g) { return g.data.summary.suffixes; },
                             "How many suffixes.")
      .def_property_readonly("score", [](const Group& g) { return g.data.summary.score; },
                             "suffix_weight * ln(suffix_count) + word_weight * ln(stem_count).")
      .def_property_readonly("stems", &Group::stems, "The stems, in the engine's order (not sorted).")
      .def_property_readonly("suffixes", &Group::suffixes, "The suffixes, the empty one first when it has it.")
      .def("__repr__", &Group::repr);

  py::class_<AnalysisObject, std::shared_ptr<AnalysisObject>>(module, "Analysis", R"(An open word list and its suffix groups.

Made by tarvo.open(). Words come back as str decoded by the list's encoding
(see `encoding`), or as bytes when opened with raw=True.)")
      .def_property_readonly("path", &AnalysisObject::path, "The file the list was read from, or None.")
      .def_property_readonly("encoding", [](const AnalysisObject& a) { return a.codec().name(); },
                             "'utf-8' when every word read is valid UTF-8, else 'latin-1'.")
      .def_property_readonly("raw", [](const AnalysisObject& a) { return a.codec().raw(); },
                             "True when words are bytes rather than str.")
      .def_property_readonly("characters", [](const AnalysisObject& a) { return a.read_summary().characters; },
                             "True when the list was analysed by UTF-8 characters rather than bytes.")
      .def_property_readonly("byte_mode_reason",
                             [](const AnalysisObject& a) { return a.read_summary().byte_mode_reason; },
                             "Why chars=True was asked for but the list was read as bytes; '' otherwise.")
      .def_property_readonly("words_read", [](const AnalysisObject& a) { return a.read_summary().words_read; },
                             "Words read, repeats included.")
      .def_property_readonly("long_tokens_skipped",
                             [](const AnalysisObject& a) { return a.read_summary().long_tokens_skipped; },
                             "Tokens over 255 bytes in the file, which are not words.")
      .def_property_readonly("words_refused",
                             [](const AnalysisObject& a) { return a.read_summary().words_refused; },
                             "Words read that the word tree could not store.")
      .def_property_readonly("distinct_words", &AnalysisObject::distinct_words, "Distinct words of the list.")
      .def_property_readonly("group_count", &AnalysisObject::group_count, "Groups (states) 1 to group_count.")
      .def_property_readonly("settings", &AnalysisObject::settings, "The settings, by keyword.")
      .def_property_readonly("groups", &AnalysisObject::RankedGroups,
                             "The main groups, best first: more stems than min_words, more suffixes than "
                             "min_suffixes, at most groups_shown of them.")
      .def("group", &AnalysisObject::GroupOf, py::arg("state"), "The group of a state number.")
      .def("stems", &AnalysisObject::Stems, py::arg("group"), "The stems of a group (a Group or state number).")
      .def("suffixes", &AnalysisObject::Suffixes, py::arg("group"), "The suffixes of a group.")
      .def("suspicious", &AnalysisObject::Suspicious, py::arg("main"), py::arg("distance") = 2,
           "The groups that lack exactly `distance` of main's suffixes, by ascending state.")
      .def("new_words", &AnalysisObject::NewWords, py::arg("suspicious"), py::arg("main"),
           "Each stem of `suspicious` joined with each suffix that `main` has and `suspicious` lacks.")
      .def("automatic", &AnalysisObject::Automatic, py::arg("main"), py::arg("distance") = 2,
           "The new words of every suspicious group in turn (repeats kept), as tarvo-cli automatic.")
      .def("insert", &AnalysisObject::Insert, py::arg("words"),
           "Adds words (str or bytes) to the list and builds and ranks again; every Group handed out "
           "before is void. Returns the words the tree refused: they stay with the list and save() "
           "writes them. ValueError for a string that is not a word (empty, over 255 bytes, white space).")
      .def("save", &AnalysisObject::Save, py::arg("path"), py::kw_only(), py::arg("force") = false,
           "Writes every word of the list to `path`, one per line, replacing the file carefully (a "
           "temporary file renamed over it): on failure the old file stays as it was. Saving over the "
           "file the list was read from raises UnstoredWordsError when words read from it could not be "
           "stored and would be lost, unless force=True. File errors raise OSError.")
      .def("to_records", &AnalysisObject::ToRecords,
           "The main groups as dicts (rank, state, label, stem_count, suffix_count, score), ready for "
           "pandas.DataFrame.")
      .def("__repr__", &AnalysisObject::repr);

  module.def("open", &AnalysisObject::Open, py::arg("source"), py::kw_only(), py::arg("raw") = false,
             R"(Opens a word list and ranks its suffix groups.

source: a path (str, bytes or os.PathLike) of any readable file, read the way
tarvo-cli reads it; or an iterable of words (str, encoded as UTF-8, or bytes),
read as a file holding them one per line would be.
raw: hand out words as bytes instead of str.
Settings by keyword: min_words=15, min_suffixes=5, word_weight=1.0,
suffix_weight=1.0, groups_shown=15, buffer_size=10000, chars=False (read a
UTF-8 list by characters), prefixes=False (read every word backwards, so that
the groups are those of the words' prefixes; words, stems and affixes are
still handed out in reading order). A value out of range raises ValueError, a file
that cannot be read OSError.)");
}
