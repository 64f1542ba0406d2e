// Update, Save, Save as and Exit of the main window, and the mends that keep
// every word: failures are reported and nothing is dropped.
#include <gtest/gtest.h>

#include <filesystem>

#include "fake_host.h"
#include "test_support.h"
#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"

namespace tarvo::ui {
namespace {

using tarvo::test::ReadFile;
using test::Rows;
using Strings = std::vector<std::string>;

const std::string kList = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\nkick\nkicked\n";

// A main window on kList with loose minimums, and the words "jumps" and
// "kicks" pending after Find Now at distance 1.
class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.Write("list.txt", kList);
    window.Initialise();
    window.settings().min_words = 1;
    window.settings().min_suffixes = 1;
    host.files.push_back(path);
    window.OnOpen();
    ASSERT_TRUE(window.CanFindNow());
    host.scripts[DialogKind::kNewWords] = [](DialogLogic& logic) {
      auto& dialog = dynamic_cast<NewWordsLogic&>(logic);
      dialog.OnShowGroup();
      dialog.OnSelectAll();
      dialog.OnAdd();
      dialog.Accept();
    };
    window.distance_edit().text = "1";
    window.OnFindNow();
    ASSERT_EQ(window.pending_words(), (Strings{"jumps", "kicks"}));
    ASSERT_TRUE(window.CanUpdate());
  }

  std::vector<std::string> Questions() const {
    std::vector<std::string> texts;
    for (const auto& message : host.messages) texts.push_back(message.text);
    return texts;
  }

  tarvo::test::TempDir dir;
  std::string path;
  test::FakeHost host;
  MainWindowLogic window{host};
};

TEST_F(Session, FindNowCancelledOrWithNothingNewLeavesUpdateAsItWas) {
  host.scripts[DialogKind::kNewWords] = [](DialogLogic& logic) { logic.Reject(); };
  window.OnFindNow();
  EXPECT_EQ(window.pending_words().size(), 2u);
  EXPECT_TRUE(window.CanUpdate());
}

TEST_F(Session, UpdateInsertsThePendingWordsAndSaveAppendsThemOnce) {
  EXPECT_EQ(window.Title(), "list.txt* (bytes) - Tarvo");
  EXPECT_EQ(window.status().text, "2 new words wait for Update.");
  EXPECT_TRUE(window.IsCommandEnabled(Command::kSave));
  window.OnUpdate();
  EXPECT_TRUE(window.pending_words().empty());
  EXPECT_EQ(window.added_words(), (Strings{"jumps", "kicks"}));
  EXPECT_FALSE(window.CanUpdate());
  EXPECT_NE(tarvo::test::StateOfPrefix(window.automaton(), "jumps"), 0u);
  EXPECT_EQ(window.Title(), "list.txt* (bytes) - Tarvo");
  EXPECT_EQ(window.status().text, "Added 2 words to the word tree; the groups are ranked again.");

  window.OnSave();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
  EXPECT_EQ(window.status().text, "Appended 2 words to list.txt.");
  EXPECT_EQ(window.Title(), "list.txt (bytes) - Tarvo");
  EXPECT_FALSE(window.IsCommandEnabled(Command::kSave));
  EXPECT_TRUE(window.added_words().empty());
  window.OnSave();
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
}

// The row of the group that `stem` reaches, or -1.
int RowOfGroupOf(MainWindowLogic& window, const std::string& stem) {
  std::string label;
  window.automaton().GetLabel(tarvo::test::StateOfPrefix(window.automaton(), stem), label);
  for (int row = 0; row < window.main_groups().RowCount(); ++row) {
    if (window.main_groups().RowText(row) == label) return row;
  }
  return -1;
}

