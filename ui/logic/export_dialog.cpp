#include "ui/logic/export_dialog.h"

#include <filesystem>

#include "lexicon/file_identity.h"
#include "ui/logic/wording.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {

std::optional<std::string> ExportWithDialog(PlatformHost& host, const Table& table,
                                            const std::string& word_list_path) {
  const FileDialogRequest request{FileDialogRequest::Mode::kSave, kTableDefaultExtension, "", TableFileFilters()};
  const std::optional<std::string> chosen = host.ChooseFile(request);
  if (!chosen) return std::nullopt;
  if (!word_list_path.empty() && IsSameFile(*chosen, word_list_path)) {
    host.ShowMessage(Error(FillIn(Translate("Export", "%1 is the open word list. Please export to another file."),
                                  {FileNameOf(*chosen)})));
    return std::nullopt;
  }
  std::error_code ignored;
  if (std::filesystem::is_regular_file(*chosen, ignored) &&
      host.ShowMessage(Question(FillIn(Translate("Export", "%1 already exists. Do you want to replace it?"),
                                       {FileNameOf(*chosen)}),
                                Answer::kNo)) != Answer::kYes) {
    return std::nullopt;
  }
  std::error_code error;
  {
    WaitCursor wait(host);
    error = ExportTable(*chosen, table);
  }
  if (error) {
    host.ShowMessage(Error(FileFailureText(Translate("Export", "Cannot export to"), *chosen, error,
                                           Translate("Export", "No file was changed."))));
    return std::nullopt;
  }
  return chosen;
}

}  // namespace tarvo::ui
