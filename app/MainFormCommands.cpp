// The formatting tool bar: engine commands on the selection, the state at the caret read back
// into the buttons and boxes, the clipboard buttons, the snapshot undo and the table insertion.
#include "app/MainForm.h"
#include "app/core/SaveDocument.h"
#include "app/core/WorkingFiles.h"
#include "engine/CommandState.h"
#include "platform/Clipboard.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"
#include "tools/CreateTableForm.h"

namespace kv {

namespace {

// The value each BlockFormatCombo entry sends.
constexpr const char* kBlockFormatValues[] = {"<P>",  "<H1>", "<H2>", "<H3>", "<H4>",
                                              "<H5>", "<H6>", "<OL>", "<UL>"};
constexpr int kBlockFormatCount = 9;

// "<H2>" -> "H2": the tag the engine names a block format by.
std::string BlockFormatTag(int entry) {
  std::string v = kBlockFormatValues[entry];
  return v.substr(1, v.size() - 2);
}

}  // namespace

void TMainForm::SendCommand(const std::string& name, bool showUI, const TVariant& value) {
  TWebEngine* doc = GetDocument();
  if (!doc) throw EEngineError("Kein Dokument geladen");
  doc->ExecCommand(name, showUI, value);
}

void TMainForm::BoldButtonClick(TObject*) {
  SendCommand("Bold", false, 0);
}
void TMainForm::ItalicButtonClick(TObject*) {
  SendCommand("Italic", false, 0);
}
void TMainForm::UnderlineToolButton1Click(TObject*) {
  SendCommand("Underline", false, 0);
}
void TMainForm::LeftAlignClick(TObject*) {
  SendCommand("JustifyLeft", false, 0);
}
void TMainForm::CenterAlignClick(TObject*) {
  SendCommand("JustifyCenter", false, 0);
}
void TMainForm::RightAlignClick(TObject*) {
  SendCommand("JustifyRight", false, 0);
}
void TMainForm::ToolButton2Click(TObject*) {
  SendCommand("InsertImage", true, 0);
}

void TMainForm::UnderlineButtonClick(TObject*) {
  // The hyperlink command's failures are not shown.
  try {
    SendCommand("CreateLink", true, 0);
  } catch (const std::exception&) {
  }
}

void TMainForm::ColorToolButtonClick(TObject*) {
  if (ColorDialog1->Execute())
    SendCommand("ForeColor", false, static_cast<std::int64_t>(ColorDialog1->Color()));
}

void TMainForm::TextSizeComboChange(TObject*) {
  // Typed text that names no entry fails with the list's index error, as the framework's does.
  SendCommand("FontSize", false, TextSizeCombo->Items()->Get(TextSizeCombo->ItemIndex()));
}

void TMainForm::TextFontComboChange(TObject*) {
  const int index = TextFontCombo->ItemIndex();
  std::string name = TextFontCombo->Items()->Get(index);
  SendCommand("FontName", true, index == 0 ? std::string() : name);
}

void TMainForm::BlockFormatComboChange(TObject*) {
  const int index = BlockFormatCombo->ItemIndex();
  SendCommand("FormatBlock", false,
              index >= 0 && index < kBlockFormatCount ? std::string(kBlockFormatValues[index])
                                                      : std::string());
}

void TMainForm::ClipboardCommand(int command) {
  // Only for the page: when another control (a combo box just used) has the focus, nothing.
  if (ActiveControl() != WebBrowser1) return;
  try {
    if (TWebEngine* doc = GetDocument()) doc->ExecWB(command, wbPromptUser);
  } catch (const std::exception&) {
    // The clipboard commands' failures are not shown.
  }
}

void TMainForm::CutButtonClick(TObject*) {
  ClipboardCommand(wbCut);
}
void TMainForm::CopyButtonClick(TObject*) {
  ClipboardCommand(wbCopy);
}
void TMainForm::PasteButtonClick(TObject*) {
  ClipboardCommand(wbPaste);
}

void TMainForm::RefreshToolbarState() {
  ++ToolbarRefreshCount;
  TToolButton* const buttons[] = {BoldToolButton,      ItalicToolButton,  LinkToolButton,
                                  LeftToolButton1,     CenterToolButton1, RightToolButton1,
                                  UnderlineToolButton1};
  try {
    TWebEngine* doc = GetDocument();
    if (!doc) throw EEngineError("Kein Dokument geladen");
    static const char* const kStates[] = {"Bold",        "Italic",        "CreateLink",
                                          "JustifyLeft", "JustifyCenter", "JustifyRight",
                                          "Underline"};
    for (int i = 0; i < 7; ++i) {
      const bool down = doc->QueryCommandValue(kStates[i]).AsBoolean();
      buttons[i]->SetDown(down);
    }
    const std::int64_t size = doc->QueryCommandValue("FontSize").AsInteger();
    if (size >= 1 && size <= 7) TextSizeCombo->SetItemIndex(static_cast<int>(size - 1));

    const std::string font = doc->QueryCommandValue("FontName").AsString();
    static const std::pair<const char*, int> kFonts[] = {
        {"Standard", 0}, {"Arial", 1},        {"Verdana", 2}, {"Times New Roman", 0},
        {"Courier", 4},  {"Trebuchet MS", 5}, {"Tahoma", 6},  {"Comic Sans MS", 7}};
    for (const auto& [name, entry] : kFonts)
      if (font == name) {
        TextFontCombo->SetItemIndex(entry);
        break;
      }

    const std::string block = doc->QueryCommandValue("FormatBlock").AsString();
    if (block == "Standard") {
      BlockFormatCombo->SetItemIndex(0);
    } else {
      // The entries' names in the active language are the engine's names of their tags.
      for (int i = 0; i < kBlockFormatCount; ++i)
        if (block == BlockFormatDisplayName(BlockFormatTag(i), ActiveLanguage())) {
          BlockFormatCombo->SetItemIndex(i);
          break;
        }
    }
    ColorDialog1->SetColor(static_cast<TColor>(doc->QueryCommandValue("ForeColor").AsInteger()));
  } catch (const std::exception&) {
    // Nothing is shown; the seven state buttons are released.
    for (TToolButton* b : buttons) b->SetDown(false);
  }
}

void TMainForm::ScrollToText(const std::string& text) {
  TWebEngine* doc = GetDocument();
  if (!doc || doc->Busy()) return;
  doc->ScrollToText(text);
}

void TMainForm::UndoButtonClick(TObject*) {
  // Every failure ends the command silently; a snapshot not restored stays for the next try.
  try {
    TWebEngine* doc = GetDocument();
    if (!doc) return;
    doc->ExecWB(wbUndo, wbPromptUser);
    const std::string snapshot = DocDir + WorkingFile::Undo;
    if (!FileExists(snapshot)) return;
    SaveDocumentTo(WorkFile);
    const std::string restore = DocDir + WorkingFile::UndoTemp;
    if (!CopyFileOverwrite(snapshot, restore)) return;
    DeleteFileIfExists(snapshot);
    doc->Navigate(restore);
  } catch (const std::exception&) {
  }
}

void TMainForm::TableToolButtonClick(TObject*) {
  TCreateTableForm* tableForm = Application()->FindForm<TCreateTableForm>();
  if (!tableForm || tableForm->ShowModal() != mrOk) return;
  SaveDocumentTo(DocDir + WorkingFile::Undo);
  Clipboard().SetAsText("INSERTATABLE");
  WebBrowser1->SetFocus();
  if (TWebEngine* doc = GetDocument()) {
    try {
      doc->ExecWB(wbPaste, wbPromptUser);
    } catch (const std::exception&) {
    }
  }
  const std::string newFile = DocDir + WorkingFile::NewFile;
  SaveDocumentTo(newFile);
  TStringList page, table, result;
  page.LoadFromFile(newFile);
  table.LoadFromFile(DocDir + WorkingFile::ActTable);
  const std::string marker = "INSERTATABLE";
  for (int i = 0; i < page.Count(); ++i) {
    const std::string& line = page.StringRef(i);
    const size_t p = line.find(marker);
    if (p == std::string::npos) {
      result.Add(line);
      continue;
    }
    result.Add(line.substr(0, p));
    result.Add(" ");
    result.AddStrings(table);
    result.Add(line.substr(p + marker.size()));
  }
  std::vector<std::string> lines;
  for (int i = 0; i < result.Count(); ++i) lines.push_back(result.StringRef(i));
  WriteSavedPage(CurrentFile, lines);
  WebBrowser1->Engine()->Navigate(CurrentFile);
  Timer1->SetEnabled(true);
}

void TMainForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  if (ActiveLanguage() == 1) ScrollToText("Tabellenfeld11");
  if (ActiveLanguage() == 2) ScrollToText("Tablefield11");
}

}  // namespace kv
