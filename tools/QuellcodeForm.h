// The HTML source window: the page's HTML in the code editor, with find and find again, handed
// back to the main window through the exchange file. Created once at start-up and kept; shown
// modally by the main window, which reloads the page only when the window returns OK.
#pragma once

#include "editor/core/MemoStyler.h"
#include "editor/view/CodeMemo.h"
#include "platform/FindDialog.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tools/Gradient.h"

namespace kv {

class TTranslator;

class TQuellcodeForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TQuellcodeForm(TComponent* owner);

  // ---- Event handlers, as the window names them ----
  void FormCreate(TObject* sender);
  // Loads the exchange file into the editor and stores it as the undo snapshot.
  void FormShow(TObject* sender);
  // Writes the editor's text to the exchange file and ends the visit with OK.
  void SaveBitBtnClick(TObject* sender);
  void BitBtn1Click(TObject* sender);
  void FindDialog1Find(TObject* sender);
  // Ctrl+F, Esc, F2 and F3, from the window and its four controls; never consumes the key.
  void FormKeyDown(TObject* sender, int& key, TShiftState shift);
  void FormResize(TObject* sender);

  // ---- The designed components ----
  TGradient* Gradient1 = nullptr;
  TBitBtn* SaveBitBtn = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TCodeMemo* HTMLMemo = nullptr;
  THTMLMemoStyler* HTMLMemoStyler1 = nullptr;
  TFindDialog* FindDialog1 = nullptr;
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void ConfigureMemo();
  void ConfigureStyler();
  // Hints and the find dialog's texts in the active language.
  void ApplyProgramTexts();
  void SearchAgain();
  void LoadExchangeFile();
};

}  // namespace kv
