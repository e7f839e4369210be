// The about box: picture, product name, version, and links to the maker's web site and mail
// address. Created once at start-up and kept; shown modally by the main window.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace kv {

class TTranslator;

class TAboutBox : public TForm {
  KV_DECLARE_CLASS()
  explicit TAboutBox(TComponent* owner);

  // ---- Event handlers, as the window names them ----
  void FormCreate(TObject* sender);
  void URLLabelClick(TObject* sender);
  void EmailLabelClick(TObject* sender);

  // ---- The designed components ----
  TPanel* Panel1 = nullptr;
  TImage* Image1 = nullptr;
  TLabel *ProductName = nullptr, *VersionLabel = nullptr, *URLLabel = nullptr,
         *EmailLabel = nullptr;
  TButton* OKButton = nullptr;
  TTranslator* Lang_WerbungForm = nullptr;

 protected:
  void CreateComponents() override;
};

}  // namespace kv
