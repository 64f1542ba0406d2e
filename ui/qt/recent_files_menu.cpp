#include "ui/qt/recent_files_menu.h"

#include <QFileInfo>

#include "ui/qt/stored_settings.h"

namespace tarvo::ui::qt {

RecentFilesMenu::RecentFilesMenu(QWidget* parent) : QMenu(tr("Open &Recent"), parent) {
  setObjectName(QStringLiteral("recentFiles"));
  SetPaths(StoredRecentFiles());
}

void RecentFilesMenu::Add(const QString& path) {
  QStringList paths = paths_;
  paths.removeAll(path);
  paths.prepend(path);
  SetPaths(std::move(paths));
}

void RecentFilesMenu::Remove(const QString& path) {
  QStringList paths = paths_;
  paths.removeAll(path);
  SetPaths(std::move(paths));
}

void RecentFilesMenu::SetPaths(QStringList paths) {
  paths.removeAll(QString());
  paths_ = paths.mid(0, kMostRecentFiles);
  StoreRecentFiles(paths_);
  Rebuild();
}

void RecentFilesMenu::Rebuild() {
  clear();
  for (int i = 0; i < paths_.size(); ++i) {
    const QString& path = paths_[i];
    // "&1 polish": a number key for each of the first nine, the full path
    // as its tip.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = addAction(tr("&%1 %2").arg(i + 1).arg(name));
    item->setToolTip(path);
    item->setStatusTip(path);
    item->setData(path);
    connect(item, &QAction::triggered, this, [this, path] { emit OpenRequested(path); });
  }
  addSeparator();
  QAction* clear_item = addAction(tr("&Clear Menu"), this, [this] { SetPaths({}); });
  clear_item->setEnabled(!paths_.isEmpty());
}

}  // namespace tarvo::ui::qt
