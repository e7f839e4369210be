// The band left of the text that shows line numbers and the modified marks.
#pragma once

#include <string>

#include "platform/classes/Graphics.h"

namespace kv {

class TMemoGutter : public TPersistent {
  KV_DECLARE_CLASS()
  TMemoGutter();

  int DigitCount() const { return digitCount_; }
  void SetDigitCount(int count);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TPersistent* font) { font_.Assign(font); }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor c) { Set(borderColor_, c); }
  int GutterWidth() const { return gutterWidth_; }
  void SetGutterWidth(int width);
  int GutterMargin() const { return gutterMargin_; }
  void SetGutterMargin(int margin) { Set(gutterMargin_, margin); }
  TColor GutterColor() const { return gutterColor_; }
  void SetGutterColor(TColor c) { Set(gutterColor_, c); }
  TColor GutterColorTo() const { return gutterColorTo_; }
  void SetGutterColorTo(TColor c) { Set(gutterColorTo_, c); }
  int LineNumberStart() const { return lineNumberStart_; }
  void SetLineNumberStart(int start) { Set(lineNumberStart_, start); }
  TColor LineNumberTextColor() const { return lineNumberTextColor_; }
  void SetLineNumberTextColor(TColor c) { Set(lineNumberTextColor_, c); }
  TColor ModifiedColorBkg() const { return modifiedColorBkg_; }
  void SetModifiedColorBkg(TColor c) { Set(modifiedColorBkg_, c); }
  TColor ModifiedColor() const { return modifiedColor_; }
  void SetModifiedColor(TColor c) { Set(modifiedColor_, c); }
  const std::string& NumberSuffix() const { return numberSuffix_; }
  void SetNumberSuffix(const std::string& s) { Set(numberSuffix_, s); }
  bool ShowLineNumbers() const { return showLineNumbers_; }
  void SetShowLineNumbers(bool on) { Set(showLineNumbers_, on); }
  bool ShowModified() const { return showModified_; }
  void SetShowModified(bool on) { Set(showModified_, on); }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { Set(visible_, on); }
  bool ShowLeadingZeros() const { return showLeadingZeros_; }
  void SetShowLeadingZeros(bool on) { Set(showLeadingZeros_, on); }

  // The text drawn for a line index (0-based), and how many "W" widths it is indented so that
  // numbers of up to four digits end in the same column.
  std::string DigitsText(int lineIndex) const;
  std::string NumberText(int lineIndex) const { return DigitsText(lineIndex) + numberSuffix_; }
  static int IndentCells(const std::string& digits);

  void Assign(const TPersistent* source) override;

  // Layout or look changed (the font's changes included).
  TNotifyEvent OnChange;

 private:
  template <class T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }
  void Changed();

  int digitCount_ = 4;
  TFont font_;
  TColor borderColor_ = clGray;
  int gutterWidth_ = 45;
  int gutterMargin_ = 45;
  TColor gutterColor_ = clBtnFace;
  TColor gutterColorTo_ = clWhite;
  int lineNumberStart_ = 1;
  TColor lineNumberTextColor_ = clBlack;
  TColor modifiedColorBkg_ = clLime;
  TColor modifiedColor_ = clYellow;
  std::string numberSuffix_;
  bool showLineNumbers_ = true;
  bool showModified_ = false;
  bool visible_ = true;
  bool showLeadingZeros_ = false;
};

}  // namespace kv
