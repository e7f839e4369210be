#include "tools/QuellcodeForm.h"

#include <algorithm>
#include <iterator>
#include <tuple>

#include "app/core/WorkingFiles.h"
#include "platform/classes/Exception.h"
#include "resources/Resources.h"
#include "support/AnsiCase.h"
#include "support/Files.h"
#include "tools/MainFormAccess.h"
#include "translate/ProgramTexts.h"
#include "translate/Translator.h"

namespace kv {

namespace {

// The table and link words of the source window's HTML styler, in their stored order.
const char* const kTableWords[] = {"border", "bordercolor", "bordercolordark", "bordercolorlight",
                                   "id",     "style",       "table",           "td",
                                   "tr",     "width"};
const char* const kLinkWords[] = {"a", "href"};

// Keeps the editor's change handling off for a bulk save, also when the save fails.
class TMemoUpdate {
 public:
  explicit TMemoUpdate(TCodeMemo* memo) : memo_(memo) { memo_->BeginUpdate(); }
  ~TMemoUpdate() { memo_->EndUpdate(); }
  TMemoUpdate(const TMemoUpdate&) = delete;
  TMemoUpdate& operator=(const TMemoUpdate&) = delete;

 private:
  TCodeMemo* memo_;
};

void SetCharStyle(TCharStyle& style, TColor text, TColor background, TFontStyles fontStyle) {
  style.SetTextColor(text);
  style.SetBkColor(background);
  style.SetStyle(fontStyle);
}

}  // namespace

KV_DEFINE_CLASS(TQuellcodeForm, TForm, {})

TQuellcodeForm::TQuellcodeForm(TComponent* owner) : TForm(owner) {
  SetName("QuellcodeForm");
}

void TQuellcodeForm::CreateComponents() {
  SetCaption("KAVELIN");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(850, 650);
  Position = TPosition::poDefault;
  SetWindowState(TWindowState::wsMaximized);

  Gradient1 = new TGradient(this);
  Gradient1->SetName("Gradient1");
  Gradient1->SetBeginColor(0xFDFBFB);  // #FBFBFD
  Gradient1->SetEndColor(0xDB8564);    // #6485DB
  Gradient1->SetAlign(TAlign::alClient);
  Gradient1->SetParent(this);

  const struct {
    TBitBtn** button;
    const char* name;
    const char* caption;
    int left, width;
    QPixmap glyph;
  } buttons[] = {{&SaveBitBtn, "SaveBitBtn", "Save (F2)", 16, 113, ToolbarImage(2)},
                 {&BitBtn1, "BitBtn1", "Find (Ctrl+F)", 136, 113, ToolbarImage(3)},
                 {&BitBtn2, "BitBtn2", "Abort (Esc)", 254, 115, MenuImage(3)}};
  for (const auto& b : buttons) {
    auto* button = new TBitBtn(this);
    button->SetName(b.name);
    button->SetCaption(b.caption);
    button->SetBounds(b.left, 8, b.width, 25);
    button->SetGlyph(b.glyph);
    button->SetTabStop(false);
    button->SetParent(this);
    *b.button = button;
  }
  SaveBitBtn->ModalResult = mrOk;
  BitBtn2->ModalResult = mrAbort;

  HTMLMemoStyler1 = new THTMLMemoStyler(this);
  HTMLMemoStyler1->SetName("HTMLMemoStyler1");
  ConfigureStyler();
  HTMLMemo = new TCodeMemo(this);
  HTMLMemo->SetName("HTMLMemo");
  HTMLMemo->SetBounds(16, 40, 817, 569);
  HTMLMemo->TabOrder = 0;
  HTMLMemo->SetParent(this);
  ConfigureMemo();

  FindDialog1 = new TFindDialog(this);
  FindDialog1->SetName("FindDialog1");

  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());

