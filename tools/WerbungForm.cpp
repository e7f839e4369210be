#include "tools/WerbungForm.h"

#include <QGuiApplication>
#include <QScreen>

#include "resources/Resources.h"
#include "support/Shell.h"
#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TWerbungForm, TForm, {})

const char* const TWerbungForm::GermanProductPage =
    "http://www.varento.example.com/software/seitengestaltung/index.shtml";
const char* const TWerbungForm::EnglishProductPage = "http://www.pixella.example.com/";

TWerbungForm::TWerbungForm(TComponent* owner) : TForm(owner) {
  SetName("WerbungForm");
}

void TWerbungForm::CreateComponents() {
  SetCaption("Top products from VARENTO");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(987, 690);
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  StayOnTop = true;
  SetWindowState(TWindowState::wsMaximized);

  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetBevel(TBevelCut::bvNone);
  Panel2->SetHeight(25);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetParent(this);
  Gradient1 = new TGradient(this);
  Gradient1->SetName("Gradient1");
  Gradient1->SetBeginColor(clWhite);
  Gradient1->SetEndColor(0xDADADA);
  Gradient1->SetAlign(TAlign::alClient);
  Gradient1->SetParent(Panel2);

  ScrollBox1 = new TScrollBox(this);
  ScrollBox1->SetName("ScrollBox1");
  ScrollBox1->SetColor(clWhite);
  ScrollBox1->SetAlign(TAlign::alClient);
  ScrollBox1->SetParent(this);
  const auto picture = [this](const char* name, const QString& resource, const char* file) {
    auto* image = new TImage(this);
    image->SetName(name);
    image->AutoSize = true;
    image->LoadFromJpegBytes(ResourceBytes(resource), file);
    image->SetAlign(TAlign::alTop);
    image->SetCursor(TCursor::crHandPoint);
    image->SetFocusable(true);
    image->SetParent(ScrollBox1);
    return image;
  };
  DEImage = picture("DEImage", ResourcePath::ShowcaseGerman, "werbung_de.jpg");
  ENImage = picture("ENImage", ResourcePath::ShowcaseEnglish, "werbung_en.jpg");

  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  DEImage->OnClick = [this](TObject* sender) { DEImageClick(sender); };
  ENImage->OnClick = [this](TObject* sender) { ENImageClick(sender); };
}

void TWerbungForm::FormCreate(TObject*) {
  if (ScreenPixelsPerInch() != kPixelsPerInch) ScaleBy(ScreenPixelsPerInch(), kPixelsPerInch);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize size = screen->size();
    SetBounds(0, 0, size.width(), size.height() - 27);
  }
  SetWindowState(TWindowState::wsMaximized);
  // The picture is chosen once, by the language the program started in.
  const int language = MainLanguage();
  DEImage->SetVisible(language == 1);
  ENImage->SetVisible(language == 2);
  const std::string hint = ActiveProgramText("Showcase.HintPicture");
  DEImage->SetHint(hint);
  ENImage->SetHint(hint);
}

void TWerbungForm::DEImageClick(TObject*) {
  OpenWithShell(GermanProductPage);
}

void TWerbungForm::ENImageClick(TObject*) {
  OpenWithShell(EnglishProductPage);
}

}  // namespace kv
