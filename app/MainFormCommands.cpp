// The formatting tool bar: engine commands on the selection, the state at the caret read back
// into the buttons and boxes, the clipboard buttons, the snapshot undo and the table insertion.
#include "app/MainForm.h"
#include "app/core/SaveDocument.h"
#include "app/core/TableSplice.h"
#include "app/core/WorkingFiles.h"
#include "engine/CommandState.h"
#include "platform/classes/Exception.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"
#include "tools/CreateTableForm.h"
#include "tools/core/TableFragment.h"

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
  if (!doc) throw EEngineError(Message("Engine.NoPage"));
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

// Typed text in the three boxes that names no entry is no choice: it is ignored.

void TMainForm::TextSizeComboChange(TObject*) {
  const int index = TextSizeCombo->ItemIndex();
  if (index < 0) return;
  SendCommand("FontSize", false, TextSizeCombo->Items()->Get(index));
}

void TMainForm::TextFontComboChange(TObject*) {
  const int index = TextFontCombo->ItemIndex();
  if (index < 0) return;
  SendCommand("FontName", true, index == 0 ? std::string() : TextFontCombo->Items()->Get(index));
}

void TMainForm::BlockFormatComboChange(TObject*) {
  const int index = BlockFormatCombo->ItemIndex();
  if (index < 0 || index >= kBlockFormatCount) return;
  SendCommand("FormatBlock", false, std::string(kBlockFormatValues[index]));
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
    if (!doc) throw EEngineError(Message("Engine.NoPage"));
    static const char* const kStates[] = {"Bold",        "Italic",        "CreateLink",
                                          "JustifyLeft", "JustifyCenter", "JustifyRight",
                                          "Underline"};
    for (int i = 0; i < 7; ++i) {
      const bool down = doc->QueryCommandValue(kStates[i]).AsBoolean();
      buttons[i]->SetDown(down);
    }
    const std::int64_t size = doc->QueryCommandValue("FontSize").AsInteger();
    if (size >= 1 && size <= 7) TextSizeCombo->SetItemIndex(static_cast<int>(size - 1));

    const std::string font = doc->QueryCommandValue("FontName").AsText();
    static const std::pair<const char*, int> kFonts[] = {
        {"Standard", 0}, {"Arial", 1},        {"Verdana", 2}, {"Times New Roman", 0},
        {"Courier", 4},  {"Trebuchet MS", 5}, {"Tahoma", 6},  {"Comic Sans MS", 7}};
    for (const auto& [name, entry] : kFonts)
      if (font == name) {
        TextFontCombo->SetItemIndex(entry);
        break;
      }

    const std::string block = doc->QueryCommandValue("FormatBlock").AsText();
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
    const THostPath snapshot = DocDir + WorkingFile::Undo;
    if (!FileExists(snapshot)) return;
    SaveDocumentTo(WorkFile);
    const THostPath restore = DocDir + WorkingFile::UndoTemp;
    std::string reason;
    if (!CopyFileAtomically(snapshot, restore, reason)) return;
    DeleteFileIfExists(snapshot);
    doc->Navigate(restore);
  } catch (const std::exception&) {
  }
}

void TMainForm::TableToolButtonClick(TObject*) {
  TCreateTableForm* tableForm = Application()->FindForm<TCreateTableForm>();
  if (!tableForm || tableForm->ShowModal() != mrOk) return;
  try {
    InsertTable();
  } catch (const EAbort&) {
    throw;
  } catch (const std::exception& e) {
    const auto* known = dynamic_cast<const Exception*>(&e);
    throw Exception(Message("Main.InsertTable", {known ? known->Message : e.what()}));
  }
}

void TMainForm::InsertTable() {
  // The fragment first: a missing one stops the insertion before anything has changed.
  TStringList fragment;
  fragment.LoadFromFile(DocDir + WorkingFile::ActTable);
  SaveDocumentTo(DocDir + WorkingFile::Undo);
  TWebEngine* doc = GetDocument();
  if (!doc) throw EEngineError(Message("Engine.NoPage"));
  // The placeholder goes in at the caret as typed text; the user's clipboard is not touched.
  WebBrowser1->SetFocus();
  doc->ExecCommand("InsertText", false, std::string(TablePlaceholder));
  {
    TScopeGuard takeBack([&] { TakePlaceholderBack(*doc); });
    const THostPath newFile = DocDir + WorkingFile::NewFile;
    SaveDocumentTo(newFile);
    TStringList saved;
    saved.LoadFromFile(newFile);
    std::vector<std::string> page, table, result;
    for (int i = 0; i < saved.Count(); ++i) page.push_back(saved.StringRef(i));
    for (int i = 0; i < fragment.Count(); ++i) table.push_back(fragment.StringRef(i));
    // The engine refused the placeholder (no caret in the page): the user's file stays as is.
    if (!SpliceTable(page, table, result))
      throw EEngineError(Message("Main.PlaceholderMissing", {PathInMessage(CurrentFile)}));
    WriteSavedPage(CurrentFile, result);
    WebBrowser1->Engine()->Navigate(CurrentFile);
    takeBack.Dismiss();
  }
  Timer1->SetEnabled(true);
}

void TMainForm::TakePlaceholderBack(TWebEngine& doc) {
  // Only when it is there: the engine's undo would otherwise take back the user's last edit.
  try {
    for (const std::string& line : doc.SaveToLines())
      if (line.find(TablePlaceholder) != std::string::npos) {
        doc.ExecWB(wbUndo, wbPromptUser);
        return;
      }
  } catch (const std::exception&) {
  }
}

void TMainForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  // The first cell of the table the generator made.
  const std::string word = TableCellWord(ActiveLanguage());
  if (!word.empty()) ScrollToText(word + "11");
}

}  // namespace kv
