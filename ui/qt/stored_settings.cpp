#include "ui/qt/stored_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tarvo::ui::qt {
namespace {

const QString kMinWords = QStringLiteral("analysis/minWords");
const QString kMinSuffixes = QStringLiteral("analysis/minSuffixes");
const QString kWordWeight = QStringLiteral("analysis/wordWeight");
const QString kSuffixWeight = QStringLiteral("analysis/suffixWeight");
const QString kGroupsShown = QStringLiteral("analysis/groupsShown");
const QString kBufferSize = QStringLiteral("analysis/bufferSize");
const QString kReadAsCharacters = QStringLiteral("analysis/readAsCharacters");
const QString kReadBackwards = QStringLiteral("analysis/readBackwards");
const QString kDistance = QStringLiteral("analysis/distance");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kRecentFiles = QStringLiteral("files/recent");

// Sets `value` to the stored whole number when there is one in [min, max].
void LoadWhole(const QSettings& settings, const QString& key, long min, std::uint32_t& value) {
  bool ok = false;
  const qlonglong stored = settings.value(key).toLongLong(&ok);
  if (ok && stored >= min && stored <= kMaxSettingValue) value = static_cast<std::uint32_t>(stored);
}

void LoadReal(const QSettings& settings, const QString& key, float min, float max, float& value) {
  bool ok = false;
  const double stored = settings.value(key).toDouble(&ok);
  if (ok && stored >= min && stored <= max) value = static_cast<float>(stored);
}

}  // namespace

void LoadAnalysisSettings(AnalysisSettings& analysis, std::string& distance) {
  const QSettings settings;
  LoadWhole(settings, kMinWords, 1, analysis.min_words);
  LoadWhole(settings, kMinSuffixes, 1, analysis.min_suffixes);
  LoadWhole(settings, kGroupsShown, 1, analysis.groups_shown);
  LoadWhole(settings, kBufferSize, kMinBufferSize, analysis.buffer_size);
  LoadReal(settings, kWordWeight, -3.4e38f, 3.4e38f, analysis.word_weight);
  LoadReal(settings, kSuffixWeight, kMinSuffixWeight, kMaxSuffixWeight, analysis.suffix_weight);
  analysis.read_as_characters = settings.value(kReadAsCharacters, analysis.read_as_characters).toBool();
  analysis.read_backwards = settings.value(kReadBackwards, analysis.read_backwards).toBool();
  std::uint32_t stored_distance = 0;
  if (settings.contains(kDistance)) {
    LoadWhole(settings, kDistance, 0, stored_distance);
    distance = std::to_string(stored_distance);
  }
}

void StoreAnalysisSettings(const AnalysisSettings& analysis, const std::string& distance) {
  QSettings settings;
  settings.setValue(kMinWords, analysis.min_words);
  settings.setValue(kMinSuffixes, analysis.min_suffixes);
  settings.setValue(kGroupsShown, analysis.groups_shown);
  settings.setValue(kBufferSize, analysis.buffer_size);
  settings.setValue(kWordWeight, static_cast<double>(analysis.word_weight));
  settings.setValue(kSuffixWeight, static_cast<double>(analysis.suffix_weight));
  settings.setValue(kReadAsCharacters, analysis.read_as_characters);
  settings.setValue(kReadBackwards, analysis.read_backwards);
  // A distance that is no number is not kept: the next run starts at 2.
  bool ok = false;
  const qlonglong number = QString::fromStdString(distance).toLongLong(&ok);
  if (ok && number >= 0) settings.setValue(kDistance, number);
  else settings.remove(kDistance);
}

QString LastFolder() { return QSettings().value(kLastFolder).toString(); }

void RememberFolderOf(const std::string& path) {
  QSettings().setValue(kLastFolder, QFileInfo(PathText(path)).absolutePath());
}

QStringList StoredRecentFiles() { return QSettings().value(kRecentFiles).toStringList(); }

void StoreRecentFiles(const QStringList& paths) { QSettings().setValue(kRecentFiles, paths); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace tarvo::ui::qt
