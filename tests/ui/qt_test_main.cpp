// The widget tests' entry point: a QApplication on the offscreen platform
// unless another one is asked for, with settings kept in a folder of its
// own that is removed at the end, never the user's, and emptied before
// every test, so that each starts as a first run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class ForgetSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { QSettings().clear(); }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("TarvoWidgetTests"));
  QApplication::setApplicationName(QStringLiteral("TarvoWidgetTests"));
  const QTemporaryDir settings_folder;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_folder.path());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings);
  return RUN_ALL_TESTS();
}
