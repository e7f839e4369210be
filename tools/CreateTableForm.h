// The table generator: rows, columns, width and spacing of a new table. Whenever a value
// changes it writes the table's HTML as a fragment file in the document's folder, which the
// main window splices into the page when the window closes with OK. Created once at start-up
// and kept; its values persist between visits.
#pragma once

#include <string>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tools/core/TableFragment.h"

namespace kv {

class TTranslator;

class TCreateTableForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TCreateTableForm(TComponent* owner);

  // ---- Handlers ----
  void FormCreate(TObject*);
  void FormShow(TObject*);
  // The one change handler of the six edits and the unit box: checks the fields and writes
  // the fragment, enabling OK only when it was written.
  void Edit1Change(TObject*);
  // Writes the fragment once more; a fragment that could not be written keeps the window open.
  void OKBitBtnClick(TObject*);

  // Where the fragment goes: the main window's document folder + "KAVELIN_acttable.html".
  THostPath FragmentPath() const;
  // The fields as they stand.
  TTableFields Fields() const;

  // ---- The designed components ----
  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;
  TComboBox* ComboBox1;
  TBevel* Bevel1;
  TBitBtn *OKBitBtn, *BitBtn2;
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;

 private:
  TLabel* AddLabel(const char* name, const char* caption, int right, int top);
  TEdit* AddEdit(const char* name, const char* text, int left, int top, int tabOrder);
  TBitBtn* AddButton(const char* name, TBitBtnKind kind, const char* caption, int top,
                     int tabOrder);
  int Language() const;
  // The hints no stored table holds, in the active language; again after every switch.
  void ApplyProgramTexts();
  void LanguageSwitched();

  bool written_ = false;       // the last Edit1Change wrote the fragment
  bool writeFailed_ = false;   // the last write was refused
  bool failureShown_ = false;  // this visit has shown a refused write
};

}  // namespace kv
