// The showcase window shown when the program closes: full screen, one advertisement for another
// product of the maker, chosen by the language at creation; a click opens the product's page.
// Created once at start-up and kept; shown modally by the main window.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "tools/Gradient.h"

namespace kv {

class TTranslator;

class TWerbungForm : public TForm {
  KV_DECLARE_CLASS()
  explicit TWerbungForm(TComponent* owner);

  // ---- Event handlers, as the window names them ----
  void FormCreate(TObject* sender);
  void DEImageClick(TObject* sender);
  void ENImageClick(TObject* sender);

  // The product pages the pictures open.
  static const char* const GermanProductPage;
  static const char* const EnglishProductPage;

  // ---- The designed components ----
  TPanel* Panel2 = nullptr;
  TGradient* Gradient1 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TImage* DEImage = nullptr;
  TImage* ENImage = nullptr;
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;
};

}  // namespace kv
