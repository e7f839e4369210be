// A small RTF writer: a font table, a colour table and a body of control words and text. The
// code editor renders its highlighted runs into one of these for each copy as RTF.
#pragma once

#include <string>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Graphics.h"

namespace kv {

class TFontItem : public TCollectionItem {
  KV_DECLARE_CLASS()
  explicit TFontItem(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& FaceName() const { return faceName_; }
  void SetFaceName(const std::string& faceName);
  int Code() const { return code_; }
  void SetCode(int code);
  void Assign(const TPersistent* source) override;

 private:
  std::string faceName_;
  int code_ = 0;
};

// Faces in order of first use; a face already present keeps its index.
class TFontTable : public TCollection {
  KV_DECLARE_CLASS()
  TFontTable();

  TFontItem* Fonts(int index) const { return static_cast<TFontItem*>(Items(index)); }
  int IndexOfFace(const std::string& faceName) const;
  int AddFace(const std::string& faceName);
  // "{\fonttbl{\f0\fnil Face;}...}", or nothing when the table is empty.
  std::string Render() const;
};

// Colours in order of first use, each stored once. Index 0 is the reader's automatic colour
// (the leading empty entry), so that "\highlight0" means "no highlight" and real colours never
// collide with it; system colours are resolved to RGB before they are compared.
class TColorTable {
 public:
  int Count() const { return static_cast<int>(colors_.size()); }
  TColor Colors(int index) const { return colors_.at(index); }
  // The RTF index (1-based) of color, adding it when new.
  int AddColor(TColor color);
  int IndexOfColor(TColor color) const;
  // "{\colortbl ;\red0\green0\blue0;...}", or nothing when the table is empty.
  std::string Render() const;
  void Clear() { colors_.clear(); }

 private:
  std::vector<TColor> colors_;
};

class TRTFHeader {
 public:
  TFontTable FontTable;
  TColorTable ColorTable;
  int ViewKind = 4;
  // "{\rtf1\ansi\ansicpg1252\deff0\deflang1033" + tables + "\viewkind4\uc1".
  std::string Render() const;
};

class TRTFEngine {
 public:
  TRTFHeader Header;

  // Each setter writes its control word only when the value changes.
  void SetFont(const std::string& faceName);
  void SetFontSize(int points);
  void SetForeColor(TColor color);
  // clNone clears the highlight ("\highlight0").
  void SetHighlightColor(TColor color);
  void SetBold(bool on);
  void SetItalic(bool on);
  void SetUnderline(bool on);
  // Appends text as RTF: "\", "{" and "}" escaped, bytes outside printable ASCII as \'hh.
  void AddText(const std::string& text);
  // A hyperlink field whose visible text is underlined in urlColor, in the current font.
  void AddHyperlink(const std::string& url, const std::string& text, TColor urlColor);
  void EndParagraph();  // "\par"
  // Starts the state over (next run will restate every attribute).
  void ResetState();

  const std::string& Body() const { return body_; }
  int FontIndex() const { return font_; }
  int FontSize() const { return size_; }
  bool AtLineStart() const { return atLineStart_; }
  // Header + body + "\par}".
  std::string Document() const;

  static std::string EscapeText(const std::string& text);

 private:
  void AddControl(const std::string& word);
  std::string FontSettings() const;

  std::string body_;
  int font_ = -1;
  int size_ = -1;
  int foreColor_ = -1;
  int highlight_ = -1;
  int bold_ = -1, italic_ = -1, underline_ = -1;  // -1: not yet written
  bool atLineStart_ = true;
  bool afterControl_ = false;
};

}  // namespace kv
