#include "tools/AboutBox.h"

#include "support/Files.h"
#include "support/Shell.h"
#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TAboutBox, TForm, {})

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  SetName("AboutBox");
}

void TAboutBox::CreateComponents() {
  SetCaption("About");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  Font()->SetCharset(ANSI_CHARSET);
  SetClientSize(262, 274);
  Position = TPosition::poScreenCenter;
  BorderStyle = TFormBorderStyle::bsDialog;

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetBounds(8, 8, 249, 225);
  Panel1->SetColor(clWhite);
  Panel1->SetBevel(TBevelCut::bvLowered, TBevelCut::bvRaised);
  Panel1->SetParent(this);
  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetBounds(8, 8, 234, 105);
  Image1->SetParent(Panel1);

  const auto label = [this](const char* name, const char* caption, int top) {
    auto* l = new TLabel(this);
    l->SetName(name);
    l->SetBounds(8, top, 0, 13);
    l->SetCaption(caption);
    l->SetParent(Panel1);
    return l;
  };
  ProductName = label("ProductName", "KAVELIN", 120);
  VersionLabel = label("VersionLabel", "Version 9.2.6", 136);
  URLLabel = label("URLLabel", "www.varento.example.com", 184);
  EmailLabel = label("EmailLabel", "info@varento.example.com", 200);
  URLLabel->SetWordWrap(true);
  URLLabel->SetBounds(8, 184, 233, 13);
  for (TLabel* link : {URLLabel, EmailLabel}) {
    link->Font()->SetColor(clBlue);
    link->Font()->SetStyle(fsUnderline);
    link->SetCursor(TCursor::crHandPoint);
    link->SetFocusable(true);
  }

  OKButton = new TButton(this);
  OKButton->SetName("OKButton");
  OKButton->SetCaption("OK");
  OKButton->SetBounds(95, 244, 75, 25);
  OKButton->SetDefault(true);
  OKButton->ModalResult = mrOk;
  OKButton->SetParent(this);

  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  URLLabel->OnClick = [this](TObject* sender) { URLLabelClick(sender); };
  EmailLabel->OnClick = [this](TObject* sender) { EmailLabelClick(sender); };
}

void TAboutBox::FormCreate(TObject*) {
  URLLabel->SetHint(ActiveProgramText("About.HintUrl"));
  EmailLabel->SetHint(ActiveProgramText("About.HintEmail"));
  OKButton->SetHint(ActiveProgramText("About.HintOk"));
  SetCaption(MainProductTitle());
  // A missing picture ends the creation here: the labels keep their stored texts.
  Image1->LoadFromJpegFile(MainAppDir() + "recom" + PathDelim() + "m_about.jpg");
  VersionLabel->SetCaption(MainVersionText());
}

void TAboutBox::URLLabelClick(TObject*) {
  OpenWithShell("http://" + URLLabel->Caption());
}

void TAboutBox::EmailLabelClick(TObject*) {
  OpenWithShell("mailto:" + EmailLabel->Caption());
}

}  // namespace kv
