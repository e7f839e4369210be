// The meta tag generator: the page's title and its author, description, keywords and copyright
// META entries in five fields, read from the snapshot the main window saved for the visit and
// written, with the new head, into the page's own file. Created once at start-up and kept;
// shown modally by the main window, which reloads the page when the window returns OK.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace kv {

class TTranslator;

class TMetaTagForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TMetaTagForm(TComponent* owner);

  // ---- Event handlers, as the window names them ----
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void SaveBitBtnClick(TObject* sender);
  // Esc and F2, from the window, the five fields and both buttons; never consumes the key.
  void FormKeyDown(TObject* sender, int& key, TShiftState shift);

  // Fills the fields from the snapshot and writes the head working file. Without a snapshot
  // the fields keep what they held.
  void ReadPageHead();
  // Writes the page with the fields' values in its head to the page's own file.
  void WritePageHead();

  // ---- The designed components ----
  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label13 = nullptr, *Label14 = nullptr,
         *Label4 = nullptr;
  TEdit *TitleEdit = nullptr, *AuthorEdit = nullptr, *DescriptionEdit = nullptr,
        *KeywordsEdit = nullptr, *CopyrightEdit = nullptr;
  TCheckBox* XHTMLCheckBox = nullptr;
  TBevel* Bevel1 = nullptr;
  TBitBtn* SaveBitBtn = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void ApplyProgramTexts();
  // ReadPageHead found this visit's snapshot.
  bool snapshotRead_ = false;
};

}  // namespace kv
