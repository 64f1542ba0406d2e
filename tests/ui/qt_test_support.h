// Driving the real Qt widgets headless (offscreen) the way a user does:
// clicks, double-clicks and keys on the widgets, real menus, and timers
// that answer the modal windows a command opens. The checks read what the
// widgets show, never the logic's models.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

#include "test_support.h"
#include "ui/logic/main_window_logic.h"
#include "ui/qt/dialog_view.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/view_placeholder.h"

// Failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << "{ ";
  for (const QString& text : texts) *out << '"' << text.toStdString() << "\" ";
  *out << "}";
}

namespace tarvo::ui::qt::test {

// Runs `action` on the next modal window of type T that opens on top of
// `below`.
template <typename T = QWidget>
void WhenModalOpens(std::type_identity_t<std::function<void(T*)>> action, QWidget* below = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action, below] {
    QWidget* modal = QApplication::activeModalWidget();
    T* window = qobject_cast<T*>(modal);
    if (window == nullptr || modal == below || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(window);
  });
  timer->start();
}

// Runs `action` once a top-level window of type T is shown (a main window,
// which is not modal).
template <typename T>
void WhenWindowOpens(std::type_identity_t<std::function<void(T*)>> action) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      T* window = qobject_cast<T*>(widget);
      if (window == nullptr || !window->isVisible()) continue;
      timer->stop();
      timer->deleteLater();
      action(window);
      return;
    }
  });
  timer->start();
}

// The widget of a window by its object name; a failure when there is none.
inline QWidget* Child(QWidget* window, const char* name) {
  QWidget* child = window->findChild<QWidget*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << "no widget named " << name;
  return child;
}

// While it lives, answers every message box that opens: with the queued
// answers in turn, then with the box's default button (as Enter does). It
// keeps each box's text and whether its default button was No.
class MessageBoxes {
 public:
  explicit MessageBoxes(std::deque<QMessageBox::StandardButton> answers = {}) : answers_(std::move(answers)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
    timer_.start();
  }
  void Queue(QMessageBox::StandardButton answer) { answers_.push_back(answer); }

  QStringList texts;
  QList<bool> default_no;

 private:
  void AnswerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    texts << box->text();
    default_no << (box->defaultButton() == box->button(QMessageBox::No));
    QAbstractButton* button = box->defaultButton();
    if (!answers_.empty()) {
      button = box->button(answers_.front());
      answers_.pop_front();
    }
    if (button == nullptr) button = box->buttons().front();
    button->click();
  }

  std::deque<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};

inline QAbstractItemView* ListOf(QWidget* control) { return qobject_cast<QAbstractItemView*>(control); }

// The column a view's rows are named by: a list's only one, a table's
// "Label" column.
inline int NameColumn(QAbstractItemView* view) {
  auto* table = qobject_cast<QTableView*>(view);
  if (table == nullptr) return 0;
  for (int column = 0; column < view->model()->columnCount(); ++column) {
    if (view->model()->headerData(column, Qt::Horizontal).toString() == QStringLiteral("Label")) return column;
  }
  ADD_FAILURE() << "the table has no Label column";
  return 0;
}

// The cells of `column` of the rows the view has laid out to show, top to
// bottom. A view that missed a change of its model has not laid out the new
// rows and shows none of them.
inline QStringList ShownColumn(QWidget* list, int column) {
  QApplication::processEvents();  // the view lays out its rows in a posted event
  QAbstractItemView* view = ListOf(list);
  QStringList rows;
  for (int row = 0; row < view->model()->rowCount(); ++row) {
    const QModelIndex index = view->model()->index(row, column);
    if (!view->visualRect(index).isEmpty()) rows << index.data().toString();
  }
  return rows;
}

// The rows a list shows (a table: their labels), top to bottom.
inline QStringList ShownRows(QWidget* list) { return ShownColumn(list, NameColumn(ListOf(list))); }

