// The standard controls over Qt widgets: label, edit, combo box, check box, buttons.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "platform/classes/Strings.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QCheckBox;
class QAbstractButton;

namespace kv {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
  KV_DECLARE_CLASS()
  explicit TLabel(TComponent* owner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  // The control the label names: its accelerator focuses it, and screen readers read the
  // label as that control's name.
  void SetFocusControl(TControl* control);
  bool Transparent = true;
  // Sized to the caption; a right-aligned label keeps its right edge when the caption changes.
  bool AutoSize = true;

 protected:
  bool TakesClicks() const override { return static_cast<bool>(OnClick); }
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  QLabel* Label() const;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool wordWrap_ = false;
};

// OnChange fires on every change of the text, by the user or by code, as the framework's does.
class TEdit : public TControl {
  KV_DECLARE_CLASS()
  explicit TEdit(TComponent* owner);
  std::string Text() const;
  void SetText(const std::string& text);
  // The text as the characters the user sees, also those Windows-1252 lacks.
  std::u32string UnicodeText() const;
  void SetUnicodeText(std::u32string_view text);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  TNotifyEvent OnChange;

 private:
  QLineEdit* Edit() const;
  void SetPeerText(const QString& text);
  int maxLength_ = 0;
};

// A combo box with an editable text. OnChange fires only when the user changes it, by choosing
// an entry or typing; never when code sets the index, the text or the items.
class TCustomComboBox : public TControl {
  KV_DECLARE_CLASS()
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItemsObject(TPersistent* items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Text() const;
  void SetText(const std::string& text);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count);
  TNotifyEvent OnChange;

 protected:
  // The box's text is its value, so its hint names it for screen readers.
  void HintChanged() override;

 private:
  QComboBox* Combo() const;
  void SyncItems();
  void UserChanged();
  std::unique_ptr<TStringList> items_;
  int dropDownCount_ = 8;
  bool syncing_ = false;
};

class TComboBox : public TCustomComboBox {
  KV_DECLARE_CLASS()
  using TCustomComboBox::TCustomComboBox;
};

class TCheckBox : public TControl {
  KV_DECLARE_CLASS()
  explicit TCheckBox(TComponent* owner);
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  void CaptionChanged() override;
};

// A push button; a click sets its ModalResult on the form (ending a modal ShowModal) after OnClick.
class TButton : public TControl {
  KV_DECLARE_CLASS()
  explicit TButton(TComponent* owner);
  int ModalResult = mrNone;
  bool Default() const { return default_; }
  void SetDefault(bool d);
  bool TabStop() const;
  void SetTabStop(bool stop);
  void SetGlyph(const QPixmap& glyph);
  // Presses the button as a click would (used by key handlers such as F2).
  void PerformClick();

 protected:
  TButton(TComponent* owner, QAbstractButton* peer);
  void CaptionChanged() override;
  QAbstractButton* Button() const;

 private:
  void Clicked();
  bool default_ = false;
};

enum class TBitBtnKind { bkCustom, bkOK, bkAbort };

// The framework's button with a picture. A kind other than bkCustom brings its standard
// picture and modal result (and OK is the default button).
class TBitBtn : public TButton {
  KV_DECLARE_CLASS()
  using TButton::TButton;
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);

 private:
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

// A flat button with a caption (the toolbar's "HTML" and "Preview").
class TSpeedButton : public TButton {
  KV_DECLARE_CLASS()
  explicit TSpeedButton(TComponent* owner);
  bool Flat = true;
};

}  // namespace kv
