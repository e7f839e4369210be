#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace kv {

namespace {

struct TQtCatalogues {
  std::string Language;
  std::unique_ptr<QTranslator> Translator;
  QLocale Original;  // the desktop's, taken before the first switch
  bool HaveOriginal = false;
};

TQtCatalogues& Catalogues() {
  static TQtCatalogues catalogues;
  return catalogues;
}

// What Qt formats through its default locale (numbers in spin boxes and the colour dialog's
// fields, dates in date fields) follows the language as the captions do: German when German is
// chosen, else the desktop's own locale (an English one when the desktop's is German). Qt's file
// dialog takes its dates from the system locale and keeps the desktop's.
void UseLocaleFor(const std::string& language, const QLocale& original) {
  if (language == "de")
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  else if (original.language() == QLocale::German)
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  else
    QLocale::setDefault(original);
}

}  // namespace

bool UseQtTranslations(const std::string& language) {
  TQtCatalogues& c = Catalogues();
  if (c.Translator) {
    QCoreApplication::removeTranslator(c.Translator.get());
    c.Translator.reset();
  }
  if (!c.HaveOriginal) {
    c.Original = QLocale();
    c.HaveOriginal = true;
  }
  c.Language = language;
  UseLocaleFor(language, c.Original);
  if (language.empty() || language == "en") return true;
  auto translator = std::make_unique<QTranslator>();
  // "qt_<lang>.qm" is a catalogue of catalogues: it pulls in qtbase and the other modules'.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(QString::fromStdString(language)), QStringLiteral("qt"),
                        QStringLiteral("_"), folder))
    return false;
  QCoreApplication::installTranslator(translator.get());
  c.Translator = std::move(translator);
  return true;
}

const std::string& QtTranslationsLanguage() {
  return Catalogues().Language;
}

}  // namespace kv
