// File > Export of the main window and the New words dialog's Export: what
// reaches the file, and the files an export must not replace.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "test_support.h"
#include "ui/logic/exported_tables.h"
#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"

namespace tarvo::ui {
namespace {

using tarvo::test::ReadFile;

const std::string kList = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\nkick\nkicked\n";

class ExportCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    list = dir.Write("list.txt", kList);
    window.Initialise();
    EXPECT_FALSE(window.IsCommandEnabled(Command::kExportGroups));
    window.settings().min_words = 1;
    window.settings().min_suffixes = 1;
    host.files.push_back(list);
    window.OnOpen();
    ASSERT_TRUE(window.IsCommandEnabled(Command::kExportGroupsWithStems));
  }

  tarvo::test::TempDir dir;
  std::string list;
  test::FakeHost host;
  MainWindowLogic window{host};
};

TEST_F(ExportCommands, GroupsGoToTheChosenFileAndNeverOverTheWordList) {
  const std::string table = dir.PathOf("groups.tsv");
  host.files.push_back(table);
  window.OnExport(true);
  EXPECT_EQ(ReadFile(table), TableText(MainGroupsTable(window.automaton(), window.ranked_groups(),
                                                       window.settings(), true),
                                       TableFormat::kTsv));
  EXPECT_EQ(window.status().text,
            "Exported " + std::to_string(window.ranked_groups().size()) + " groups to groups.tsv.");

  // The open list itself is refused, whatever name leads to it.
  host.files.push_back(dir.PathOf("./list.txt"));
  window.OnExport(false);
  EXPECT_EQ(ReadFile(list), kList);
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().text, "list.txt is the open word list. Please export to another file.");

  // An existing file is replaced only when the user says so; No is the default.
  const std::size_t asked_before = host.messages.size();
  host.files.push_back(table);
  host.answers = {Answer::kNo};
  window.OnExport(false);
  ASSERT_EQ(host.messages.size(), asked_before + 1);
  EXPECT_EQ(host.messages.back().default_answer, Answer::kNo);
  EXPECT_NE(ReadFile(table).find("stems list"), std::string::npos);
  host.files.push_back(table);
  window.OnExport(false);  // answered Yes
  EXPECT_EQ(ReadFile(table).find("stems list"), std::string::npos);
}

TEST_F(ExportCommands, NewWordsExportsThePossibleWordsAsShown) {
  const std::string words_file = dir.PathOf("words.csv");
  host.scripts[DialogKind::kNewWords] = [&](DialogLogic& logic) {
    auto& dialog = dynamic_cast<NewWordsLogic&>(logic);
    dialog.OnShowGroup();
    host.files.push_back(words_file);
    dialog.OnExportWords();
    EXPECT_EQ(dialog.status().text, "Exported 2 words to words.csv.");
    // The dialog knows the open list and refuses it as a target too.
    host.files.push_back(list);
    dialog.OnExportWords();
  };
  window.distance_edit().text = "1";
  window.OnFindNow();
  EXPECT_EQ(ReadFile(words_file), "word\njumps\nkicks\n");
  EXPECT_EQ(ReadFile(list), kList);
}

}  // namespace
}  // namespace tarvo::ui
