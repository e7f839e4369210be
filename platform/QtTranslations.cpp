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
};

TQtCatalogues& Catalogues() {
  static TQtCatalogues catalogues;
  return catalogues;
}

}  // namespace

bool UseQtTranslations(const std::string& language) {
  TQtCatalogues& c = Catalogues();
  if (c.Translator) {
    QCoreApplication::removeTranslator(c.Translator.get());
    c.Translator.reset();
  }
  c.Language = language;
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