TEST_F(Session, UpdateKeepsTheSelectedGroupAndItsStemsWhileTheGroupIsListed) {
  // Stems shown: walk's group, which jumps and kicks join. Selected: the
  // group of "w" and "t" ("-alk -alked -alks"), which Update leaves alone.
  const int walk_row = RowOfGroupOf(window, "walk");
  ASSERT_GE(walk_row, 0);
  window.main_groups().SetCurrentRow(walk_row);
  window.OnMainGroupsDoubleClick();
  EXPECT_EQ(Rows(window.words()), (Strings{"talk", "walk"}));
  const int w_row = RowOfGroupOf(window, "w");
  ASSERT_GT(w_row, 0);
  const std::string label = window.main_groups().RowText(w_row);
  window.main_groups().SetCurrentRow(w_row);
  window.OnUpdate();
  EXPECT_EQ(window.main_groups().RowText(window.main_groups().CurrentRow()), label);
  EXPECT_EQ(Rows(window.words()), (Strings{"jump", "kick", "talk", "walk"}));

  // A group that Update empties is gone: the first row is selected and no
  // stems are shown.
  window.pending_words() = {"jumping", "kicking"};
  window.OnUpdate();
  const int jump_row = RowOfGroupOf(window, "jump");
  ASSERT_GE(jump_row, 0);
  window.main_groups().SetCurrentRow(jump_row);
  window.OnMainGroupsDoubleClick();
  EXPECT_EQ(Rows(window.words()), (Strings{"jump", "kick"}));
  window.pending_words() = {"jumpy", "kicky"};
  window.OnUpdate();
  EXPECT_EQ(window.main_groups().CurrentRow(), 0);
  EXPECT_EQ(window.words().RowCount(), 0);
}

TEST_F(Session, SaveAsksToUpdateFirst) {
  host.answers = {Answer::kNo};
  window.OnSave();
  EXPECT_EQ(Questions(), (Strings{"Do you want to update before saving?"}));
  EXPECT_EQ(host.messages[0].buttons, Message::Buttons::kYesNo);
  EXPECT_EQ(host.messages[0].default_answer, Answer::kYes);
  EXPECT_EQ(ReadFile(path), kList);
  EXPECT_TRUE(window.CanUpdate());

  host.answers = {Answer::kYes};
  window.OnSave();
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
  EXPECT_FALSE(window.CanUpdate());
}

TEST_F(Session, SaveAsWritesTheWholeTreeAndLaterSavesAppendOnlyNewerWords) {
  host.answers = {Answer::kYes};
  const std::string copy = dir.PathOf("copy.txt");
  host.files.push_back(copy);
  window.OnSaveAs();
  ASSERT_EQ(host.file_requests.size(), 2u);
  const FileDialogRequest& request = host.file_requests[1];
  EXPECT_EQ(request.mode, FileDialogRequest::Mode::kSave);
  EXPECT_EQ(request.default_extension, "");
  EXPECT_EQ(request.initial_name, path);
  EXPECT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(window.current_path(), copy);
  EXPECT_TRUE(window.added_words().empty());
  std::string saved = ReadFile(copy);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 12);
  EXPECT_NE(saved.find("jumps\n"), std::string::npos);
  EXPECT_EQ(ReadFile(path), kList);

  window.pending_words().push_back("walking");
  window.OnUpdate();
  window.OnSave();
  EXPECT_EQ(ReadFile(copy), saved + "walking\n");
}

TEST_F(Session, ExitAsksAndSavesPendingWordsOnlyWhenTold) {
  host.answers = {Answer::kCancel};
  window.OnExit();
  EXPECT_FALSE(window.ended());
  EXPECT_EQ(host.messages.back().buttons, Message::Buttons::kYesNoCancel);

  host.answers = {Answer::kYes, Answer::kNo};
  window.OnExit();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(ReadFile(path), kList);  // opened for appending, nothing written
  EXPECT_EQ(host.messages.back().text, "Do you also want to save the words you added after the last Update?");
}

TEST_F(Session, ExitYesYesAppendsPendingWordsWithoutInsertingThem) {
  host.answers = {Answer::kYes, Answer::kYes};
  window.OnExit();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
  EXPECT_EQ(tarvo::test::StateOfPrefix(window.automaton(), "jumps"), 0u);
}

TEST_F(Session, ExitNoEndsWithoutWriting) {
  host.answers = {Answer::kNo};
  window.OnExit();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(ReadFile(path), kList);
}

TEST_F(Session, EnterAndEscapeNeverCloseTheCloseBoxAsksWhenWordsAreUnsaved) {
  window.Accept();
  window.Reject();
  EXPECT_FALSE(window.ended());
  EXPECT_TRUE(host.messages.empty());
  host.answers = {Answer::kCancel, Answer::kNo};
  window.CloseRequested();
  EXPECT_FALSE(window.ended());
  window.CloseRequested();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(Questions(), (Strings{"Do you want to save changes?", "Do you want to save changes?"}));

  test::FakeHost quiet_host;
  MainWindowLogic quiet(quiet_host);
  quiet.Initialise();
  quiet.Accept();
  quiet.Reject();
  EXPECT_FALSE(quiet.ended());
  quiet.CloseRequested();
  EXPECT_TRUE(quiet.ended());
  EXPECT_TRUE(quiet_host.messages.empty());
}

