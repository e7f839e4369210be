// The tool bar with its tool buttons (plain, check, grouped check, separators) and the status bar.
#pragma once

#include "platform/Controls.h"

class QToolButton;
class QStatusBar;
class QLabel;
class QHBoxLayout;

namespace kv {

class TImageList;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

class TToolButton : public TControl {
  KV_DECLARE_CLASS()
  explicit TToolButton(TComponent* owner);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool grouped) { grouped_ = grouped; }
  // Pressed state (a plain button can show it too); setting it never fires OnClick. A toggle
  // from outside (an assistive tool's action) does what a click does.
  bool Down() const;
  void SetDown(bool down);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  void PerformClick();

 protected:
  void CaptionChanged() override;
  void HintChanged() override;

 private:
  friend class TToolBar;
  void UpdateAccessibleName();
  QToolButton* Button() const;
  void Clicked();
  TToolBar* Bar() const;
  TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
  bool grouped_ = false;
  int imageIndex_ = -1;
};

// Lays its controls out left to right in the order they were placed on it.
class TToolBar : public TControl {
  KV_DECLARE_CLASS()
  explicit TToolBar(TComponent* owner);
  TImageList* Images = nullptr;
  bool ShowCaptions = false;
  // Places a control (tool button, separator, combo box, speed button) at the end of the bar.
  void AddControl(TControl* control);
  void UpdateImages();
  // The buttons of the group that contains button: the run of grouped check buttons around it.
  std::vector<TToolButton*> GroupOf(TToolButton* button) const;

 private:
  QHBoxLayout* Layout() const;
  std::vector<TControl*> order_;
};

// A status bar of one panel of text.
class TStatusBar : public TControl {
  KV_DECLARE_CLASS()
  explicit TStatusBar(TComponent* owner);
  std::string SimpleText() const;
  void SetSimpleText(const std::string& text);
  // Text beyond the code page (a path); SimpleUnicodeText reads what is shown.
  void SetSimpleUnicodeText(const std::u32string& text);
  std::u32string SimpleUnicodeText() const;

 protected:
  void FontChanged() override;

 private:
  QLabel* Panel() const { return panel_; }
  QLabel* panel_;
};

}  // namespace kv
