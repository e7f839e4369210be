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
    {"Main.SaveBusy", "Die Seite wird bereits gespeichert: %1",
     "The page is already being saved: %1"},
    {"Main.SaveNoPage", "Es ist keine Seite geladen; %1 wurde nicht geschrieben.",
     "No page is loaded; %1 was not written."},
    {"Main.InsertTable", "Tabelle einf\xFCgen: %1", "Insert table: %1"},
    {"Main.PlaceholderMissing",
     "Die Webseiten-Komponente hat den Platzhalter \"INSERTATABLE\" nicht an der Schreibmarke "
     "eingef\xFCgt; %1 wurde nicht ge\xE4ndert.",
     "The web page component did not put the placeholder \"INSERTATABLE\" at the caret; %1 was "
     "not changed."},
    {"Main.HintOpen",
     "Seite \xF6"
     "ffnen (Alt+O, Strg+O)",
     "Open a page (Alt+O, Ctrl+O)"},
    {"Main.HintNew", "Neue Seite (Alt+N, Strg+N)", "New page (Alt+N, Ctrl+N)"},
    {"Main.HintSave", "Seite speichern (F2, Strg+S)", "Save the page (F2, Ctrl+S)"},
    {"Main.HintSaveAs", "Seite unter neuem Namen speichern (Alt+S, Strg+Umschalt+S)",
     "Save the page under a new name (Alt+S, Ctrl+Shift+S)"},
    {"Main.HintClose", "Programm beenden (Alt+X, Strg+Q)", "Close the program (Alt+X, Ctrl+Q)"},
    {"Main.HintHelpFile", "Hilfe anzeigen (Alt+H, F1)", "Show the help (Alt+H, F1)"},
    // ---- Files refused before they are opened ----
    {"PageFile.Missing", "Die Datei %1 gibt es nicht.", "The file %1 does not exist."},
    {"PageFile.Folder", "%1 ist ein Ordner und keine Seite.", "%1 is a folder, not a page."},
    {"PageFile.Unreadable", "Die Datei %1 kann nicht gelesen werden.",
     "The file %1 cannot be read."},
    {"PageFile.TooLarge",
     "Die Datei %1 ist gr\xF6\xDF"
     "er als 64 MB und wird nicht ge\xF6"
     "ffnet.",
     "The file %1 is larger than 64 MB and is not opened."},
    {"PageFile.Binary", "Die Datei %1 enth\xE4lt keinen Text und ist keine Seite.",
     "The file %1 holds no text and is not a page."},
    {"PageFile.Picture", "Die Datei %1 ist ein Bild und keine Seite.",
     "The file %1 is a picture, not a page."},
    // ---- Table generator ----
    {"Table.HintOk",
     "H\xF6"
     "chstens 1000 Zeilen, 1000 Spalten und 100 000 Zellen",
     "At most 1000 rows, 1000 columns and 100 000 cells"},
    {"Table.HintUnit", "Einheit der Breite", "Unit of the width"},
    // ---- Engine ----
    {"Engine.PageNotLoaded", "Die Seite %1 konnte nicht geladen werden.",
     "The page %1 could not be loaded."},
    {"Engine.Unavailable",
     "Die Webseiten-Komponente ist nicht mehr verf\xFC"
     "gbar.",
     "The web page component is no longer available."},
    {"Engine.ProcessEnded",
     "Der Prozess der Webseiten-Komponente wurde beendet. Bitte \xF6"
     "ffnen Sie die Seite erneut.",
     "The web page component's process has ended. Please open the page again."},
    {"Engine.NoPage", "Es ist keine Seite geladen.", "No page is loaded."},
    {"Engine.Busy",
     "Die Webseiten-Komponente ist noch besch\xE4"
     "ftigt (%1).",
     "The web page component is still busy (%1)."},
    {"Engine.NoAnswer", "Die Webseiten-Komponente antwortet nicht (%1, nach %2 Sekunden).",
     "The web page component did not answer (%1, after %2 seconds)."},
    {"Engine.UnreadableWhy", "Die Webseiten-Komponente lieferte keine lesbare Seite (%1).",
     "The web page component returned no readable page (%1)."},
    {"Engine.NoAnswerShort", "keine Antwort", "no answer"},
    {"Engine.UnknownCommand", "Unbekannter Befehl: %1", "Unknown command: %1"},
    {"Engine.ActivitySave", "Seite speichern", "saving the page"},
    {"Engine.ActivityLoad", "Seite laden", "loading the page"},
    {"Engine.ActivityEdit", "Bearbeitung einschalten", "switching editing on"},
    {"Engine.ActivityNavigate", "Navigieren", "navigating"},
    {"Engine.ActivityCut", "Ausschneiden", "cutting"},
    {"Engine.ActivityCopy", "Kopieren", "copying"},
    {"Engine.ActivityPaste", "Einf\xFCgen", "pasting"},
    {"Engine.LinkAddress", "Adresse:", "Address:"},
    {"Engine.PictureTitle", "Bild einf\xFCgen", "Insert picture"},
    {"Engine.PictureFilter", "Bilder (*.gif *.jpg *.jpeg *.png *.bmp *.webp);;Alle Dateien (*)",
     "Pictures (*.gif *.jpg *.jpeg *.png *.bmp *.webp);;All files (*)"},
    // ---- Source window ----
    {"Source.HintSave",
     "Ge\xE4nderten Quelltext in die Seite \xFC"
     "bernehmen (F2)",
     "Hand the changed source back to the page (F2)"},
    {"Source.HintFind", "Im Quelltext suchen (Strg+F, weitersuchen mit F3)",
     "Find in the source (Ctrl+F, find again with F3)"},
    {"Source.HintAbort",
     "Schlie\xDF"
     "en, ohne die Seite zu \xE4ndern (Esc)",
     "Close without changing the page (Esc)"},
    {"Source.HintEditor", "HTML-Quelltext der Seite", "The page's HTML source"},
    {"Source.NulByte",
     "Die Datei %1 enth\xE4lt ein NUL-Zeichen (an Byte %2) und kann nicht als Quelltext bearbeitet "
     "werden; die Seite bleibt unver\xE4ndert.",
     "The file %1 holds a NUL character (at byte %2) and cannot be edited as source; the page is "
     "left as it was."},
    // ---- Find dialog ----
    {"Find.Caption", "Suchen", "Find"},
    {"Find.What", "Suchen &nach:", "Fi&nd what:"},
    {"Find.WholeWord", "Nur &ganzes Wort suchen", "Match &whole word only"},
    {"Find.MatchCase", "&Gro\xDF-/Kleinschreibung beachten", "Match &case"},
    {"Find.Direction", "Richtung", "Direction"},
    {"Find.Up", "&Aufw\xE4rts", "&Up"},
    {"Find.Down", "A&bw\xE4rts", "&Down"},
    {"Find.Next", "&Weitersuchen", "&Find Next"},
    {"Find.Cancel", "Abbrechen", "Cancel"},
    {"Find.HintText",
     "Der gesuchte Text (h\xF6"
     "chstens 255 Zeichen)",
     "The text to find (at most 255 characters)"},
    {"Find.HintWholeWord", "Nur Fundstellen, die ein ganzes Wort sind",
     "Only matches that are a whole word"},
    {"Find.HintMatchCase", "Gro\xDF- und Kleinbuchstaben unterscheiden",
     "Tell upper-case and lower-case letters apart"},
    {"Find.HintDirection", "Vom Cursor aus zum Anfang oder zum Ende suchen",
     "Search from the caret towards the start or the end"},
    {"Find.HintNext",
     "Die n\xE4"
     "chste Fundstelle markieren",
     "Select the next match"},
    {"Find.HintCancel",
     "Das Suchfenster schlie\xDF"
     "en",
     "Close the find window"},
    // ---- Meta tags ----
    {"Meta.HintTitle", "Titel der Seite, wie ihn Browser und Suchmaschinen zeigen",
     "The page's title, as browsers and search engines show it"},
    {"Meta.HintAuthor", "Name des Autors der Seite", "The name of the page's author"},
    {"Meta.HintDescription", "Kurze Beschreibung der Seite f\xFCr Suchmaschinen",
     "A short description of the page for search engines"},
    {"Meta.HintKeywords", "Suchw\xF6rter, durch Komma getrennt", "Keywords, separated by commas"},
    {"Meta.HintCopyright", "Copyright-Vermerk, z.B. Ihr Name und das Jahr",
     "Copyright notice, e.g. your name and the year"},
    {"Meta.HintSave", "Titel und Meta-Tags in die Seite schreiben (F2)",
     "Write the title and the meta tags into the page (F2)"},
    {"Meta.HintAbort",
     "Schlie\xDF"
     "en, ohne die Seite zu \xE4ndern (Esc)",
     "Close without changing the page (Esc)"},
    {"Meta.NoSnapshot",
     "Die Seite wurde f\xFCr dieses Fenster nicht gespeichert (%1 fehlt); %2 bleibt "
     "unver\xE4ndert.",
     "The page was not saved for this window (%1 is missing); %2 is left as it was."},
    // ---- About box and showcase ----
    {"About.HintUrl",
     "Die Webseite des Herstellers im Browser \xF6"
     "ffnen",
     "Open the maker's web site in the browser"},
    {"About.HintEmail", "Eine E-Mail an den Hersteller schreiben", "Write an e-mail to the maker"},
    {"About.HintOk",
     "Das Fenster schlie\xDF"
     "en",
     "Close this window"},
    {"Showcase.HintPicture",
     "Mehr \xFC"
     "ber das Produkt im Browser erfahren",
     "Learn more about the product in the browser"},

    // ---- Command line (printed to the terminal; %1 is the option or file as given) ----
    {"CommandLine.Usage",
     "Aufruf: kavelin [OPTION]... [--] [DATEI]\n"
     "Bearbeitet eine Internetseite. DATEI ist die Seite, die ge\xF6"
     "ffnet wird; ohne sie,\n"
     "oder wenn es sie nicht gibt, beginnt eine neue Seite ohne Namen.\n"
     "\n"
     "  -h, --help      diese Hilfe zeigen und beenden\n"
     "  -V, --version   die Version zeigen und beenden\n"
     "  --              alle weiteren Argumente sind Dateien, auch wenn sie mit \"-\" beginnen\n"
     "\n"
     "Qt und die Web-Engine nehmen ihre Einstellungen aus der Umgebung\n"
     "(QT_QPA_PLATFORM, QT_SCALE_FACTOR, QTWEBENGINE_CHROMIUM_FLAGS ...).\n",
     "Usage: kavelin [OPTION]... [--] [FILE]\n"
     "Edits a web page. FILE is the page to open; without it, or when it does not\n"
     "exist, a new untitled page begins.\n"
     "\n"
     "  -h, --help      show this help and end\n"
     "  -V, --version   show the version and end\n"
     "  --              every further argument is a file, also when it begins with \"-\"\n"
     "\n"
     "Qt and the web engine take their settings from the environment\n"
     "(QT_QPA_PLATFORM, QT_SCALE_FACTOR, QTWEBENGINE_CHROMIUM_FLAGS ...).\n"},
    {"CommandLine.BadOption",
     "kavelin: unbekannte Option \"%1\"\n"
     "Mehr mit \"kavelin --help\".\n",
     "kavelin: unknown option \"%1\"\n"
     "Try \"kavelin --help\".\n"},
    {"CommandLine.NoVersion", "kavelin: die Versionsdatei %1 ist nicht lesbar.\n",
     "kavelin: cannot read the version file %1.\n"},
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
