// What the program keeps between runs, in QSettings: the analysis
// settings, the distance, the folder of the last word list and the recent
// files. (The main window keeps its own geometry.) A stored value outside
// the bounds the Settings dialog enforces is ignored, so a hand-edited file
// cannot give the window a setting the dialog would refuse.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "automaton/analysis_settings.h"

namespace tarvo::ui::qt {

// Overwrites the settings (and the distance) that were stored and are valid.
void LoadAnalysisSettings(AnalysisSettings& settings, std::string& distance);
void StoreAnalysisSettings(const AnalysisSettings& settings, const std::string& distance);

// The folder the file dialogs start in: that of the last list chosen.
QString LastFolder();
void RememberFolderOf(const std::string& path);

// Most recent first.
QStringList StoredRecentFiles();
void StoreRecentFiles(const QStringList& paths);

// A path as the engine takes it (bytes) and as Qt shows it.
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

}  // namespace tarvo::ui::qt
