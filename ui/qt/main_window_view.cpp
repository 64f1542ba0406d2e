#include "ui/qt/main_window_view.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include "automaton/analysis_settings.h"
#include "ui/qt/elided_label.h"
#include "ui/qt/help_window.h"
#include "ui/qt/item_views.h"
#include "ui/qt/list_summary_bar.h"
#include "ui/qt/recent_files_menu.h"
#include "ui/qt/stored_settings.h"
#include "ui/qt/view_placeholder.h"

namespace tarvo::ui::qt {
namespace {

const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kSplitterKey = QStringLiteral("mainWindow/splitter");

QString Count(std::uint64_t count) { return QLocale().toString(static_cast<qulonglong>(count)); }

// The one local file a drag carries, or an empty text.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
  return data->urls().front().toLocalFile();
}

QPushButton* NewButton(const QString& text, const char* object_name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(object_name));
  return button;
}

// The main groups' columns: rank, label, stems, suffixes and score.
std::vector<TableColumn> GroupColumns(const MainWindowLogic& logic) {
  auto number = [&logic](auto field) {
    return [&logic, field](int row) { return static_cast<double>(field(logic.NumbersOfGroup(row))); };
  };
  auto count_text = [&logic](auto field) {
    return [&logic, field](int row) { return Count(field(logic.NumbersOfGroup(row))); };
  };
  auto rank = [](const GroupNumbers& numbers) { return numbers.rank; };
  auto stems = [](const GroupNumbers& numbers) { return numbers.stems; };
  auto suffixes = [](const GroupNumbers& numbers) { return numbers.suffixes; };
  auto score = [](const GroupNumbers& numbers) { return numbers.score; };
  return {
      {MainWindowView::tr("Rank"), count_text(rank), number(rank)},
      {MainWindowView::tr("Label"), {}, {}, true},
      {MainWindowView::tr("Stems"), count_text(stems), number(stems)},
      {MainWindowView::tr("Suffixes"), count_text(suffixes), number(suffixes)},
      {MainWindowView::tr("Score"),
       [&logic](int row) { return QString::fromStdString(FormatGroupScore(logic.NumbersOfGroup(row).score)); },
       number(score)},
  };
}

}  // namespace

QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut) {
  struct Keys {
    QKeySequence::StandardKey standard;
    const char* fallback;
  };
  auto keys_of = [](StandardShortcut which) -> Keys {
    switch (which) {
      case StandardShortcut::kOpen: return {QKeySequence::Open, "Ctrl+O"};
      case StandardShortcut::kSave: return {QKeySequence::Save, "Ctrl+S"};
      case StandardShortcut::kSaveAs: return {QKeySequence::SaveAs, "Ctrl+Shift+S"};
      case StandardShortcut::kQuit: return {QKeySequence::Quit, "Ctrl+Q"};
      case StandardShortcut::kPreferences: return {QKeySequence::Preferences, "Ctrl+,"};
      case StandardShortcut::kHelp: return {QKeySequence::HelpContents, "F1"};
      case StandardShortcut::kNone: break;
    }
    return {QKeySequence::UnknownKey, nullptr};
  };
  const Keys keys = keys_of(shortcut);
  if (keys.fallback == nullptr) return {};
  QList<QKeySequence> platform = QKeySequence::keyBindings(keys.standard);
  return platform.isEmpty() ? QList<QKeySequence>{QKeySequence(QString::fromLatin1(keys.fallback))} : platform;
}

MainWindowView::MainWindowView(MainWindowLogic& logic, PlatformHost& host, QWidget* parent)
    : QMainWindow(parent), logic_(logic), binder_(logic, [this] { close(); }), host_(host) {
  LoadAnalysisSettings(logic.settings(), logic.distance_edit().text);
  setAcceptDrops(true);
  BuildMenus(host);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("groupsAndWords"));
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(BuildGroupsPane());
  splitter_->addWidget(BuildWordsPane());
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(splitter_, 1);
  layout->addLayout(BuildCommandRow());
  setCentralWidget(central);
  BuildStatusBar();
  binder_.AddSync([this] {
    setWindowTitle(QString::fromLocal8Bit(logic_.Title().c_str()));
    // A list opened or saved under a new name goes first in Open Recent.
    if (logic_.current_path() == listed_path_) return;
    listed_path_ = logic_.current_path();
    if (!listed_path_.empty()) recent_files_->Add(QFileInfo(PathText(listed_path_)).absoluteFilePath());
  });
  RestoreWindowState();
}

