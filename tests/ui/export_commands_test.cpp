// File > Export of the main window (groups and Hunspell dictionary) and the
// New words dialog's Export: what reaches the file, and the files an export
// must not replace.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

TEST_F(ExportCommands, HunspellDictionaryHoldsTheWordsAddedSinceAndNeverReplacesTheList) {
  ASSERT_TRUE(window.IsCommandEnabled(Command::kExportHunspell));
  // Words waiting for Update go in when the user agrees to update first.
  window.pending_words() = {"zyxxyz"};
  host.answers = {Answer::kYes};
  host.files.push_back(dir.PathOf("dict.dic"));
  window.OnExportHunspell();
  EXPECT_EQ(host.messages.back().text, "Do you want to update before exporting?");
  const std::string dictionary = ReadFile(dir.PathOf("dict.dic"));
  EXPECT_NE(dictionary.find("\nzyxxyz\n"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.PathOf("dict.aff")).substr(0, 10), "SET UTF-8\n");
  const std::size_t lines = std::count(dictionary.begin(), dictionary.end(), '\n') - 1;
  EXPECT_EQ(dictionary.substr(0, dictionary.find('\n')), std::to_string(lines));
  EXPECT_EQ(window.status().text.substr(0, window.status().text.find(':')),
            "Exported the Hunspell dictionary dict.aff and dict.dic");
  EXPECT_NE(window.status().text.find(std::to_string(lines) + " stems"), std::string::npos);
  EXPECT_EQ(host.long_tasks.back(), "Exporting dict.dic...");

  // Replacing asks first, No being the default and leaving both files.
  dir.Write("dict.aff", "kept");
  host.files.push_back(dir.PathOf("dict"));
  host.answers = {Answer::kNo};
  window.OnExportHunspell();
  EXPECT_EQ(host.messages.back().text, "dict.aff and dict.dic already exist. Do you want to replace them?");
  EXPECT_EQ(host.messages.back().default_answer, Answer::kNo);
  EXPECT_EQ(ReadFile(dir.PathOf("dict.aff")), "kept");

  // A list named like a dictionary is never replaced by one.
  const std::string named_list = dir.Write("words.dic", kList);
  host.files.push_back(named_list);
  window.OnOpen();
  host.files.push_back(named_list);
  window.OnExportHunspell();
  EXPECT_EQ(host.messages.back().text, "words.dic is the open word list. Please export to another file.");
  EXPECT_EQ(ReadFile(named_list), kList);
  EXPECT_FALSE(std::filesystem::exists(dir.PathOf("words.aff")));
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