  auto bind = [this](void (TQuellcodeForm::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  OnCreate = bind(&TQuellcodeForm::FormCreate);
  OnShow = bind(&TQuellcodeForm::FormShow);
  OnResize = bind(&TQuellcodeForm::FormResize);
  SaveBitBtn->OnClick = bind(&TQuellcodeForm::SaveBitBtnClick);
  BitBtn1->OnClick = bind(&TQuellcodeForm::BitBtn1Click);
  FindDialog1->OnFind = bind(&TQuellcodeForm::FindDialog1Find);
  const TKeyEvent keys = [this](TObject* sender, int& key, TShiftState shift) {
    FormKeyDown(sender, key, shift);
  };
  for (TControl* c : std::initializer_list<TControl*>{this, HTMLMemo, SaveBitBtn, BitBtn1, BitBtn2})
    c->OnKeyDown = keys;
}

void TQuellcodeForm::ConfigureStyler() {
  TCustomMemoStyler& s = *HTMLMemoStyler1;
  s.SetStylerName("HTML document");
  s.SetDescription("Web pages");
  s.SetFilter("HTML Document (*.htm,*.html)|*.htm;*.html");
  s.SetDefaultExtension(".html");
  s.SetExtensions("htm;html");
  s.SetLineComment("//");
  s.SetMultiCommentLeft("<!--");
  s.SetMultiCommentRight("-->");
  SetCharStyle(s.CommentStyle(), clSilver, clWhite, fsItalic);
  SetCharStyle(s.NumberStyle(), clBlack, clWhite, 0);

  TElementStyles& styles = s.AllStyles();
  // The styler's own standard tag words, which this window stores in lower case.
  std::vector<std::string> standardWords;
  if (styles.Count() > 0)
    for (int i = 0; i < styles.Items(0)->KeyWords().Count(); ++i)
      standardWords.push_back(AnsiLowerCase(styles.Items(0)->KeyWords().Get(i)));
  styles.BeginUpdate();
  styles.Clear();
  auto add = [&](const char* info, TStyleType type, TColor color) {
    TElementStyle* e = styles.Add();
    e->SetInfo(info);
    e->SetStyleType(type);
    e->SetBGColor(clWhite);
    e->Font().SetName("Courier New");
    e->Font().SetHeight(-11);
    e->Font().SetColor(color);
    return e;
  };
  auto words = [](TElementStyle* e, const auto& list) {
    for (const auto& w : list) e->KeyWords().Add(w);
  };
  words(add("HTML Standard Default", TStyleType::stKeyword, clNavy), standardWords);
  words(add("HTML Table Keywords", TStyleType::stKeyword, clOlive), kTableWords);
  words(add("HTML Link Keywords", TStyleType::stKeyword, clRed), kLinkWords);
  for (const auto& [info, color, quote] : {std::tuple{"Simple Bracket", clBackground, '\''},
                                           std::tuple{"Double Bracket", clBlue, '"'}}) {
    TElementStyle* e = add(info, TStyleType::stBracket, color);
    e->SetBracketStart(quote);
    e->SetBracketEnd(quote);
  }
  add("Symbols Delimiters", TStyleType::stSymbol, clTeal)->SetSymbols(" ,;:.()[]=-*/^%<>#\r\n");
  styles.EndUpdate();
}

void TQuellcodeForm::ConfigureMemo() {
  TCodeMemo& m = *HTMLMemo;
  TCustomCodeMemo& core = m.Memo();
  m.Font()->SetName("FixedSys");
  m.Font()->SetHeight(-13);
  m.Font()->SetColor(clBlack);
  m.Gutter().SetDigitCount(4);
  m.Gutter().Font().SetName("Courier New");
  m.Gutter().Font().SetHeight(-13);
  m.Gutter().Font().SetColor(clWindowText);
  core.SetTabSize(4);
  core.SmartTabs = false;
  core.SetUndoLimit(100);
  m.SetSelColor(clWhite);
  m.SetSelBkColor(clNavy);
  core.TrimTrailingSpaces = false;
  m.SetShowRightMargin(false);
  m.SetRightMarginColor(0xE2E2E2);
  core.AutoCorrect().Active = true;
  core.AutoCorrect().OldValue.Clear();
  core.AutoCorrect().NewValue.Clear();
  SetCharStyle(core.UrlStyle(), clBlue, clWhite, fsUnderline);
  core.EnhancedHomeKey = false;
  core.DelErase = true;
  m.SetHiddenCaret(false);
  m.SetBorderStyle(TBorderStyle::bsSingle);
  m.SetCtl3D(false);
  m.SetSyntaxStyles(HTMLMemoStyler1);
  core.SetUseStyler(true);
}

void TQuellcodeForm::FormCreate(TObject*) {
  if (ScreenPixelsPerInch() != kPixelsPerInch) ScaleBy(ScreenPixelsPerInch(), kPixelsPerInch);
  const std::string title = MainProductTitle();
  if (!title.empty()) SetCaption(title);
  ApplyProgramTexts();
}

void TQuellcodeForm::ApplyProgramTexts() {
  SaveBitBtn->SetHint(ActiveProgramText("Source.HintSave"));
  BitBtn1->SetHint(ActiveProgramText("Source.HintFind"));
  BitBtn2->SetHint(ActiveProgramText("Source.HintAbort"));
  HTMLMemo->SetHint(ActiveProgramText("Source.HintEditor"));
  TFindDialogTexts t;
  t.Caption = ActiveProgramText("Find.Caption");
  t.FindWhat = ActiveProgramText("Find.What");
  t.WholeWord = ActiveProgramText("Find.WholeWord");
  t.MatchCase = ActiveProgramText("Find.MatchCase");
  t.Direction = ActiveProgramText("Find.Direction");
  t.Up = ActiveProgramText("Find.Up");
  t.Down = ActiveProgramText("Find.Down");
  t.FindNext = ActiveProgramText("Find.Next");
  t.Cancel = ActiveProgramText("Find.Cancel");
  t.TextHint = ActiveProgramText("Find.HintText");
  t.WholeWordHint = ActiveProgramText("Find.HintWholeWord");
  t.MatchCaseHint = ActiveProgramText("Find.HintMatchCase");
  t.DirectionHint = ActiveProgramText("Find.HintDirection");
  t.FindNextHint = ActiveProgramText("Find.HintNext");
  t.CancelHint = ActiveProgramText("Find.HintCancel");
  FindDialog1->SetTexts(t);
}

void TQuellcodeForm::LoadExchangeFile() {
  const THostPath exchange = MainDocDir() + WorkingFile::SourceCode;
  std::string bytes;
  if (!ReadFileBytes(exchange, bytes)) throw EFOpenError(FrameworkText::FileOpenError(exchange));
  // The editor's text ends at a NUL byte; what followed would be lost on Save.
  if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
    throw EInOutError(ProgramText("Source.NulByte", MainLanguage(),
                                  {PathInMessage(exchange), std::to_string(nul)}));
  HTMLMemo->Lines()->LoadFromFile(exchange);
}

void TQuellcodeForm::FormShow(TObject*) {
  // The language cannot change while the window is open: its texts are read here.
  ApplyProgramTexts();
  try {
    LoadExchangeFile();
    TMemoUpdate update(HTMLMemo);
    HTMLMemo->Lines()->SaveToFile(MainDocDir() + WorkingFile::Undo);
  } catch (...) {
    // A page that cannot be shown or kept is not offered for editing: the visit ends at once,
    // and the page stays as it was.
    SetModalResult(mrCancel);
    throw;
  }
  SetActiveControl(HTMLMemo);
}

void TQuellcodeForm::SaveBitBtnClick(TObject*) {
  FindDialog1->CloseDialog();
  {
    TMemoUpdate update(HTMLMemo);
    HTMLMemo->Lines()->SaveToFile(MainDocDir() + WorkingFile::SourceCode);
  }
  SetModalResult(mrOk);
}

void TQuellcodeForm::BitBtn1Click(TObject*) {
  FindDialog1->Execute();
}

void TQuellcodeForm::SearchAgain() {
  HTMLMemo->SearchText(FindDialog1->FindText(), FindDialog1->Options());
}

void TQuellcodeForm::FindDialog1Find(TObject*) {
  SearchAgain();
  FindDialog1->CloseDialog();
  HTMLMemo->SetFocus();
}

void TQuellcodeForm::FormKeyDown(TObject* sender, int& key, TShiftState shift) {
  if (key == VK_F && (shift & ssCtrl)) BitBtn1Click(sender);
  if (key == VK_ESCAPE) Close();
  if (key == VK_F2) SaveBitBtnClick(sender);
  if (key == VK_F3) SearchAgain();
}

void TQuellcodeForm::FormResize(TObject*) {
  HTMLMemo->SetBounds(16, 40, std::max(0, OuterWidth() - 50), std::max(0, OuterHeight() - 110));
}

}  // namespace kv
