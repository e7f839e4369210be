#include "tools/WerbungForm.h"

#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TWerbungForm, TForm, {})

TWerbungForm::TWerbungForm(TComponent* owner) : TForm(owner) {
  SetName("WerbungForm");
}

void TWerbungForm::CreateComponents() {
  SetCaption("Top products from VARENTO");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(987, 690);
  Position = TPosition::poScreenCenter;
  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
}

}  // namespace kv
