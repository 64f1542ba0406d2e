#include "ui/qt/copy_rows.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <numeric>
#include <vector>

namespace tarvo::ui::qt {
namespace {

// The model rows (under the view's root) or columns of a table in the
// order its header shows them, hidden ones left out.
std::vector<int> ShownSections(const QHeaderView& header) {
  std::vector<int> sections;
  for (int visual = 0; visual < header.count(); ++visual) {
    const int logical = header.logicalIndex(visual);
    if (!header.isSectionHidden(logical)) sections.push_back(logical);
  }
  return sections;
}

std::vector<int> Range(int count) {
  std::vector<int> numbers(static_cast<std::size_t>(std::max(count, 0)));
  std::iota(numbers.begin(), numbers.end(), 0);
  return numbers;
}

std::vector<int> ShownRows(const QAbstractItemView& view) {
  if (const auto* table = qobject_cast<const QTableView*>(&view)) return ShownSections(*table->verticalHeader());
  std::vector<int> rows = Range(view.model()->rowCount(view.rootIndex()));
  if (const auto* list = qobject_cast<const QListView*>(&view)) {
    std::erase_if(rows, [list](int row) { return list->isRowHidden(row); });
  }
  return rows;
}

std::vector<int> ShownColumns(const QAbstractItemView& view) {
  if (const auto* table = qobject_cast<const QTableView*>(&view)) return ShownSections(*table->horizontalHeader());
  if (const auto* list = qobject_cast<const QListView*>(&view)) return {list->modelColumn()};
  return Range(view.model()->columnCount(view.rootIndex()));
}

// The cell as the view draws it: a styled delegate formats numbers and
// dates for the view's locale.
QString CellText(const QAbstractItemView& view, const QModelIndex& index) {
  const QVariant value = index.data(Qt::DisplayRole);
  if (const auto* delegate = qobject_cast<const QStyledItemDelegate*>(view.itemDelegateForIndex(index))) {
    return delegate->displayText(value, view.locale());
  }
  return value.toString();
}

// The shown rows of the view for which `take(row)` holds, as text.
template <typename Take>
QString RowsText(const QAbstractItemView& view, Take take) {
  const std::vector<int> columns = ShownColumns(view);
  QStringList lines;
  QStringList cells;
  for (const int row : ShownRows(view)) {
    if (!take(row)) continue;
    cells.clear();
    for (const int column : columns) cells << CellText(view, view.model()->index(row, column, view.rootIndex()));
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n'));
}

// Puts the view's copy commands on its context menu and on the Copy key.
class RowCopier : public QObject {
  Q_DECLARE_TR_FUNCTIONS(RowCopier)

 public:
  explicit RowCopier(QAbstractItemView* view) : QObject(view), view_(view) {
    copy_ = new QAction(tr("&Copy"), this);
    copy_->setShortcuts(QKeySequence::Copy);  // shown in the menu; the event filter serves the key
    copy_all_ = new QAction(tr("Copy &all"), this);
    connect(copy_, &QAction::triggered, this, [this] { ToClipboard(SelectedRowsText(*view_)); });
    connect(copy_all_, &QAction::triggered, this, [this] { ToClipboard(AllRowsText(*view_)); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, &RowCopier::ShowMenu);
    view->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool copy_key = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
                          static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (watched != view_ || !copy_key) return false;
    // Claiming the key at the shortcut stage makes it come here as a key
    // press; the view's own Copy would take only the current cell.
    event->accept();
    if (event->type() == QEvent::KeyPress) ToClipboard(SelectedRowsText(*view_));
    return true;
  }

 private:
  static void ToClipboard(const QString& text) {
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
  }

  void ShowMenu(const QPoint& position) {
    auto* menu = new QMenu(view_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    copy_->setEnabled(view_->selectionModel() != nullptr && view_->selectionModel()->hasSelection());
    menu->addAction(copy_);
    menu->addAction(copy_all_);
    // The position is the viewport's, as for every scroll area.
    menu->popup(view_->viewport()->mapToGlobal(position));
  }

  QAbstractItemView* view_;
  QAction* copy_;
  QAction* copy_all_;
};

}  // namespace

void EnableCopy(QAbstractItemView* view) { new RowCopier(view); }

QString SelectedRowsText(const QAbstractItemView& view) {
  const QItemSelectionModel* selection = view.selectionModel();
  if (view.model() == nullptr || selection == nullptr) return {};
  const std::vector<int> columns = ShownColumns(view);
  std::vector<bool> selected(static_cast<std::size_t>(view.model()->rowCount(view.rootIndex())), false);
  for (const QItemSelectionRange& range : selection->selection()) {
    if (range.parent() != view.rootIndex()) continue;
    const bool shows_a_column = std::any_of(columns.begin(), columns.end(), [&range](int column) {
      return column >= range.left() && column <= range.right();
    });
    if (!shows_a_column) continue;
    for (int row = range.top(); row <= range.bottom(); ++row) selected[static_cast<std::size_t>(row)] = true;
  }
  return RowsText(view, [&selected](int row) { return selected[static_cast<std::size_t>(row)]; });
}

QString AllRowsText(const QAbstractItemView& view) {
  if (view.model() == nullptr) return {};
  return RowsText(view, [](int) { return true; });
}

}  // namespace tarvo::ui::qt
