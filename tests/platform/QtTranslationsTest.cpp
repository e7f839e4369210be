// Qt's own dialogs in the program's language: the open, save and colour dialogs and the message
// boxes' buttons, as the program shows them. With KV_SCREENSHOT_DIR set, each German dialog is
// also saved there as a picture, for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "platform/Dialogs.h"
#include "platform/QtTranslations.h"

namespace kv {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "kavelin";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// The texts of a dialog's buttons and labels, without access-key marks.
QStringList Texts(QWidget* dialog) {
  QStringList texts;
  for (auto* b : dialog->findChildren<QAbstractButton*>()) texts << b->text().remove('&');
  for (auto* l : dialog->findChildren<QLabel*>()) texts << l->text().remove('&');
  return texts;
}

// Shows a modal dialog through show(), reads it, saves a picture when asked, and closes it.
QStringList ShownTexts(const std::function<void()>& show, const char* picture) {
  QStringList texts;
  QTimer::singleShot(300, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    texts = Texts(dialog);
    if (const char* dir = std::getenv("KV_SCREENSHOT_DIR"); dir && *dir)
      dialog->grab().save(QString::fromLocal8Bit(dir) + "/" + picture);
    if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
  });
  show();
  return texts;
}

class QtTranslationsTest : public testing::Test {
 protected:
  void SetUp() override { App(); }
  void TearDown() override { UseQtTranslations(""); }
};

TEST_F(QtTranslationsTest, TheDialogsSpeakGermanAndSwitchBackToEnglish) {
  ASSERT_TRUE(UseQtTranslations("de")) << "Qt's German catalogue is missing";
  EXPECT_EQ(QtTranslationsLanguage(), "de");
  TOpenDialog open(nullptr);
  open.SetFilter("HTML-Dateien|*.htm;*.html|Alle Dateien|*.*");
  const QStringList openTexts = ShownTexts([&] { EXPECT_FALSE(open.Execute()); }, "open_de.png");
  EXPECT_TRUE(openTexts.contains("Abbrechen")) << openTexts.join(" | ").toStdString();
  EXPECT_TRUE(openTexts.contains(QString::fromUtf8("Öffnen")))
      << openTexts.join(" | ").toStdString();
  EXPECT_TRUE(openTexts.contains("Dateiname:")) << openTexts.join(" | ").toStdString();

  TSaveDialog save(nullptr);
  const QStringList saveTexts = ShownTexts([&] { EXPECT_FALSE(save.Execute()); }, "save_de.png");
  EXPECT_TRUE(saveTexts.contains("Speichern")) << saveTexts.join(" | ").toStdString();

  TColorDialog colour(nullptr);
  const QStringList colourTexts =
      ShownTexts([&] { EXPECT_FALSE(colour.Execute()); }, "colour_de.png");
  EXPECT_TRUE(colourTexts.contains("Grundfarben")) << colourTexts.join(" | ").toStdString();
  EXPECT_TRUE(colourTexts.contains("Abbrechen")) << colourTexts.join(" | ").toStdString();

  QMessageBox box(QMessageBox::Information, "KAVELIN", "?", QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");

  // Dates in the dialogs' lists follow the language too.
  EXPECT_EQ(QLocale().monthName(12, QLocale::ShortFormat), "Dez.");

  ASSERT_TRUE(UseQtTranslations(""));
  EXPECT_NE(QLocale().language(), QLocale::German);
  const QStringList english = ShownTexts([&] { EXPECT_FALSE(open.Execute()); }, "open_en.png");
  EXPECT_TRUE(english.contains("Cancel")) << english.join(" | ").toStdString();
  EXPECT_FALSE(english.contains("Abbrechen"));
}

TEST_F(QtTranslationsTest, ALanguageWithoutCataloguesLeavesQtInEnglish) {
  ASSERT_TRUE(UseQtTranslations("de"));
  EXPECT_FALSE(UseQtTranslations("xx"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

}  // namespace
}  // namespace kv
