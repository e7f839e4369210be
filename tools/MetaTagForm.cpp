#include "tools/MetaTagForm.h"

#include "tools/MainFormAccess.h"
#include "translate/Translator.h"

namespace kv {

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
  Lang_WerbungForm = CreateStoredTranslator(this, MainDispatcher());
}

}  // namespace kv
