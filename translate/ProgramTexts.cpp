#include "translate/ProgramTexts.h"

#include <stdexcept>

namespace kv {

namespace {

// Grouped by the window or layer that shows them; ids are "<Area>.<What>".
constexpr TProgramText kTexts[] = {
    // ---- Main window ----
    {"Main.HintBlockFormat", "Absatzformat", "Paragraph format"},
    {"Main.HintFontSize",
     "Schriftgr\xF6\xDF"
     "e",
     "Font size"},
    {"Main.HintFont", "Schriftart", "Font"},
    {"Main.HintUnderline", "Unterstrichen", "Underline"},
    {"Main.HintHtml", "HTML-Quelltext bearbeiten", "Edit the HTML source"},
    {"Main.HintPreview", "Vorschau im Browser", "Preview in the web browser"},
    // ---- Recovery ----
    {"Recovery.TimeFormat", "%d.%m.%Y, %H:%M:%S Uhr", "%Y-%m-%d %H:%M:%S"},
    {"Recovery.Yes", "&Ja", "&Yes"},
    {"Recovery.No", "&Nein", "&No"},
    {"Recovery.Question",
     "KAVELIN wurde nicht ordnungsgem\xE4\xDF beendet. Es gibt eine Sicherungskopie der Seite "
     "\x84%1\x93 im Ordner \x84%2\x93 vom %3.\n\nSoll die Seite wiederhergestellt werden? Nein "
     "l\xF6scht die Sicherungskopie.",
     "KAVELIN was not closed properly. There is a recovery copy of the page \"%1\" in the folder "
     "\"%2\" from %3.\n\nRestore the page? No deletes the recovery copy."},
    {"Recovery.QuestionUntitled",
     "KAVELIN wurde nicht ordnungsgem\xE4\xDF beendet. Es gibt eine Sicherungskopie einer neuen, "
     "noch nie gespeicherten Seite vom %1.\n\nSoll die Seite wiederhergestellt werden? Nein "
     "l\xF6scht die Sicherungskopie.",
     "KAVELIN was not closed properly. There is a recovery copy of a new page, never saved, "
     "from %1.\n\nRestore the page? No deletes the recovery copy."},
    {"Recovery.QuestionDamaged",
     "KAVELIN wurde nicht ordnungsgem\xE4\xDF beendet. Es gibt eine Sicherungskopie vom %1, "
     "aber ihre Angaben sind besch\xE4\x64igt: Name und Ordner der Seite sind unbekannt.\n\nSoll "
     "sie als neue, unbenannte Seite wiederhergestellt werden? Nein l\xF6scht die "
     "Sicherungskopie.",
     "KAVELIN was not closed properly. There is a recovery copy from %1, but its record is "
     "damaged: the page's name and folder are unknown.\n\nRestore it as a new, untitled page? "
     "No deletes the recovery copy."},
    {"Recovery.NotePathUnusable",
     "Der Pfad der Seite kann nicht verwendet werden; sie wird als neue, unbenannte Seite "
     "wiederhergestellt.",
     "The page's path cannot be used; it is restored as a new, untitled page."},
    {"Recovery.NoteFolderGone",
     "Den Ordner gibt es nicht mehr; die Seite wird als neue, unbenannte Seite "
     "wiederhergestellt.",
     "The folder no longer exists; the page is restored as a new, untitled page."},
    {"Recovery.NoteFileGone",
     "Die Datei der Seite gibt es nicht mehr; sie wird beim Speichern neu angelegt.",
     "The page's file no longer exists; saving creates it again."},
    {"Recovery.NoteCopyDamaged",
     "Die Sicherungskopie ist besch\xE4\x64igt oder unvollst\xE4ndig; wiederhergestellt wird, "
     "was lesbar ist.",
     "The recovery copy is damaged or incomplete; what can be read is restored."},
    {"Recovery.CopyMissing",
     "Die Sicherungskopie der Seite \x84%1\x93 vom %2 fehlt; es gibt nichts "
     "wiederherzustellen.",
     "The recovery copy of the page \"%1\" from %2 is missing; there is nothing to restore."},
    {"Recovery.DamagedRemoved",
     "Besch\xE4\x64igte Angaben einer Sicherungskopie ohne Kopie wurden gel\xF6scht.",
     "The damaged record of a recovery copy without a copy was deleted."},
    {"Recovery.FutureVersion",
     "Eine Sicherungskopie vom %1 stammt von einer neueren Version von KAVELIN und kann hier "
     "nicht gelesen werden. Sie bleibt im Ordner \x84%2\x93.",
     "A recovery copy from %1 was made by a newer version of KAVELIN and cannot be read here. "
     "It stays in the folder \"%2\"."},
    {"Recovery.Restored",
     "Die Webseiten-Komponente wurde unerwartet beendet. Die Seite wurde mit dem Stand vom %1 "
     "wiederhergestellt.",
     "The web page component ended unexpectedly. The page was restored as it was at %1."},
    {"Recovery.RestoredLaterLost",
     "Die Webseiten-Komponente wurde unerwartet beendet. Die Seite wurde mit dem Stand vom %1 "
     "wiederhergestellt; \xC4nderungen danach sind verloren.",
     "The web page component ended unexpectedly. The page was restored as it was at %1; "
     "changes made after that are lost."},
    {"Recovery.Reloaded",
     "Die Webseiten-Komponente wurde unerwartet beendet. Die Seite wurde neu geladen; sie war "
     "seit %1 unver\xE4ndert.",
     "The web page component ended unexpectedly. The page was loaded again; it had not changed "
     "since %1."},
    {"Recovery.ReloadedChangesLost",
     "Die Webseiten-Komponente wurde unerwartet beendet, bevor es eine Sicherungskopie der "
     "\xC4nderungen gab. Die Seite wurde mit dem Stand vom %1 neu geladen; \xC4nderungen danach "
     "sind verloren.",
     "The web page component ended unexpectedly before a recovery copy of the changes was "
     "taken. The page was loaded again as it was at %1; changes made after that are lost."},
    {"Recovery.GaveUp",
     "Die Webseiten-Komponente wurde gleich nach der Wiederherstellung erneut beendet. Die Seite "
     "wird nicht noch einmal geladen. Die Sicherungskopie bleibt erhalten und wird beim "
     "n\xE4\x63hsten Start angeboten.",
     "The web page component ended again right after the page was restored. The page is not "
     "loaded again. The recovery copy is kept and offered at the next start."},
    {"Recovery.RestoredUntitled",
     "Die Seite konnte nicht in ihrem Ordner wiederhergestellt werden (%1). Sie wurde als neue, "
     "unbenannte Seite wiederhergestellt.",
     "The page could not be restored in its folder (%1). It was restored as a new, untitled "
     "page."},
    {"Recovery.RestoreFailed",
     "Die Seite konnte nicht wiederhergestellt werden: %1\nDie Sicherungskopie bleibt erhalten "
     "und wird beim n\xE4\x63hsten Start angeboten.",
     "The page could not be restored: %1\nThe recovery copy is kept and offered at the next "
     "start."},
    {"Recovery.CannotWrite",
     "Sicherungskopien der Seite k\xF6nnen nicht angelegt werden (%1). Sie k\xF6nnen "
     "weiterarbeiten, aber wenn KAVELIN unerwartet endet, sind ungespeicherte \xC4nderungen "
     "verloren.",
     "Recovery copies of the page cannot be made (%1). You can go on working, but if KAVELIN "
     "ends unexpectedly, unsaved changes are lost."},
};

}  // namespace

std::span<const TProgramText> ProgramTexts() {
  return kTexts;
}

std::string ProgramText(std::string_view id, int language) {
  for (const TProgramText& t : kTexts)
    if (t.Id == id) return std::string(language == 1 ? t.German : t.English);
  throw std::out_of_range("no program text " + std::string(id));
}

std::string ProgramText(std::string_view id, int language,
                        std::initializer_list<std::string_view> args) {
  return FillPlaceholders(ProgramText(id, language), args);
}

std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < args.size()) out += *(args.begin() + n);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kv