MainWindowView::~MainWindowView() = default;

QAction* MainWindowView::AddCommand(QMenu* menu, const QString& text, Command command, StandardShortcut shortcut,
                                    std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setShortcuts(ShortcutKeys(shortcut));
  binder_.BindAction(action, std::move(run), [this, command] { return logic_.IsCommandEnabled(command); });
  actions_.emplace(command, action);
  return action;
}

void MainWindowView::BuildMenus(PlatformHost& host) {
  MainWindowLogic& logic = logic_;
  QMenu* file = menuBar()->addMenu(tr("&File"));
  AddCommand(file, tr("&Open..."), Command::kOpen, StandardShortcut::kOpen, [&logic] { logic.OnOpen(); });
  recent_files_ = new RecentFilesMenu(file);
  file->addMenu(recent_files_);
  connect(recent_files_, &RecentFilesMenu::OpenRequested, this, &MainWindowView::OpenListAt);
  AddCommand(file, tr("&Save"), Command::kSave, StandardShortcut::kSave, [&logic] { logic.OnSave(); });
  AddCommand(file, tr("Save &As..."), Command::kSaveAs, StandardShortcut::kSaveAs, [&logic] { logic.OnSaveAs(); });
  file->addSeparator();
  AddCommand(file, tr("&Export Groups..."), Command::kExportGroups, StandardShortcut::kNone,
             [&logic] { logic.OnExport(false); });
  AddCommand(file, tr("Export Groups with S&tems..."), Command::kExportGroupsWithStems, StandardShortcut::kNone,
             [&logic] { logic.OnExport(true); });
  AddCommand(file, tr("Export &Hunspell Dictionary..."), Command::kExportHunspell, StandardShortcut::kNone,
             [&logic] { logic.OnExportHunspell(); });
  file->addSeparator();
  AddCommand(file, tr("E&xit"), Command::kExit, StandardShortcut::kQuit, [&logic] { logic.OnExit(); });

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  AddCommand(edit, tr("&Settings..."), Command::kSettings, StandardShortcut::kPreferences,
             [&logic] { logic.OnSettings(); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddCommand(help, tr("Tarvo &Help"), Command::kHelp, StandardShortcut::kHelp, [this] { ShowHelp(this); });
  AddCommand(help, tr("&About Tarvo"), Command::kAbout, StandardShortcut::kNone, [&host] { host.ShowAbout(); });
}

QWidget* MainWindowView::BuildGroupsPane() {
  auto* pane = new QWidget(this);
  // The rows are read while the window is torn down too: from the logic, which
  // outlives it.
  auto encoding = [&logic = logic_] { return logic.display_encoding(); };
  MainWindowLogic& logic = logic_;
  // In prefix mode the groups are groups of prefixes, and say so.
  auto* caption = NewCountCaption(
      binder_, logic.main_groups(),
      [&logic](int n) {
        return (logic.reading_backwards() ? tr("Main prefix groups: %1") : tr("Main suffix groups: %1")).arg(Count(n));
      },
      pane);
  caption->setObjectName(QStringLiteral("groupsCaption"));
  QTableView* groups = NewTable(binder_, {logic.main_groups(), encoding, [&logic] { logic.OnMainGroupsDoubleClick(); }},
                                GroupColumns(logic), 0, 1, QStringLiteral("mainGroups"), pane);
  caption->setBuddy(groups);
  ShowPlaceholder(binder_, groups, [&logic] {
    if (!logic.ListIsOpen()) {
      return tr("Open a word list with File > Open (%1) or by dropping it here.")
          .arg(ShortcutKeys(StandardShortcut::kOpen).value(0).toString(QKeySequence::NativeText));
    }
    return tr("No group has enough stems and suffixes: lower the minimums in Edit > Settings.");
  });
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addWidget(groups, 1);
  return pane;
}

QWidget* MainWindowView::BuildWordsPane() {
  auto* pane = new QWidget(this);
  auto encoding = [&logic = logic_] { return logic.display_encoding(); };
  auto* caption = NewCountCaption(
      binder_, logic_.words(), [](int n) { return tr("Words of the chosen group: %1").arg(Count(n)); }, pane);
  caption->setObjectName(QStringLiteral("wordsCaption"));
  QListView* words = NewList(binder_, {logic_.words(), encoding}, QStringLiteral("words"), pane);
  caption->setBuddy(words);
  ShowPlaceholder(binder_, words, [&logic = logic_] {
    return logic.CanFindNow() ? tr("Double-click a group to list its stems.") : QString();
  });
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addWidget(words, 1);
  return pane;
}

QLayout* MainWindowView::BuildCommandRow() {
  MainWindowLogic& logic = logic_;
  auto* distance_box = new QGroupBox(tr("Distance"), this);
  auto* lack = new QLabel(distance_box);
  auto* distance = new QLineEdit(distance_box);
  distance->setObjectName(QStringLiteral("distance"));
  distance->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  lack->setBuddy(distance);
  auto* of = new QLabel(distance_box);
  binder_.AddSync([&logic, lack, of] {
    const bool prefixes = logic.reading_backwards();
    lack->setText(prefixes ? tr("Find the prefix groups that lack") : tr("Find the suffix groups that lack"));
    of->setText(prefixes ? tr("of the chosen group's prefixes") : tr("of the chosen group's suffixes"));
  });
  auto* find_now = NewButton(tr("F&ind Now"), "findNow", distance_box);
  binder_.BindEdit(distance, logic.distance_edit());
  binder_.BindButton(find_now, [&logic] { logic.OnFindNow(); }, [&logic] { return logic.CanFindNow(); });
  binder_.PressOnEnter(distance, find_now);
  auto* distance_layout = new QHBoxLayout(distance_box);
  distance_layout->addWidget(lack);
  distance_layout->addWidget(distance);
  distance_layout->addWidget(of);
  distance_layout->addSpacing(fontMetrics().averageCharWidth() * 2);
  distance_layout->addWidget(find_now);

  auto* update = NewButton(tr("&Update"), "update", this);
  auto* exit = NewButton(tr("E&xit"), "exit", this);
  binder_.BindButton(update, [&logic] { logic.OnUpdate(); }, [&logic] { return logic.CanUpdate(); });
  binder_.BindButton(exit, [&logic] { logic.OnExit(); });
  auto* row = new QHBoxLayout;
  row->addWidget(distance_box);
  row->addStretch();
  row->addWidget(update, 0, Qt::AlignBottom);
  row->addWidget(exit, 0, Qt::AlignBottom);
  return row;
}

void MainWindowView::BuildStatusBar() {
  // What the last command did, and beside it the open list's numbers.
  auto* status = new ElidedLabel(statusBar());
  status->setObjectName(QStringLiteral("status"));
  // Status texts name files, whose bytes are shown as UTF-8 where they are.
  binder_.BindLabel(status, logic_.status(), [] { return DisplayEncoding::kUtf8; });
  statusBar()->addWidget(status, 1);
  summary_ = std::make_unique<ListSummaryBar>(statusBar());
  binder_.AddSync([this] { summary_->Show(logic_.Summary()); });
}

Answer MainWindowView::RunUntilClosed() {
  binder_.Initialise();
  if (logic_.ended()) return logic_.result();
  QEventLoop loop;
  connect(this, &MainWindowView::closed, &loop, &QEventLoop::quit);
  show();
  loop.exec();
  return logic_.result();
}

void MainWindowView::ShowModeless() {
  binder_.Initialise();
  show();
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!binder_.HandleEnter(focusWidget())) binder_.Run([this] { logic_.Accept(); });
      return;
    case Qt::Key_Escape: binder_.Run([this] { logic_.Reject(); }); return;
    default: QMainWindow::keyPressEvent(event);
  }
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  if (!logic_.ended()) binder_.Run([this] { logic_.CloseRequested(); });
  if (!logic_.ended()) {
    event->ignore();
    return;
  }
  SaveWindowState();
  StoreAnalysisSettings(logic_.settings(), logic_.distance_edit().text);
  event->accept();
  emit closed();
}

void MainWindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindowView::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenListAt(path);
}

void MainWindowView::OpenListAt(const QString& path) {
  if (!QFileInfo::exists(path)) {
    recent_files_->Remove(path);
    host_.ShowMessage(Error(tr("%1 no longer exists; it was taken off the recent files.").arg(path).toStdString()));
    return;
  }
  binder_.Run([this, bytes = PathBytes(path)] { logic_.OpenList(bytes); });
}

void MainWindowView::RestoreWindowState() {
  const QSettings settings;
  if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
    // The first run: a size that shows the numbers beside the stems.
    const QSize text = fontMetrics().size(0, QStringLiteral("M"));
    resize(text.width() * 80, text.height() * 36);
  }
  splitter_->restoreState(settings.value(kSplitterKey).toByteArray());
}

void MainWindowView::SaveWindowState() const {
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kSplitterKey, splitter_->saveState());
}

}  // namespace tarvo::ui::qt
