// File > Open Recent: the word lists opened last, most recent first, at
// most kMostRecentFiles of them, then "Clear Menu". The list is kept in
// QSettings, so every window and every run shares it.
#pragma once

#include <QMenu>
#include <QStringList>

namespace tarvo::ui::qt {

class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  static constexpr int kMostRecentFiles = 8;

  explicit RecentFilesMenu(QWidget* parent = nullptr);

  // Puts `path` first (moving it up when it is listed already).
  void Add(const QString& path);
  void Remove(const QString& path);
  QStringList paths() const { return paths_; }

 signals:
  // The user chose a list.
  void OpenRequested(const QString& path);

 private:
  void SetPaths(QStringList paths);
  void Rebuild();

  QStringList paths_;
};

}  // namespace tarvo::ui::qt
