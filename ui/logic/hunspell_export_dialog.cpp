#include "ui/logic/hunspell_export_dialog.h"

#include <filesystem>

#include "automaton/hunspell_export.h"
#include "lexicon/file_identity.h"
#include "ui/logic/wording.h"

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

std::string UnrepresentableText(const std::vector<std::string>& words) {
  std::string text = CountOf(words.size(), "word", "words") +
                     " of the list end in two dots, which Hunspell never accepts; they are in the dictionary"
                     " but Hunspell will report them:";
  for (std::size_t i = 0; i < words.size() && i < kWordsNamed; ++i) text += "\n" + words[i];
  if (words.size() > kWordsNamed) text += "\n(and " + CountOf(words.size() - kWordsNamed, "more", "more") + ")";
  return text;
}

}  // namespace

std::optional<std::string> ExportHunspellWithDialog(PlatformHost& host, const SuffixAutomaton& automaton,
                                                    const std::string& word_list_path) {
  const FileDialogRequest request{FileDialogRequest::Mode::kSave, "dic", "",
                                  {{"Hunspell dictionaries", {"*.dic"}}}};
  const std::optional<std::string> chosen = host.ChooseFile(request);
  if (!chosen) return std::nullopt;
  const std::string base = BaseOf(*chosen);
  const std::string affix_path = base + ".aff";
  const std::string dictionary_path = base + kDictionaryExtension;
  std::vector<std::string> existing;
  for (const std::string& path : {affix_path, dictionary_path}) {
    if (!word_list_path.empty() && IsSameFile(path, word_list_path)) {
      host.ShowMessage(Error(FileNameOf(path) + " is the open word list. Please export to another file."));
      return std::nullopt;
    }
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) existing.push_back(FileNameOf(path));
  }
  if (!existing.empty()) {
    const std::string names = existing.size() == 1 ? existing[0] + " already exists"
                                                   : existing[0] + " and " + existing[1] + " already exist";
    if (host.ShowMessage(Question(names + ". Do you want to replace " + (existing.size() == 1 ? "it" : "them") + "?",
                                  Answer::kNo)) != Answer::kYes) {
      return std::nullopt;
    }
  }
  std::error_code error;
  HunspellExportResult result;
  host.RunLongTask({"Exporting " + FileNameOf(dictionary_path) + "...", LongTask::Cancel::kNotAllowed,
                    [&] { error = ExportHunspell(automaton, base, AffixKind::kSuffix, result); }});
  if (error) {
    host.ShowMessage(Error(FileFailureText("export to", dictionary_path, error, "No file was changed.")));
    return std::nullopt;
  }
  if (!result.unrepresentable.empty()) host.ShowMessage(Warning(UnrepresentableText(result.unrepresentable)));
  return "Exported the Hunspell dictionary " + FileNameOf(affix_path) + " and " + FileNameOf(dictionary_path) +
         ": " + CountOf(result.stems, "stem", "stems") + ", " +
         CountOf(result.classes, "affix class", "affix classes") + ".";
}

}  // namespace tarvo::ui
