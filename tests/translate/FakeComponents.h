// Small components with published properties, shaped like the program's windows and controls,
// so the translation layer is tested (and measured) without any toolkit.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/classes/Collection.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Strings.h"
#include "translate/Translator.h"

namespace kv::testing {

// A control: caption, hint and a font that may follow the parent's.
class TFakeControl : public TComponent {
  KV_DECLARE_CLASS()
  TFakeControl(TComponent* owner, const std::string& name, const std::string& caption = "");
  std::string Caption, Hint;
  TFont Font;
  bool ParentFont = false;
  int CaptionWrites = 0;
  int FontAssigns = 0;
  // Makes the caption writer fail, as a control that refuses a value would.
  bool RefuseCaption = false;
  bool RefuseFont = false;
};

// A window: its class name comes from the derived class (TMainForm, ...).
class TFakeForm : public TFakeControl {
  KV_DECLARE_CLASS()
  explicit TFakeForm(const std::string& name);
};

#define KV_FAKE_FORM(Cls)                                             \
  class Cls : public TFakeForm {                                      \
    KV_DECLARE_CLASS()                                                \
    explicit Cls(const std::string& name = #Cls) : TFakeForm(name) {} \
  };
KV_FAKE_FORM(TMainForm)
KV_FAKE_FORM(TCreateTableForm)
KV_FAKE_FORM(TQuellcodeForm)
KV_FAKE_FORM(TAboutBox)
KV_FAKE_FORM(TWerbungForm)
KV_FAKE_FORM(TMetaTagForm)
KV_FAKE_FORM(TTestForm)
#undef KV_FAKE_FORM

// A combo box loses its selection when its items change, as the real control does.
class TCustomComboBox : public TFakeControl {
  KV_DECLARE_CLASS()
  TCustomComboBox(TComponent* owner, const std::string& name);
  TStringList Items;
  std::string Text;
  int ItemIndex = -1;
};
class TComboBox : public TCustomComboBox {
  KV_DECLARE_CLASS()
  using TCustomComboBox::TCustomComboBox;
};

class TFakeEdit : public TFakeControl {
  KV_DECLARE_CLASS()
  using TFakeControl::TFakeControl;
  std::string Text;
  int Changes = 0;  // the change handler runs on every write of a different text
};

class TCustomMemo : public TFakeControl {
  KV_DECLARE_CLASS()
  TCustomMemo(TComponent* owner, const std::string& name);
  TStringList Lines;
  bool WordWrap = false;
  bool WrappedDuringChange = false;  // was word wrap on while the lines changed?
};
class TMemo : public TCustomMemo {
  KV_DECLARE_CLASS()
  using TCustomMemo::TCustomMemo;
};

class TOpenDialog : public TComponent {
  KV_DECLARE_CLASS()
  TOpenDialog(TComponent* owner, const std::string& name);
  std::string Filter;
};
class TSaveDialog : public TOpenDialog {
  KV_DECLARE_CLASS()
  using TOpenDialog::TOpenDialog;
};

// The code editor: Font, Lines, Version.
class TFakeCodeMemo : public TComponent {
  KV_DECLARE_CLASS()
  TFakeCodeMemo(TComponent* owner, const std::string& name);
  TFont Font;
  TStringList Lines;
  std::string Version;
};

class TFakeStyleItem : public TCollectionItem {
  KV_DECLARE_CLASS()
  using TCollectionItem::TCollectionItem;
  std::string Info;
  TStringList Words;
  TFont Font;
  std::string ReadOnlyText = "fixed";
};

// The syntax styler: AllStyles plus its string settings.
class TFakeStyler : public TComponent {
  KV_DECLARE_CLASS()
  TFakeStyler(TComponent* owner, const std::string& name, int styles = 6);
  TCollection AllStyles;
  std::string DefaultExtension, Description, Extensions, Filter, LineComment, MultiCommentLeft,
      MultiCommentRight, StylerName;
  TFakeStyleItem* Style(int i) const { return static_cast<TFakeStyleItem*>(AllStyles.Items(i)); }
};

// A control whose settings live in a "Properties" object holding a collection "Columns".
class TFakeProperties : public TPersistent {
  KV_DECLARE_CLASS()
  TFakeProperties();
  TCollection Columns;
  TStringList Words;
  std::string Title;
};
class TFakePropsControl : public TComponent {
  KV_DECLARE_CLASS()
  TFakePropsControl(TComponent* owner, const std::string& name);
  std::unique_ptr<TFakeProperties> Properties;
};

// An action and a control bound to it.
class TFakeAction : public TComponent {
  KV_DECLARE_CLASS()
  TFakeAction(TComponent* owner, const std::string& name, const std::string& caption);
  std::string Caption, Hint;
};
class TFakeActionControl : public TFakeControl {
  KV_DECLARE_CLASS()
  using TFakeControl::TFakeControl;
  TFakeAction* Action = nullptr;
};

// ---- Windows shaped like the program's --------------------------------------------------------

// Creates a window the way the platform layer does: designed components with their English
// texts, then its translator (stored tables unless payload is given), EndLoading, then the
// window's creation handler formCreate. The main window also gets its dispatcher.
using TFormCreate = std::function<void(TFakeForm&)>;
std::unique_ptr<TFakeForm> CreateFakeWindow(const std::string& windowClassName,
                                            TLangDispatcher* dispatcher,
                                            const std::string* payload = nullptr,
                                            const TFormCreate& formCreate = {});
TLangDispatcher* DispatcherOf(TFakeForm& mainForm);
TTranslator* TranslatorOf(TComponent& form);
template <class C>
C* Find(TComponent& form, const std::string& name) {
  return dynamic_cast<C*>(form.FindComponent(name));
}

}  // namespace kv::testing
