// The framework's non-modal find dialog: search text, direction, match case, whole word and a
// find button. It stays beside its owner window (in front of it, also while that window is
// modal), is brought to the front when shown again, and is closed by the program; its text and
// options persist between showings.
#pragma once

#include <string>

#include "platform/classes/Classes.h"
#include "platform/classes/FindOptions.h"
#include "platform/classes/Strings.h"

class QDialog;
class QLineEdit;
class QCheckBox;
class QRadioButton;
class QPushButton;
class QLabel;
class QGroupBox;

namespace kv {

// What the dialog's controls say; the owner sets them in the user's language.
struct TFindDialogTexts {
  std::string Caption = "Find";
  std::string FindWhat = "Fi&nd what:";
  std::string WholeWord = "Match &whole word only";
  std::string MatchCase = "Match &case";
  std::string Direction = "Direction";
  std::string Up = "&Up";
  std::string Down = "&Down";
  std::string FindNext = "&Find Next";
  std::string Cancel = "Cancel";
  // Hints (tool tips, and descriptions for screen readers).
  std::string TextHint, WholeWordHint, MatchCaseHint, DirectionHint, FindNextHint, CancelHint;
};

class TFindDialog : public TComponent {
  KV_DECLARE_CLASS()
  explicit TFindDialog(TComponent* owner);
  ~TFindDialog() override;

  // The search text as page text: what the user typed, characters outside Windows-1252 as
  // numeric character references, so it matches the text of the page. At most MaxFindText
  // characters are typed.
  std::string FindText() const;
  void SetFindText(const std::string& pageText);
  static constexpr int MaxFindText = 255;
  // frDown, frMatchCase and frWholeWord as the user set them; frFindNext after a find.
  TFindOptions Options() const;
  void SetOptions(TFindOptions options);
  void SetTexts(const TFindDialogTexts& texts);

  // Shows the dialog beside the owner's window, or brings it to the front when it is open.
  bool Execute();
  void CloseDialog();
  bool Showing() const;

  // The user pressed the find button (or Enter in the text).
  TNotifyEvent OnFind;

  // The dialog and its controls, for tests and screenshots; the dialog exists after the first
  // Execute.
  QDialog* Dialog() const { return dialog_; }
  QLineEdit* TextEdit() const { return text_; }
  QPushButton* FindButton() const { return findButton_; }

 private:
  void Build();
  void ApplyTexts();
  void PlaceBesideOwner();
  void FindPressed();

  QDialog* dialog_ = nullptr;
  QLineEdit* text_ = nullptr;
  QLabel* textLabel_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QGroupBox* direction_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QPushButton* findButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  TFindDialogTexts texts_;
  std::string findText_;
  TFindOptions options_ = frDown;
  bool placed_ = false;
};

}  // namespace kv
