#include "tools/MetaTagForm.h"

#include "app/core/SaveDocument.h"
#include "app/core/WorkingFiles.h"
#include "platform/classes/Exception.h"
#include "resources/Resources.h"
#include "support/CharacterReferences.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"
#include "tools/MainFormAccess.h"
#include "tools/core/PageHead.h"
#include "translate/ProgramTexts.h"
#include "translate/Translator.h"

namespace kv {

namespace {

std::vector<std::string> ReadLines(const THostPath& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));
  return SplitLines(bytes);
}

}  // namespace

KV_DEFINE_CLASS(TMetaTagForm, TForm, {})

TMetaTagForm::TMetaTagForm(TComponent* owner) : TForm(owner) {
  SetName("MetaTagForm");
}

void TMetaTagForm::CreateComponents() {
  SetCaption("MetaTag Generator");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(668, 271);
  Position = TPosition::poScreenCenter;
  BorderStyle = TFormBorderStyle::bsToolWindow;
  StayOnTop = true;

  const auto label = [this](const char* name, const char* caption, int left, int top) {
    auto* l = new TLabel(this);
    l->SetName(name);
    l->SetBounds(left, top, 0, 13);
    l->SetCaption(caption);
    l->SetParent(this);
    return l;
  };
  int tab = 0;
  const auto edit = [&](const char* name, int left, int top, int width, int limit) {
    auto* e = new TEdit(this);
    e->SetName(name);
    e->SetBounds(left, top, width, 21);
    e->SetMaxLength(limit);
    e->TabOrder = tab++;
    e->SetParent(this);
    return e;
  };
  // Each label names the field below it, also for screen readers; the fields are created in
  // their tab order.
  Label1 = label("Label1", "Title", 16, 16);
  TitleEdit = edit("TitleEdit", 16, 32, 297, 255);
  Label2 = label("Label2", "Author", 352, 16);
  AuthorEdit = edit("AuthorEdit", 352, 32, 297, 100);
  Label13 = label("Label13", "Description", 16, 64);
  DescriptionEdit = edit("DescriptionEdit", 16, 80, 633, 300);
  Label14 = label("Label14", "Keywords Comma separated", 16, 112);
  KeywordsEdit = edit("KeywordsEdit", 16, 128, 633, 1000);
  Label4 = label("Label4", "Copyright", 16, 160);
  CopyrightEdit = edit("CopyrightEdit", 16, 176, 297, 150);
  for (const auto& [l, e] : {std::pair{Label1, TitleEdit}, std::pair{Label2, AuthorEdit},
                             std::pair{Label13, DescriptionEdit}, std::pair{Label14, KeywordsEdit},
                             std::pair{Label4, CopyrightEdit}})
    l->SetFocusControl(e);

  XHTMLCheckBox = new TCheckBox(this);
  XHTMLCheckBox->SetName("XHTMLCheckBox");
  XHTMLCheckBox->SetCaption("XHTML konforme MetaTags erzeugen");
  XHTMLCheckBox->SetBounds(328, 184, 249, 17);
  XHTMLCheckBox->TabOrder = tab++;
  XHTMLCheckBox->SetVisible(false);
  XHTMLCheckBox->SetParent(this);

  Bevel1 = new TBevel(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetShape(TBevelShape::bsTopLine);
  Bevel1->SetBounds(13, 216, 636, 2);
  Bevel1->SetParent(this);

  SaveBitBtn = new TBitBtn(this);
  SaveBitBtn->SetName("SaveBitBtn");
  SaveBitBtn->SetCaption("OK (F2)");
  SaveBitBtn->SetBounds(224, 232, 113, 25);
  SaveBitBtn->SetGlyph(ToolbarImage(2));
  SaveBitBtn->SetTabStop(false);
  SaveBitBtn->ModalResult = mrOk;
  SaveBitBtn->SetParent(this);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetName("BitBtn2");
  BitBtn2->SetCaption("Abort (Esc)");
  BitBtn2->SetBounds(342, 232, 115, 25);
  BitBtn2->SetGlyph(MenuImage(3));
  BitBtn2->TabOrder = tab++;
  BitBtn2->ModalResult = mrAbort;
  BitBtn2->SetParent(this);
  ApplyTabOrder();

  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());

  auto bind = [this](void (TMetaTagForm::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  OnCreate = bind(&TMetaTagForm::FormCreate);
  OnShow = bind(&TMetaTagForm::FormShow);
  SaveBitBtn->OnClick = bind(&TMetaTagForm::SaveBitBtnClick);
  const TKeyEvent keys = [this](TObject* sender, int& key, TShiftState shift) {
    FormKeyDown(sender, key, shift);
  };
  for (TControl* c :
       std::initializer_list<TControl*>{this, TitleEdit, AuthorEdit, DescriptionEdit, KeywordsEdit,
                                        CopyrightEdit, SaveBitBtn, BitBtn2})
    c->OnKeyDown = keys;
}

void TMetaTagForm::FormCreate(TObject*) {
  if (ScreenPixelsPerInch() != kPixelsPerInch) ScaleBy(ScreenPixelsPerInch(), kPixelsPerInch);
  ApplyProgramTexts();
}

void TMetaTagForm::ApplyProgramTexts() {
  TitleEdit->SetHint(ActiveProgramText("Meta.HintTitle"));
  AuthorEdit->SetHint(ActiveProgramText("Meta.HintAuthor"));
  DescriptionEdit->SetHint(ActiveProgramText("Meta.HintDescription"));
  KeywordsEdit->SetHint(ActiveProgramText("Meta.HintKeywords"));
  CopyrightEdit->SetHint(ActiveProgramText("Meta.HintCopyright"));
  SaveBitBtn->SetHint(ActiveProgramText("Meta.HintSave"));
  BitBtn2->SetHint(ActiveProgramText("Meta.HintAbort"));
}

void TMetaTagForm::FormShow(TObject*) {
  // The language cannot change while the window is open: its texts are read here.
  ApplyProgramTexts();
  // A head that cannot be read is not offered for editing; the page stays as it was.
  TScopeGuard cancel([this] { SetModalResult(mrCancel); });
  ReadPageHead();
  cancel.Dismiss();
  SetActiveControl(TitleEdit);
}

void TMetaTagForm::ReadPageHead() {
  snapshotRead_ = false;
  const THostPath docDir = MainDocDir();
  const THostPath snapshot = docDir + WorkingFile::Undo;
  if (!FileExists(snapshot)) return;
  for (TEdit* e : {TitleEdit, AuthorEdit, DescriptionEdit, KeywordsEdit, CopyrightEdit})
    e->SetText("");
  XHTMLCheckBox->SetChecked(false);
  const THeadReading head = kv::ReadPageHead(ReadLines(snapshot));
  XHTMLCheckBox->SetChecked(head.Xhtml);
  WriteSavedPage(docDir + WorkingFile::MetaTags, head.Lines);
  // The fields show the characters the page's text stands for.
  const auto show = [](TEdit* e, const std::string& value) {
    e->SetUnicodeText(DecodeCharacterReferences(value));
  };
  show(TitleEdit, head.Values.Title);
  show(AuthorEdit, head.Values.Author);
  show(DescriptionEdit, head.Values.Description);
  show(KeywordsEdit, head.Values.Keywords);
  show(CopyrightEdit, head.Values.Copyright);
  snapshotRead_ = true;
}

void TMetaTagForm::WritePageHead() {
  const THostPath docDir = MainDocDir();
  const THostPath currentFile = MainCurrentFile();
  // The working file of an earlier visit may hold another state of the page: without this
  // visit's snapshot nothing is written.
  if (!snapshotRead_)
    throw Exception(
        ProgramText("Meta.NoSnapshot", MainLanguage(),
                    {PathInMessage(docDir + WorkingFile::Undo), PathInMessage(currentFile)}));
  const bool xhtml = XHTMLCheckBox->Checked();
  const THostPath work = docDir + WorkingFile::MetaTags;
  const std::vector<std::string> lines = AddMissingHeadItems(ReadLines(work), xhtml);
  WriteSavedPage(work, lines);
  // The values go into the page as page text that cannot break the tag or the line.
  const auto value = [](const TEdit* e) { return EncodeAttributeText(e->UnicodeText()); };
  THeadValues values;
  values.Title = value(TitleEdit);
  values.Author = value(AuthorEdit);
  values.Description = value(DescriptionEdit);
  values.Keywords = value(KeywordsEdit);
  values.Copyright = value(CopyrightEdit);
  WriteSavedPage(currentFile, kv::WritePageHead(lines, values, xhtml));
}

void TMetaTagForm::SaveBitBtnClick(TObject*) {
  WritePageHead();
}

void TMetaTagForm::FormKeyDown(TObject*, int& key, TShiftState) {
  if (key == VK_ESCAPE) Close();
  if (key == VK_F2) SaveBitBtn->PerformClick();
}

}  // namespace kv
