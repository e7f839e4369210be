#include "tools/AboutBox.h"

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
  SetClientSize(262, 274);
  Position = TPosition::poScreenCenter;
  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
}

}  // namespace kv
