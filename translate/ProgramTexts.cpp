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
    {"Engine.Unreadable", "Die Webseiten-Komponente lieferte keine lesbare Seite.",
     "The web page component returned no readable page."},
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
