#include "editor/export/RTFEngine.h"

#include <cstdio>

namespace kv {

KV_DEFINE_CLASS(TFontItem, TCollectionItem,
                {prop::String<TFontItem>("FaceName", &TFontItem::FaceName, &TFontItem::SetFaceName),
                 prop::Integer<TFontItem>("Code", &TFontItem::Code, &TFontItem::SetCode)})

void TFontItem::SetFaceName(const std::string& faceName) {
  if (faceName == faceName_) return;
  faceName_ = faceName;
  Changed(false);
}

void TFontItem::SetCode(int code) {
  if (code == code_) return;
  code_ = code;
  Changed(false);
}

void TFontItem::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFontItem*>(source)) {
    faceName_ = other->faceName_;
    code_ = other->code_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

KV_DEFINE_CLASS(TFontTable, TCollection, {})

TFontTable::TFontTable() : TCollection([](TCollection* c) { return new TFontItem(c); }) {}

int TFontTable::IndexOfFace(const std::string& faceName) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Fonts(i)->FaceName(), faceName)) return i;
  return -1;
}

int TFontTable::AddFace(const std::string& faceName) {
  int index = IndexOfFace(faceName);
  if (index >= 0) return index;
  auto* item = static_cast<TFontItem*>(Add());
  item->SetFaceName(faceName);
  item->SetCode(item->Index());
  return item->Index();
}

std::string TFontTable::Render() const {
  if (Count() == 0) return {};
  std::string out = "{\\fonttbl";
  for (int i = 0; i < Count(); ++i) {
    // A face name ends at ";" in RTF, so the name itself must not carry one.
    std::string face = TRTFEngine::EscapeText(Fonts(i)->FaceName());
    std::erase(face, ';');
    out += "{\\f" + std::to_string(i) + "\\fnil " + face + ";}";
  }
  out += "}";
  return out;
}

int TColorTable::IndexOfColor(TColor color) const {
  TColor rgb = ColorToRGB(color);
  for (int i = 0; i < Count(); ++i)
    if (colors_[i] == rgb) return i + 1;
  return -1;
}

int TColorTable::AddColor(TColor color) {
  int index = IndexOfColor(color);
  if (index > 0) return index;
  colors_.push_back(ColorToRGB(color));
  return Count();
}

std::string TColorTable::Render() const {
  if (colors_.empty()) return {};
  std::string out = "{\\colortbl ;";
  for (TColor c : colors_) {
    out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) +
           "\\blue" + std::to_string(GetBValue(c)) + ";";
  }
  out += "}";
  return out;
}

std::string TRTFHeader::Render() const {
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033" + FontTable.Render() +
         ColorTable.Render() + "\\viewkind" + std::to_string(ViewKind) + "\\uc1";
}

std::string TRTFEngine::EscapeText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) {
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      // RTF is a 7-bit format: anything else travels as a code-page escape, so control bytes
      // in pasted binary text cannot break the document's structure.
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\'%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void TRTFEngine::AddControl(const std::string& word) {
  body_ += word;
  afterControl_ = true;
  atLineStart_ = false;
}

void TRTFEngine::SetFont(const std::string& faceName) {
  int index = Header.FontTable.AddFace(faceName);
  if (index == font_) return;
  font_ = index;
  AddControl("\\f" + std::to_string(index));
}

void TRTFEngine::SetFontSize(int points) {
  if (points == size_) return;
  size_ = points;
  AddControl("\\fs" + std::to_string(points * 2));
}

void TRTFEngine::SetForeColor(TColor color) {
  int index = Header.ColorTable.AddColor(color);
  if (index == foreColor_) return;
  foreColor_ = index;
  AddControl("\\cf" + std::to_string(index));
}

void TRTFEngine::SetHighlightColor(TColor color) {
  int index = color == clNone ? 0 : Header.ColorTable.AddColor(color);
  if (index == highlight_) return;
  highlight_ = index;
  AddControl("\\highlight" + std::to_string(index));
}

void TRTFEngine::SetBold(bool on) {
  if (bold_ == int(on)) return;
  bold_ = on;
  AddControl(on ? "\\b" : "\\b0");
}

void TRTFEngine::SetItalic(bool on) {
  if (italic_ == int(on)) return;
  italic_ = on;
  AddControl(on ? "\\i" : "\\i0");
}

void TRTFEngine::SetUnderline(bool on) {
  if (underline_ == int(on)) return;
  underline_ = on;
  AddControl(on ? "\\ul" : "\\ulnone");
}

void TRTFEngine::AddText(const std::string& text) {
  if (text.empty()) return;
  if (afterControl_) body_ += ' ';
  body_ += EscapeText(text);
  afterControl_ = false;
  atLineStart_ = false;
}

std::string TRTFEngine::FontSettings() const {
  std::string f = std::to_string(font_ < 0 ? 0 : font_);
  std::string s = std::to_string((size_ < 0 ? 0 : size_) * 2);
  return "{\\rtlch \\af" + f + "\\afs" + s + "\\ltrch \\f" + f + "\\fs" + s;
}

void TRTFEngine::AddHyperlink(const std::string& url, const std::string& text, TColor urlColor) {
  int color = Header.ColorTable.AddColor(urlColor);
  // A quote inside the address would end the field instruction early.
  std::string target;
  for (char c : url) {
    if (c == '"')
      target += "%22";
    else
      target += c;
  }
  body_ += "{\\field{\\*\\fldinst " + FontSettings() + "  HYPERLINK \"" + EscapeText(target) +
           "\"}}{\\fldrslt " + FontSettings() + "\\ul\\cf" + std::to_string(color) + " " +
           EscapeText(text) + "}}}";
  // The field's formatting is local to its groups: the outer state is unchanged.
  afterControl_ = false;
  atLineStart_ = false;
}

void TRTFEngine::EndParagraph() {
  AddControl("\\par");
  atLineStart_ = true;
}

void TRTFEngine::ResetState() {
  font_ = size_ = foreColor_ = highlight_ = -1;
  bold_ = italic_ = underline_ = -1;
}

std::string TRTFEngine::Document() const {
  return Header.Render() + body_ + "\\par}";
}

}  // namespace kv
