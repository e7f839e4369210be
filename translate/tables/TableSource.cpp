// Texts are Windows-1252: \xFC is "ü", \xF6 "ö", \xE4 "ä", \xC4 "Ä", \xD6 "Ö", \xDC "Ü".
#include "translate/tables/TableSource.h"

#include <initializer_list>

#include "platform/classes/Strings.h"
#include "translate/CustomTranslator.h"
#include "translate/LangRows.h"
#include "translate/TranslationData.h"

namespace kv {

namespace {

std::string Comma(std::initializer_list<const char*> items) {
  TStringList list;
  for (const char* i : items) list.Add(i);
  return list.GetCommaText();
}

void Add(std::vector<TAuthoredRow>& rows, TStringsType s, std::string key, std::string de,
         std::string en) {
  rows.push_back({s, std::move(key), std::move(de), std::move(en)});
}

const char* const kMSS = "Microsoft Sans Serif";

std::vector<TAuthoredRow> MainFormRows() {
  std::vector<TAuthoredRow> r;
  auto caption = [&](const char* key, const char* de, const char* en) {
    Add(r, stCaptions, key, de, en);
  };
  caption("TMainForm", "KAVELIN", "KAVELIN");
  caption("Datei1", "Datei", "File");
  caption("NeueInternetseit1",
          "\xD6"
          "ffnen",
          "Open");
  caption("Neu1", "Neu", "New");
  caption("Soeichern1", "Speichern", "Save");
  caption("Speichernunter1", "Speichern unter", "Save as");
  caption("Programmbeenden1", "Programm beenden", "Close");
  // The language menu is labelled in the language that is not active.
  caption("Language1", "Language", "Sprache");
  caption("Deutsch1", "German", "Deutsch");
  caption("English1", "English", "Englisch");
  caption("Hilfe2", "Hilfe", "Help");
  caption("Hilfedatei2", "Hilfedatei", "Help File");
  caption("Info2", "Info", "Info");
  caption("SpeedButton1", "HTML", "HTML");
  caption("SpeedButton2", "Vorschau", "Preview");
  caption("ToolButton3", "Cu&t", "Cu&t");
  caption("ToolButton4", "&Copy", "&Copy");
  caption("ToolButton5", "&Paste", "&Paste");
  caption("ToolButton6", "&Undo", "&Undo");
  // Captions the toolbar never shows, kept as designed.
  caption("ToolButton21", "ToolButton1", "");
  caption("ToolButton22", "ToolButton3", "");
  caption("ToolButton24", "ToolButton1", "");
  caption("ToolButton25", "ToolButton", "");
  caption("ToolButton26", "ToolButton2", "");
  caption("ToolButton1", "ToolButton1", "");
  caption("ToolButton10", "ToolButton10", "");
  caption("ToolButton2", "ToolButton2", "");
  caption("ToolButton8", "ToolButton8", "");

  auto hint = [&](const char* key, const char* de, const char* en) {
    Add(r, stHints, key, de, en);
  };
  hint("ToolButton3", "L\xF6sche ausgew\xE4hlten Text", "Delete selected Text");
  hint("ToolButton4", "Kopiere ausgew\xE4hlten Text in die Ablage", "Copy seletcted Text");
  hint("ToolButton5", "Ausgew\xE4hlten Text aus der Ablage einf\xFCgen",
       "Paste Copy seletcted Text");
  hint("ToolButton6",
       "R\xFC"
       "ckg\xE4ngig letzte Aktion",
       "Undo");
  hint("BoldToolButton", "Schrift Fett", "Font Bold");
  hint("ItalicToolButton", "Schrift Kursiv", "Font Italic");
  hint("LinkToolButton", "Hyperlink einf\xFCgen", "Insert Hyperlink");
  hint("LeftToolButton1", "Linksb\xFCndig", "Align Left");
  hint("CenterToolButton1", "Zentriert", "Align Center");
  hint("RightToolButton1", "Rechtsb\xFCndig", "Align Right");
  hint("ToolButton22", "Textfarbe", "Textcolor");
  hint("ToolButton25", "Tabelle einf\xFCgen", "Insert Table");
  hint("ToolButton26", "Bild einf\xFCgen", "Insert Image");
  hint("ToolButton8", "Meta Tags", "Meta Tags");

  Add(r, stFonts, "TMainForm", kMSS, kMSS);
  Add(r, stFonts, "BlockFormatCombo", kMSS, kMSS);
  Add(r, stFonts, "TextSizeCombo", kMSS, kMSS);
  Add(r, stFonts, "TextFontCombo", kMSS, kMSS);
  Add(r, stFonts, "StatusBar1", kMSS, "Segoe UI");

  Add(r, stMultiLines, "BlockFormatCombo.Items",
      Comma({"Normal",
             "\xDC"
             "berschrift 1",
             "\xDC"
             "berschrift 2",
             "\xDC"
             "berschrift 3",
             "\xDC"
             "berschrift 4",
             "\xDC"
             "berschrift 5",
             "\xDC"
             "berschrift 6",
             "Nummerierte Liste", "Aufz\xE4hlung"}),
      Comma({"Normal", "Heading 1", "Heading 2", "Heading 3", "Heading 4", "Heading 5", "Heading 6",
             "Numbered List", "Bulleted List"}));
  const std::string sizes = Comma({"1", "2", "3", "4", "5", "6", "7"});
  Add(r, stMultiLines, "TextSizeCombo.Items", sizes, sizes);
  const std::string faces = Comma({"Standard", "Arial", "Verdana", "Times New Roman", "Courier",
                                   "Trebuchet MS", "Tahoma", "Comic Sans MS"});
  Add(r, stMultiLines, "TextFontCombo.Items", faces, faces);

  Add(r, stStrings, "IDS_36", "Document wurde gespeichert!", "Document saved!");

  Add(r, stOtherStrings, "BlockFormatCombo.Text", "BlockFormatCombo", "");
  Add(r, stOtherStrings, "TextFontCombo.Text", "Schrift", "");
  Add(r, stOtherStrings, "OpenDialog1.Filter",
      "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*", "");
  Add(r, stOtherStrings, "SaveDialog1.Filter", "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml", "");

  Add(r, stCharSets, "TMainForm", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "StatusBar1", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "BlockFormatCombo", "ANSI_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "TextSizeCombo", "ANSI_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "TextFontCombo", "ANSI_CHARSET", "DEFAULT_CHARSET");
  return r;
}

std::vector<TAuthoredRow> CreateTableFormRows() {
  std::vector<TAuthoredRow> r;
  Add(r, stCaptions, "TCreateTableForm", "CreateTableForm", "CreateTableForm");
  Add(r, stCaptions, "Label1", "Zeilen:", "Rows:");
  Add(r, stCaptions, "Label2", "Spalten:", "Colums:");
  Add(r, stCaptions, "Label3", "Breite:", "Width: ");
  Add(r, stCaptions, "Label4", "Rahmen:", "Border:");
  Add(r, stCaptions, "Label5", "Zellauff\xFChlung:", "Cellpadding:");
  Add(r, stCaptions, "Label6", "Zellraum:", "Cellspacing:");
  Add(r, stCaptions, "OKBitBtn", "OK", "OK");
  Add(r, stCaptions, "BitBtn2", "Abbrechen", "Abort");
  Add(r, stFonts, "TCreateTableForm", kMSS, kMSS);
  Add(r, stMultiLines, "ComboBox1.Items", "Prozent,Pixel", "Percent,Pixel");
  Add(r, stOtherStrings, "Edit1.Text", "1", "");
  Add(r, stOtherStrings, "Edit2.Text", "1", "");
  Add(r, stOtherStrings, "Edit3.Text", "100", "");
  Add(r, stOtherStrings, "Edit4.Text", "0", "");
  Add(r, stOtherStrings, "Edit5.Text", "0", "");
  Add(r, stOtherStrings, "Edit6.Text", "0", "");
  Add(r, stOtherStrings, "ComboBox1.Text", "ComboBox1", "");
  Add(r, stCharSets, "TCreateTableForm", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  return r;
}

std::vector<TAuthoredRow> QuellcodeFormRows() {
  std::vector<TAuthoredRow> r;
  Add(r, stCaptions, "TQuellcodeForm", "KAVELIN", "KAVELIN");
  Add(r, stCaptions, "BitBtn2", "Abbrechen (Esc)", "Abort (Esc)");
  Add(r, stCaptions, "SaveBitBtn", "Speichern (F2)", "Save (F2)");
  Add(r, stCaptions, "BitBtn1", "Suche (Strg+F)", "Find (Ctrl+F)");
  Add(r, stFonts, "TQuellcodeForm", kMSS, kMSS);
  Add(r, stFonts, "HTMLMemo", "COURIER NEW", "Tahoma");
  // One empty line: the editor's designed content.
  Add(r, stMultiLines, "HTMLMemo.Lines", "\"\"", "");
  Add(r, stOtherStrings, "HTMLMemo.Version", "1.0", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.DefaultExtension", ".html", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.Description", "Web pages", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.Extensions", "htm;html", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.Filter", "HTML Document (*.htm,*.html)|*.htm;*.html", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.LineComment", "//", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.MultiCommentLeft", "<!--", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.MultiCommentRight", "-->", "");
  Add(r, stOtherStrings, "HTMLMemoStyler1.StylerName", "HTML document", "");
  const char* const infos[] = {"HTML Standard Default", "HTML Table Keywords",
                               "HTML Link Keywords",    "Simple Bracket",
                               "Double Bracket",        "Symbols Delimiters"};
  for (int i = 0; i < 6; ++i)
    Add(r, stCollections, "HTMLMemoStyler1.AllStyles[" + std::to_string(i) + "].Info", infos[i],
        "");
  Add(r, stCharSets, "TQuellcodeForm", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "HTMLMemo", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  return r;
}

std::vector<TAuthoredRow> AboutBoxRows() {
  std::vector<TAuthoredRow> r;
  Add(r, stCaptions, "TAboutBox", "Info", "About");
  Add(r, stCaptions, "ProductName", "KAVELIN", "KAVELIN");
  Add(r, stCaptions, "VersionLabel", "Version 9.2.6", "Version 9.2.6");
  Add(r, stCaptions, "URLLabel", "www.varento.example.com", "www.varento.example.com");
  Add(r, stCaptions, "EmailLabel", "info@varento.example.com", "info@varento.example.com");
  Add(r, stCaptions, "OKButton", "OK", "OK");
  Add(r, stFonts, "TAboutBox", kMSS, kMSS);
  Add(r, stFonts, "URLLabel", kMSS, kMSS);
  Add(r, stFonts, "EmailLabel", kMSS, kMSS);
  Add(r, stCharSets, "URLLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  Add(r, stCharSets, "EmailLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET");
  return r;
}

std::vector<TAuthoredRow> WerbungFormRows() {
  std::vector<TAuthoredRow> r;
  Add(r, stCaptions, "TWerbungForm", "Top-Produkte von VARENTO", "Top products from VARENTO");
  Add(r, stFonts, "TWerbungForm", kMSS, kMSS);
  Add(r, stCharSets, "TWerbungForm", "ANSI_CHARSET", "DEFAULT_CHARSET");
  return r;
}

std::vector<TAuthoredRow> MetaTagFormRows() {
  std::vector<TAuthoredRow> r;
  Add(r, stCaptions, "TMetaTagForm", "MetaTag Generator", "MetaTag Generator");
  Add(r, stCaptions, "Label1", "Titel der Webseite", "Title");
  Add(r, stCaptions, "Label2", "Autor der Webseite", "Author");
  Add(r, stCaptions, "Label4", "Copyright z.B. Ihrname, 2011", "Copyright");
  Add(r, stCaptions, "BitBtn2", "Abbrechen (Esc)", "Abort (Esc)");
  Add(r, stCaptions, "Label13", "Beschreibung der Webseite", "Description");
  Add(r, stCaptions, "Label14", "Suchw\xF6rter (durch Komma und Leerzeichen getrennt)",
      "Keywords Comma separated");
  Add(r, stCaptions, "XHTMLCheckBox", "XHTML konforme MetaTags erzeugen",
      "XHTML konforme MetaTags erzeugen");
  Add(r, stCaptions, "SaveBitBtn", "OK (F2)", "OK (F2)");
  Add(r, stFonts, "TMetaTagForm", kMSS, kMSS);
  Add(r, stCharSets, "TMetaTagForm", "ANSI_CHARSET", "DEFAULT_CHARSET");
  return r;
}

}  // namespace

const std::vector<std::string>& TranslatedWindows() {
  static const std::vector<std::string> windows = {"TMainForm",      "TCreateTableForm",
                                                   "TQuellcodeForm", "TAboutBox",
                                                   "TWerbungForm",   "TMetaTagForm"};
  return windows;
}

std::vector<TAuthoredRow> AuthoredRows(const std::string& cls) {
  std::vector<TAuthoredRow> rows;
  if (cls == "TMainForm")
    rows = MainFormRows();
  else if (cls == "TCreateTableForm")
    rows = CreateTableFormRows();
  else if (cls == "TQuellcodeForm")
    rows = QuellcodeFormRows();
  else if (cls == "TAboutBox")
    rows = AboutBoxRows();
  else if (cls == "TWerbungForm")
    rows = WerbungFormRows();
  else if (cls == "TMetaTagForm")
    rows = MetaTagFormRows();
  else
    return rows;
  // Every window stores the 15 message-box captions (German framework texts, no English).
  TStringList dlgs;
  FillMessageDialogCaptions(dlgs, 2, '\x01');
  for (int i = 0; i < dlgs.Count(); ++i) {
    const std::string& row = dlgs.StringRef(i);
    rows.push_back({stDlgsCaptions, GetColumn(row, 0, '\x01'), GetColumn(row, 1, '\x01'), ""});
  }
  return rows;
}

std::string AuthoredTranslationData(const std::string& cls) {
  std::array<TStringList, kTableCount> lists;
  TTableSet set{};
  for (int i = 0; i < kTableCount; ++i) set[i] = &lists[i];
  // Rows go in section by section, in their authored order.
  for (const TAuthoredRow& row : AuthoredRows(cls))
    lists[row.Section].Add(MakeRow(row.Key, {row.German, row.English}, '\x01'));
  return WriteTranslationData(set);
}

std::string PayloadFileName(const std::string& cls) {
  return cls + ".tdat";
}

}  // namespace kv
