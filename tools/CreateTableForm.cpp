#include "tools/CreateTableForm.h"

#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TCreateTableForm, TForm, {})

TCreateTableForm::TCreateTableForm(TComponent* owner) : TForm(owner) {
  SetName("CreateTableForm");
}

void TCreateTableForm::CreateComponents() {
  SetCaption("CreateTableForm");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetClientSize(450, 141);
  Position = TPosition::poScreenCenter;
  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
}

}  // namespace kv
