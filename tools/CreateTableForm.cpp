#include "tools/CreateTableForm.h"

#include "app/core/WorkingFiles.h"
#include "platform/classes/Exception.h"
#include "support/AtomicFile.h"
#include "tools/MainFormAccess.h"
#include "translate/ProgramTexts.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TCreateTableForm, TForm, {})

TCreateTableForm::TCreateTableForm(TComponent* owner) : TForm(owner) {
  SetName("CreateTableForm");
}

TLabel* TCreateTableForm::AddLabel(const char* name, const char* caption, int right, int top) {
  auto* label = new TLabel(this);
  label->SetName(name);
  label->SetAlignment(TAlignment::taRightJustify);
  label->SetParent(this);
  label->SetCaption(caption);
  // Right-aligned: placed by its right edge, which stays put when a translation changes it.
  label->SetBounds(right - label->Width(), top, label->Width(), label->Height());
  return label;
}

TEdit* TCreateTableForm::AddEdit(const char* name, const char* text, int left, int top,
                                 int tabOrder) {
  auto* edit = new TEdit(this);
  edit->SetName(name);
  edit->SetBounds(left, top, 49, 21);
  edit->SetText(text);
  edit->TabOrder = tabOrder;
  edit->SetParent(this);
  return edit;
}

TBitBtn* TCreateTableForm::AddButton(const char* name, TBitBtnKind kind, const char* caption,
                                     int top, int tabOrder) {
  auto* button = new TBitBtn(this);
  button->SetName(name);
  button->SetKind(kind);
  button->SetCaption(caption);
  button->SetBounds(341, top, 97, 25);
  button->TabOrder = tabOrder;
  button->SetParent(this);
  return button;
}

void TCreateTableForm::CreateComponents() {
  SetCaption("CreateTableForm");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  BorderStyle = TFormBorderStyle::bsToolWindow;
  Position = TPosition::poScreenCenter;
  SetClientSize(450, 141);

  // The left column's labels end at 56, the right column's at 224, each 8 pixels before its edit.
  Label1 = AddLabel("Label1", "Rows:", 56, 20);
  Label2 = AddLabel("Label2", "Colums:", 56, 50);
  Label3 = AddLabel("Label3", "Width: ", 56, 86);
  Label4 = AddLabel("Label4", "Border:", 56, 118);
  Label5 = AddLabel("Label5", "Cellpadding:", 224, 18);
  Label6 = AddLabel("Label6", "Cellspacing:", 224, 54);
  Edit1 = AddEdit("Edit1", "1", 64, 16, 0);
  Edit2 = AddEdit("Edit2", "1", 64, 48, 1);
  Edit3 = AddEdit("Edit3", "100", 64, 80, 2);
  Edit4 = AddEdit("Edit4", "0", 64, 112, 3);
  Edit5 = AddEdit("Edit5", "0", 232, 16, 4);
  Edit6 = AddEdit("Edit6", "0", 232, 48, 5);
  TLabel* const labels[] = {Label1, Label2, Label3, Label4, Label5, Label6};
  TEdit* const edits[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
  for (int i = 0; i < 6; ++i) labels[i]->SetFocusControl(edits[i]);

  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetBounds(128, 80, 73, 21);
  ComboBox1->Items()->Add("Percent");
  ComboBox1->Items()->Add("Pixel");
  ComboBox1->SetText("ComboBox1");
  ComboBox1->TabOrder = 6;
  ComboBox1->SetParent(this);

  Bevel1 = new TBevel(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetShape(TBevelShape::bsLeftLine);
  Bevel1->SetBounds(317, 8, 2, 129);
  Bevel1->SetParent(this);

  OKBitBtn = AddButton("OKBitBtn", TBitBtnKind::bkOK, "OK", 8, 7);
  BitBtn2 = AddButton("BitBtn2", TBitBtnKind::bkAbort, "Abort", 40, 8);
  ApplyTabOrder();

  // The handlers, once the designed values are in place.
  for (TEdit* e : edits) e->OnChange = [this](TObject* sender) { Edit1Change(sender); };
  ComboBox1->OnChange = [this](TObject* sender) { Edit1Change(sender); };
  OKBitBtn->OnClick = [this](TObject* sender) { OKBitBtnClick(sender); };
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };

  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
  if (TLangDispatcher* dispatcher = MainDispatcher())
    dispatcher->AddLanguageListener(this, [this] { LanguageSwitched(); });
}

int TCreateTableForm::Language() const {
  return Lang_WerbungForm ? Lang_WerbungForm->ActiveLanguage() : 2;
}

void TCreateTableForm::FormCreate(TObject*) {
  // The designed size is in pixels at 96 dots per inch; Qt scales for denser screens itself.
  const std::string title = MainProductTitle();
  if (!title.empty()) SetCaption(title);
  ComboBox1->SetItemIndex(0);
  ApplyProgramTexts();
}

void TCreateTableForm::ApplyProgramTexts() {
  OKBitBtn->SetHint(ProgramText("Table.HintOk", Language()));
  ComboBox1->SetHint(ProgramText("Table.HintUnit", Language()));
}

void TCreateTableForm::LanguageSwitched() {
  // The new unit list leaves no unit selected: the width counts in pixels until one is picked.
  if (ComboBox1->ItemIndex() >= 0) ComboBox1->SetItemIndex(-1);
  ApplyProgramTexts();
}

void TCreateTableForm::FormShow(TObject*) {
  // A new visit: a refused write is shown once more, and one refused while the window was
  // hidden (a language switch) is tried again now, where the user sees its outcome.
  failureShown_ = false;
  if (writeFailed_) Edit1Change(this);
}

THostPath TCreateTableForm::FragmentPath() const {
  return MainDocDir() + WorkingFile::ActTable;
}

TTableFields TCreateTableForm::Fields() const {
  return TTableFields{Edit1->Text(),
                      Edit2->Text(),
                      Edit3->Text(),
                      Edit4->Text(),
                      Edit5->Text(),
                      Edit6->Text(),
                      ComboBox1->ItemIndex() == 0};
}

void TCreateTableForm::Edit1Change(TObject*) {
  OKBitBtn->SetEnabled(true);
  written_ = false;
  TTableLayout layout;
  if (CheckTableFields(Fields(), layout) != TTableCheck::Valid) {
    // Nothing is reported: the disabled OK button (and its hint) says enough.
    OKBitBtn->SetEnabled(false);
    return;
  }
  const THostPath path = FragmentPath();
  std::string reason;
  writeFailed_ =
      !WriteFileAtomically(path, BuildTableFragment(layout, TableCellWord(Language())), reason);
  written_ = !writeFailed_;
  if (written_) return;
  OKBitBtn->SetEnabled(false);
  // One message per visit; later changes try again silently.
  if (!Showing() || failureShown_) return;
  failureShown_ = true;
  throw EFCreateError(FrameworkText::FileCreateError(path) + ": " + reason);
}

void TCreateTableForm::OKBitBtnClick(TObject* sender) {
  Edit1Change(sender);
  if (!written_) throw EAbort();
}

}  // namespace kv
