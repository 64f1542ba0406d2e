#include "ui/logic/hunspell_export_dialog.h"

#include <filesystem>

#include "automaton/hunspell_export.h"
#include "lexicon/file_identity.h"
#include "ui/logic/wording.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {
namespace {

constexpr const char* kDictionaryExtension = ".dic";
// A warning names this many of the words Hunspell cannot accept, then counts the rest.
constexpr std::size_t kWordsNamed = 10;

// "NAME.dic" and "NAME" both give the base NAME.
std::string BaseOf(const std::string& chosen) {
  const std::size_t length = std::char_traits<char>::length(kDictionaryExtension);
  if (chosen.size() > length && chosen.compare(chosen.size() - length, length, kDictionaryExtension) == 0) {
    return chosen.substr(0, chosen.size() - length);
  }
  return chosen;
}

std::string tr(const char* source) { return Translate("Export", source); }

std::string UnrepresentableText(const std::vector<std::string>& words) {
  std::string text = FillIn(tr("%1 of the list end in two dots, which Hunspell never accepts; they are in the "
                               "dictionary but Hunspell will report them:"),
                            {CountOf(words.size(), "word", "words")});
  for (std::size_t i = 0; i < words.size() && i < kWordsNamed; ++i) text += "\n" + words[i];
  if (words.size() > kWordsNamed) {
    text += "\n" + FillIn(tr("(and %1 more)"), {WithThousandsSeparators(words.size() - kWordsNamed)});
  }
  return text;
}

}  // namespace

std::optional<std::string> ExportHunspellWithDialog(PlatformHost& host, const SuffixAutomaton& automaton,
                                                    const std::string& word_list_path) {
  const FileDialogRequest request{FileDialogRequest::Mode::kSave, "dic", "",
                                  {{tr("Hunspell dictionaries"), {"*.dic"}}}};
  const std::optional<std::string> chosen = host.ChooseFile(request);
  if (!chosen) return std::nullopt;
  const std::string base = BaseOf(*chosen);
  const std::string affix_path = base + ".aff";
  const std::string dictionary_path = base + kDictionaryExtension;
  std::vector<std::string> existing;
  for (const std::string& path : {affix_path, dictionary_path}) {
    if (!word_list_path.empty() && IsSameFile(path, word_list_path)) {
      host.ShowMessage(
          Error(FillIn(tr("%1 is the open word list. Please export to another file."), {FileNameOf(path)})));
      return std::nullopt;
    }
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) existing.push_back(FileNameOf(path));
  }
  if (!existing.empty()) {
    const std::string question =
        existing.size() == 1
            ? FillIn(tr("%1 already exists. Do you want to replace it?"), {existing[0]})
            : FillIn(tr("%1 and %2 already exist. Do you want to replace them?"), {existing[0], existing[1]});
    if (host.ShowMessage(Question(question, Answer::kNo)) != Answer::kYes) {
      return std::nullopt;
    }
  }
  std::error_code error;
  HunspellExportResult result;
  host.RunLongTask({FillIn(tr("Exporting %1..."), {FileNameOf(dictionary_path)}), LongTask::Cancel::kNotAllowed,
                    [&] { error = ExportHunspell(automaton, base, result); }});
  if (error) {
    host.ShowMessage(Error(FileFailureText(tr("Cannot export to"), dictionary_path, error, tr("No file was changed."))));
    return std::nullopt;
  }
  if (!result.unrepresentable.empty()) host.ShowMessage(Warning(UnrepresentableText(result.unrepresentable)));
  return FillIn(tr("Exported the Hunspell dictionary %1 and %2: %3, %4."),
                {FileNameOf(affix_path), FileNameOf(dictionary_path), CountOf(result.stems, "stem", "stems"),
                 CountOf(result.classes, "affix class", "affix classes")});
}

}  // namespace tarvo::ui
