#include "tools/QuellcodeForm.h"

#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TQuellcodeForm, TForm, {})

TQuellcodeForm::TQuellcodeForm(TComponent* owner) : TForm(owner) {
  SetName("QuellcodeForm");
}

void TQuellcodeForm::CreateComponents() {
  SetCaption("KAVELIN");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(850, 650);
  Position = TPosition::poScreenCenter;
  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
}

}  // namespace kv
