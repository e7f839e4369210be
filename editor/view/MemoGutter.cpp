#include "editor/view/MemoGutter.h"

#include <algorithm>

namespace kv {

KV_DEFINE_CLASS(
    TMemoGutter, TPersistent,
    {prop::Integer<TMemoGutter>("DigitCount", &TMemoGutter::DigitCount,
                                &TMemoGutter::SetDigitCount),
     prop::Object<TMemoGutter>(
         "Font", "TFont", [](TMemoGutter& g) -> TPersistent* { return &g.Font(); },
         &TMemoGutter::SetFont),
     prop::Integer<TMemoGutter>("BorderColor", &TMemoGutter::BorderColor,
                                &TMemoGutter::SetBorderColor),
     prop::Integer<TMemoGutter>("GutterWidth", &TMemoGutter::GutterWidth,
                                &TMemoGutter::SetGutterWidth),
     prop::Integer<TMemoGutter>("GutterMargin", &TMemoGutter::GutterMargin,
                                &TMemoGutter::SetGutterMargin),
     prop::Integer<TMemoGutter>("GutterColor", &TMemoGutter::GutterColor,
                                &TMemoGutter::SetGutterColor),
     prop::Integer<TMemoGutter>("GutterColorTo", &TMemoGutter::GutterColorTo,
                                &TMemoGutter::SetGutterColorTo),
     prop::Integer<TMemoGutter>("LineNumberStart", &TMemoGutter::LineNumberStart,
                                &TMemoGutter::SetLineNumberStart),
     prop::Integer<TMemoGutter>("LineNumberTextColor", &TMemoGutter::LineNumberTextColor,
                                &TMemoGutter::SetLineNumberTextColor),
     prop::Integer<TMemoGutter>("ModifiedColorBkg", &TMemoGutter::ModifiedColorBkg,
                                &TMemoGutter::SetModifiedColorBkg),
     prop::Integer<TMemoGutter>("ModifiedColor", &TMemoGutter::ModifiedColor,
                                &TMemoGutter::SetModifiedColor),
     prop::String<TMemoGutter>("NumberSuffix", &TMemoGutter::NumberSuffix,
                               &TMemoGutter::SetNumberSuffix),
     prop::Boolean<TMemoGutter>("ShowLineNumbers", &TMemoGutter::ShowLineNumbers,
                                &TMemoGutter::SetShowLineNumbers),
     prop::Boolean<TMemoGutter>("ShowModified", &TMemoGutter::ShowModified,
                                &TMemoGutter::SetShowModified),
     prop::Boolean<TMemoGutter>("Visible", &TMemoGutter::Visible, &TMemoGutter::SetVisible),
     prop::Boolean<TMemoGutter>("ShowLeadingZeros", &TMemoGutter::ShowLeadingZeros,
                                &TMemoGutter::SetShowLeadingZeros)})

TMemoGutter::TMemoGutter() {
  font_.SetName("Courier New");
  font_.SetSize(10);
  font_.SetColor(clBlack);
  font_.OnChange = [this](TObject*) { Changed(); };
}

void TMemoGutter::Changed() {
  if (OnChange) OnChange(this);
}

void TMemoGutter::SetDigitCount(int count) {
  Set(digitCount_, std::clamp(count, 1, 9));
}

void TMemoGutter::SetGutterWidth(int width) {
  Set(gutterWidth_, std::max(0, width));
}

std::string TMemoGutter::DigitsText(int lineIndex) const {
  std::string n = std::to_string(lineIndex + lineNumberStart_);
  if (showLeadingZeros_ && static_cast<int>(n.size()) < digitCount_)
    n.insert(0, digitCount_ - n.size(), '0');
  return n;
}

int TMemoGutter::IndentCells(const std::string& digits) {
  const int n = static_cast<int>(digits.size());
  return n >= 1 && n <= 3 ? 4 - n : 0;
}

void TMemoGutter::Assign(const TPersistent* source) {
  auto* g = dynamic_cast<const TMemoGutter*>(source);
  if (!g) return TPersistent::Assign(source);
  digitCount_ = g->digitCount_;
  borderColor_ = g->borderColor_;
  gutterWidth_ = g->gutterWidth_;
  gutterMargin_ = g->gutterMargin_;
  gutterColor_ = g->gutterColor_;
  gutterColorTo_ = g->gutterColorTo_;
  lineNumberStart_ = g->lineNumberStart_;
  lineNumberTextColor_ = g->lineNumberTextColor_;
  modifiedColorBkg_ = g->modifiedColorBkg_;
  modifiedColor_ = g->modifiedColor_;
  numberSuffix_ = g->numberSuffix_;
  showLineNumbers_ = g->showLineNumbers_;
  showModified_ = g->showModified_;
  visible_ = g->visible_;
  showLeadingZeros_ = g->showLeadingZeros_;
  font_.Assign(&g->font_);  // fires Changed through the font
  Changed();
}

}  // namespace kv
