// The window in another language: a translator installed in the
// application reaches the texts the window logic builds (title, status
// line, messages) as well as the views' own, with the variable parts
// filled into the translated sentence.
#include <QFormLayout>
#include <QTranslator>

#include "qt_test_support.h"
#include "ui/platform/translation.h"
#include "ui/qt/translations.h"

namespace tarvo::ui::qt::test {
namespace {

// Marks every text of the logic's contexts with brackets, so a test sees
// which texts were looked up and that the filled-in parts were not.
class MarkingTranslator : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char*, int) const override {
    const QByteArray name(context);
    if (name != "MainWindowLogic" && name != "Count" && name != "SettingsLogic") return {};
    return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
  }
  bool isEmpty() const override { return false; }
};

class TranslatedWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    InstallTranslations();
    QCoreApplication::installTranslator(&translator_);
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    QCoreApplication::removeTranslator(&translator_);
    SetTextLookup(nullptr);
  }

 private:
  MarkingTranslator translator_;
};

TEST_F(TranslatedWindowTest, LogicTextsGoThroughTheInstalledTranslator) {
  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("[sample.txt (bytes) - Tarvo]"));
  const QString status = TextOf(&view, "status");
  EXPECT_TRUE(status.startsWith(QStringLiteral("[Opened sample.txt: "))) << status.toStdString();
  EXPECT_TRUE(status.contains(QStringLiteral(" [words], "))) << status.toStdString();
  EXPECT_TRUE(status.endsWith(QStringLiteral(" [main groups].]"))) << status.toStdString();

  // A message box: the file error, with the path and reason filled in.
  files.push_back(dir.PathOf("missing.txt"));
  QString error;
  WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
    error = box->text();
    box->accept();
  });
  OpenSample();
  EXPECT_TRUE(error.startsWith(QStringLiteral("[Cannot read the word list] '"))) << error.toStdString();
  EXPECT_TRUE(error.endsWith(QStringLiteral(". [The list that was open stays open.]"))) << error.toStdString();

  // The Settings dialog labels its fields with the logic's captions.
  QString first_label;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    auto* form = dialog->findChild<QFormLayout*>();
    first_label = qobject_cast<QLabel*>(form->itemAt(0, QFormLayout::LabelRole)->widget())->text();
    ButtonOf(dialog, "cancel")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
  EXPECT_TRUE(first_label.startsWith(QLatin1Char('['))) << first_label.toStdString();
}

}  // namespace
}  // namespace tarvo::ui::qt::test