TEST_F(Session, ExitAfterUpdateAsksOnlyWhetherToSave) {
  window.OnUpdate();
  host.answers = {Answer::kYes};
  window.OnExit();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(Questions(), (Strings{"Do you want to save changes?"}));
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
}

TEST_F(Session, FailedSaveKeepsTheWordsAndSaysWhy) {
  window.OnUpdate();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // the current file is now a folder
  window.OnSave();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find(path), std::string::npos);
  EXPECT_NE(host.messages[0].text.find("Is a directory"), std::string::npos);
  EXPECT_EQ(window.added_words(), (Strings{"jumps", "kicks"}));

  // Exit answered Yes keeps the window open when the append fails, with the
  // pending and added words where they were.
  window.pending_words().push_back("walking");
  host.answers = {Answer::kYes, Answer::kYes};
  window.OnExit();
  EXPECT_FALSE(window.ended());
  EXPECT_EQ(window.added_words(), (Strings{"jumps", "kicks"}));
  EXPECT_EQ(window.pending_words(), (Strings{"walking"}));
}

TEST_F(Session, FailedSaveAsKeepsThePathTheWordsAndTheOldFile) {
  window.OnUpdate();
  for (const std::string& target : {std::string("/dev/full"), dir.PathOf("missing/out.txt"), dir.path()}) {
    host.files.push_back(target);
    window.OnSaveAs();
    EXPECT_EQ(window.current_path(), path) << target;
    EXPECT_EQ(window.added_words().size(), 2u) << target;
  }
  // /dev/full exists, so replacing it is asked first; a folder is not.
  ASSERT_EQ(host.messages.size(), 4u);
  EXPECT_EQ(host.messages[0].text, "full already exists. Do you want to replace it?");
  EXPECT_NE(host.messages[1].text.find("No space left"), std::string::npos);
}

TEST_F(Session, SaveAsAsksBeforeReplacingAFileAndNoIsTheDefault) {
  const std::string other = dir.Write("other.txt", "cat\n");
  host.answers = {Answer::kNo, Answer::kNo};
  host.files.push_back(other);
  window.OnSaveAs();
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text, "other.txt already exists. Do you want to replace it?");
  EXPECT_EQ(host.messages[1].buttons, Message::Buttons::kYesNo);
  EXPECT_EQ(host.messages[1].default_answer, Answer::kNo);
  EXPECT_EQ(ReadFile(other), "cat\n");
  EXPECT_EQ(window.current_path(), path);

  host.answers = {Answer::kNo, Answer::kYes};
  host.files.push_back(other);
  window.OnSaveAs();
  EXPECT_EQ(window.current_path(), other);
  EXPECT_NE(ReadFile(other).find("walked\n"), std::string::npos);
  EXPECT_EQ(window.status().text, "Saved the list as other.txt.");
}

TEST_F(Session, OpenAsksFirstAndKeepsTheWordsWithTheirList) {
  const std::string other = dir.Write("other.txt", "cat\ncats\n");

  // Cancel: nothing happens.
  host.answers = {Answer::kCancel};
  host.files.push_back(other);
  window.OnOpen();
  EXPECT_EQ(Questions(), (Strings{"Do you want to save changes?"}));
  EXPECT_EQ(window.current_path(), path);
  EXPECT_EQ(window.pending_words().size(), 2u);

  // Discard, but the new list cannot be read: everything stays.
  host.answers = {Answer::kNo};
  host.files.push_back(dir.PathOf("missing.txt"));
  window.OnOpen();
  EXPECT_EQ(window.current_path(), path);
  EXPECT_EQ(window.pending_words(), (Strings{"jumps", "kicks"}));
  EXPECT_TRUE(window.CanUpdate());
  EXPECT_NE(tarvo::test::StateOfPrefix(window.automaton(), "walked"), 0u);

  // Save them into their own list, then open the other one, which gets none.
  host.messages.clear();
  host.answers = {Answer::kYes, Answer::kYes};
  host.files.push_back(other);
  window.OnOpen();
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
  EXPECT_EQ(window.current_path(), other);
  EXPECT_TRUE(window.pending_words().empty());
  EXPECT_TRUE(window.added_words().empty());
  EXPECT_FALSE(window.CanUpdate());
  window.OnSave();
  window.OnUpdate();
  window.OnSave();
  EXPECT_EQ(ReadFile(other), "cat\ncats\n");

  // Words added by Update and discarded at Open never reach the new list.
  window.pending_words() = {"dogs"};
  window.OnUpdate();
  host.answers = {Answer::kNo};
  host.files.push_back(path);
  window.OnOpen();
  window.OnSave();
  EXPECT_EQ(ReadFile(path), kList + "jumps\nkicks\n");
  EXPECT_EQ(ReadFile(other), "cat\ncats\n");
}

