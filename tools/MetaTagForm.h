// The meta tag generator. Created once at start-up and kept; shown modally by the main window.
#pragma once

#include "platform/Forms.h"

namespace kv {

class TTranslator;

class TMetaTagForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TMetaTagForm(TComponent* owner);
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;
};

}  // namespace kv