// The texts (a table: the labels) of the rows the view shows selected.
inline QStringList SelectedRows(QWidget* list) {
  QAbstractItemView* view = ListOf(list);
  const int column = NameColumn(view);
  QStringList rows;
  for (int row = 0; row < view->model()->rowCount(); ++row) {
    const QModelIndex index = view->model()->index(row, column);
    if (view->selectionModel()->isSelected(index)) rows << index.data().toString();
  }
  return rows;
}

inline QPoint RowCentre(QWidget* list, int row) {
  QAbstractItemView* view = ListOf(list);
  return view->visualRect(view->model()->index(row, 0)).center();
}

inline void ClickRow(QWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(ListOf(list)->viewport(), Qt::LeftButton, modifiers, RowCentre(list, row));
}

inline void DoubleClickRow(QWidget* list, int row) {
  const QPoint centre = RowCentre(list, row);
  QTest::mouseClick(ListOf(list)->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(ListOf(list)->viewport(), Qt::LeftButton, {}, centre);
}

inline QPushButton* ButtonOf(QWidget* window, const char* name) {
  return qobject_cast<QPushButton*>(Child(window, name));
}

inline QString TextOf(QWidget* window, const char* name) { return qobject_cast<QLabel*>(Child(window, name))->text(); }

// The hint an empty list shows (view_placeholder.h), checked against what
// its viewport paints: a hint must leave marks on it, and no hint none.
inline QString PlaceholderOf(QWidget* list) {
  QAbstractItemView* view = ListOf(list);
  const QString hint = ShownPlaceholder(view);
  const QImage painted = view->viewport()->grab().toImage();
  bool marked = false;
  for (int y = 0; y < painted.height() && !marked; ++y) {
    for (int x = 0; x < painted.width() && !marked; ++x) marked = painted.pixel(x, y) != painted.pixel(0, 0);
  }
  if (view->model()->rowCount() == 0) {
    EXPECT_EQ(marked, !hint.isEmpty()) << hint.toStdString();
  }
  return hint;
}

// Opens the menu that holds the command's item with a click on the menu
// bar, then clicks the item, as a user does. Returns whether the item was
// enabled (a click on a disabled item does nothing).
inline bool ClickMenuItem(MainWindowView& view, Command command) {
  QAction* item = view.MenuAction(command);
  for (QAction* menu_action : view.menuBar()->actions()) {
    QMenu* menu = menu_action->menu();
    if (menu == nullptr || !menu->actions().contains(item)) continue;
    QTest::mouseClick(view.menuBar(), Qt::LeftButton, {}, view.menuBar()->actionGeometry(menu_action).center());
    EXPECT_TRUE(menu->isVisible());
    const bool enabled = item->isEnabled();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    if (menu->isVisible()) menu->close();
    return enabled;
  }
  ADD_FAILURE() << "no menu holds command " << static_cast<int>(command);
  return false;
}

// A main window shown (not modal) on a copy of the sample list; the file
// dialog answers with the paths in `files`, or the sample's copy when none
// are left, and keeps what it was asked.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_path = dir.PathOf("sample.txt");
    std::filesystem::copy_file(TARVO_SAMPLE_LIST, list_path);
    host.SetFileChooser([this](const FileDialogRequest& request) {
      requests.push_back(request);
      if (files.empty()) return std::optional<std::string>(list_path);
      std::optional<std::string> answer = files.front();
      files.pop_front();
      return answer;
    });
    host.SetMainWindow(&logic);
    view.ShowModeless();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  }

  void OpenSample() { ASSERT_TRUE(ClickMenuItem(view, Command::kOpen)); }
  // Presses keys in the main window, made active first as a window manager
  // makes it once a modal window on top of it closes.
  void PressKeys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, key, modifiers);
  }
  QWidget* Control(const char* name) { return Child(&view, name); }

  tarvo::test::TempDir dir;
  std::string list_path;
  std::deque<std::optional<std::string>> files;
  std::vector<FileDialogRequest> requests;
  QtHost host;
  MainWindowLogic logic{host};
  MainWindowView view{logic, host};
};

}  // namespace tarvo::ui::qt::test