// A list whose root already has 126 children: any word starting with
// another byte is refused by the tree.
std::string FullRootList() {
  std::string list;
  for (int c = 0x21; c < 0x21 + 126; ++c) list += std::string(1, static_cast<char>(c)) + "\n";
  return list;
}

TEST(RefusedWords, StayWithTheListThroughSaveAndSaveAs) {
  tarvo::test::TempDir dir;
  const std::string path = dir.Write("list.txt", FullRootList());
  test::FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  host.files.push_back(path);
  window.OnOpen();
  window.pending_words() = {"\xf0zz", "!x"};
  window.OnUpdate();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "1 word could not be stored in the word tree (a letter position would need more than 126 "
            "different next letters); it is still saved.");

  // Save as writes the tree's words and the refused one, and nothing is
  // left unsaved; a second Save as writes it again.
  for (const char* name : {"copy.txt", "again.txt"}) {
    host.files.push_back(dir.PathOf(name));
    window.OnSaveAs();
    const std::string saved = ReadFile(dir.PathOf(name));
    EXPECT_NE(saved.find("\n!x\n"), std::string::npos);
    EXPECT_EQ(saved.substr(saved.size() - 4), "\xf0zz\n") << name;
    EXPECT_TRUE(window.added_words().empty());
  }
  host.messages.clear();
  window.OnExit();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(window.ended());

  // Refused again by a later Update, it is not saved twice.
  MainWindowLogic appending(host);
  appending.Initialise();
  host.files.push_back(path);
  appending.OnOpen();
  appending.pending_words() = {"\xf0zz"};
  appending.OnUpdate();
  appending.OnSave();
  appending.pending_words() = {"\xf0zz"};
  appending.OnUpdate();
  appending.OnSave();
  EXPECT_EQ(ReadFile(path), FullRootList() + "\xf0zz\n");
}

TEST(TokensNotStored, SaveAsOverTheOpenedListAsksBeforeRemovingThem) {
  tarvo::test::TempDir dir;
  const std::string long_token(300, 'x');
  const std::string content = "walk\n" + long_token + "\nwalks\n";
  const std::string path = dir.Write("list.txt", content);
  const std::string link = dir.PathOf("link.txt");
  std::filesystem::create_symlink(path, link);
  test::FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  host.files.push_back(path);
  window.OnOpen();
  host.messages.clear();

  // Another file is written without a question.
  host.files.push_back(dir.PathOf("copy.txt"));
  window.OnSaveAs();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadFile(dir.PathOf("copy.txt")), "walk\nwalks\n");

  // The opened list, by its name or through a link: asked, and No keeps it.
  for (const std::string& target : {path, link}) {
    host.messages.clear();
    host.answers = {Answer::kNo};
    host.files.push_back(target);
    window.OnSaveAs();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "1 word of list.txt cannot be stored and would be removed. Save anyway?");
    EXPECT_EQ(host.messages[0].buttons, Message::Buttons::kYesNo);
  EXPECT_EQ(host.messages[0].default_answer, Answer::kNo);
    EXPECT_EQ(ReadFile(path), content);
  }
  // Yes writes it; after that there is nothing left to lose, and replacing
  // the file is asked as for any other.
  host.answers = {Answer::kYes};
  host.files.push_back(path);
  window.OnSaveAs();
  EXPECT_EQ(ReadFile(path), "walk\nwalks\n");
  host.messages.clear();
  host.files.push_back(path);
  window.OnSaveAs();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "list.txt already exists. Do you want to replace it?");
}

TEST(AppendToForeignFile, KeepsTheLastWordApart) {
  tarvo::test::TempDir dir;
  const std::string path = dir.Write("list.txt", "walk walks walked talk talks talked jump jumped kick kicked");
  test::FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  window.settings().min_words = 1;
  window.settings().min_suffixes = 1;
  host.files.push_back(path);
  window.OnOpen();
  window.pending_words() = {"jumps"};
  window.OnUpdate();
  window.OnSave();
  EXPECT_EQ(ReadFile(path), "walk walks walked talk talks talked jump jumped kick kicked\njumps\n");
}

}  // namespace
}  // namespace tarvo::ui
