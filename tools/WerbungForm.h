// The showcase window shown when the program closes. Created once at start-up and kept; shown
// modally by the main window.
#pragma once

#include "platform/Forms.h"

namespace kv {

class TTranslator;

class TWerbungForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TWerbungForm(TComponent* owner);
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;
};

}  // namespace kv
