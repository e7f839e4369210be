// Qt's own texts — the file and colour dialogs, the message boxes' standard buttons, the edit
// fields' context menus — in the program's active language, from the catalogues Qt installs
// (Debian: qt6-translations-l10n). Native dialogs of a desktop theme speak the desktop's
// language and are not affected.
#pragma once

#include <string>

namespace kv {

// language: a two-letter code such as "de"; "" or "en" is Qt's built-in English. Replaces the
// catalogues of the previous call; dialogs built after it use the new texts. False when no
// catalogue for the language was found (Qt then speaks English).
bool UseQtTranslations(const std::string& language);

// The code last set by UseQtTranslations ("" before the first call).
const std::string& QtTranslationsLanguage();

}  // namespace kv
