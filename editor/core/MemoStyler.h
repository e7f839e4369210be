// Syntax stylers: non-visual components holding the highlighting rules (keyword groups, bracket
// pairs, symbol characters, comment delimiters, number characters and their colours). The
// editor model binds one through SyntaxStyles; THTMLMemoStyler carries the HTML defaults.
#pragma once

#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Strings.h"

namespace kv {

class TCustomCodeMemo;
class TCustomMemoStyler;

// Text colour, background (clNone = the editor's background) and font style of a run kind.
class TCharStyle : public TPersistent {
  KV_DECLARE_CLASS()
  TCharStyle() = default;
  TCharStyle(TColor textColor, TColor bkColor, TFontStyles style)
      : textColor_(textColor), bkColor_(bkColor), style_(style) {}

  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor color);
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  TColor textColor_ = clBlack;
  TColor bkColor_ = clNone;
  TFontStyles style_ = 0;
};

enum class TStyleType { stKeyword, stBracket, stSymbol };

class TElementStyle : public TCollectionItem {
  KV_DECLARE_CLASS()
  explicit TElementStyle(TCollection* collection);
  ~TElementStyle() override;

  TStringList& KeyWords() { return keyWords_; }
  const TStringList& KeyWords() const { return keyWords_; }
  void SetKeyWords(const TStrings* words);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont* font);
  TColor BGColor() const { return bgColor_; }
  void SetBGColor(TColor color);
  TStyleType StyleType() const { return styleType_; }
  void SetStyleType(TStyleType type);
  char BracketStart() const { return bracketStart_; }
  void SetBracketStart(char c);
  char BracketEnd() const { return bracketEnd_; }
  void SetBracketEnd(char c);
  const std::string& Symbols() const { return symbols_; }
  void SetSymbols(const std::string& symbols);
  const std::string& Info() const { return info_; }
  void SetInfo(const std::string& info);

  std::string DisplayName() const override { return info_.empty() ? ClassName() : info_; }
  void Assign(const TPersistent* source) override;

 private:
  void Changed() { TCollectionItem::Changed(false); }
  TStringList keyWords_;
  TFont font_;
  TColor bgColor_ = clWhite;
  TStyleType styleType_ = TStyleType::stKeyword;
  char bracketStart_ = 0;
  char bracketEnd_ = 0;
  std::string symbols_;
  std::string info_;
};

class TElementStyles : public TCollection {
  KV_DECLARE_CLASS()
  explicit TElementStyles(TCustomMemoStyler* styler);
  TElementStyle* Items(int index) const {
    return static_cast<TElementStyle*>(TCollection::Items(index));
  }
  TElementStyle* Add() { return static_cast<TElementStyle*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TCustomMemoStyler* styler_;
};

class TCustomMemoStyler : public TComponent {
  KV_DECLARE_CLASS()
  explicit TCustomMemoStyler(TComponent* owner);
  ~TCustomMemoStyler() override;

  TElementStyles& AllStyles() { return allStyles_; }
  const TElementStyles& AllStyles() const { return allStyles_; }
  void SetAllStyles(const TPersistent* styles);
  const std::string& LineComment() const { return lineComment_; }
  void SetLineComment(const std::string& s);
  const std::string& MultiCommentLeft() const { return multiCommentLeft_; }
  void SetMultiCommentLeft(const std::string& s);
  const std::string& MultiCommentRight() const { return multiCommentRight_; }
  void SetMultiCommentRight(const std::string& s);
  TCharStyle& CommentStyle() { return commentStyle_; }
  const TCharStyle& CommentStyle() const { return commentStyle_; }
  void SetCommentStyle(const TPersistent* style);
  TCharStyle& NumberStyle() { return numberStyle_; }
  const TCharStyle& NumberStyle() const { return numberStyle_; }
  void SetNumberStyle(const TPersistent* style);
  TStringList& AutoCompletion() { return autoCompletion_; }
  TStringList& HintParameters() { return hintParameters_; }
  const std::string& NumberChars() const { return numberChars_; }
  void SetNumberChars(const std::string& s);
  const std::string& HexIdentifier() const { return hexIdentifier_; }
  void SetHexIdentifier(const std::string& s);
  const std::string& BlockStart() const { return blockStart_; }
  void SetBlockStart(const std::string& s) { blockStart_ = s; }
  const std::string& BlockEnd() const { return blockEnd_; }
  void SetBlockEnd(const std::string& s) { blockEnd_ = s; }
  const std::string& EscapeChar() const { return escapeChar_; }
  void SetEscapeChar(const std::string& s);
  bool CustomDraw = false;  // hands keywords to a drawing hook; off, the hook does nothing

  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& s) { filter_ = s; }
  const std::string& DefaultExtension() const { return defaultExtension_; }
  void SetDefaultExtension(const std::string& s) { defaultExtension_ = s; }
  const std::string& Extensions() const { return extensions_; }
  void SetExtensions(const std::string& s) { extensions_ = s; }
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& s) { description_ = s; }
  const std::string& StylerName() const { return stylerName_; }
  void SetStylerName(const std::string& s) { stylerName_ = s; }
  std::string Version() const { return "1.0"; }

  // Editors showing text with these rules; each is told of rule changes and of destruction.
  void BindMemo(TCustomCodeMemo* memo);
  void UnbindMemo(TCustomCodeMemo* memo);
  // Called whenever a rule changes (also by the element collection).
  void StylesChanged();
  // Increases with every rule change, so that prepared rule sets know when they are stale.
  unsigned Revision() const { return revision_; }

 private:
  TElementStyles allStyles_;
  std::string lineComment_;
  std::string multiCommentLeft_;
  std::string multiCommentRight_;
  TCharStyle commentStyle_{clSilver, clWhite, fsItalic};
  TCharStyle numberStyle_{clNavy, clWhite, fsBold};
  TStringList autoCompletion_;
  TStringList hintParameters_;
  std::string numberChars_ = "+-.0123456789";
  std::string hexIdentifier_;
  std::string blockStart_;
  std::string blockEnd_;
  std::string escapeChar_;
  std::string filter_;
  std::string defaultExtension_;
  std::string extensions_;
  std::string description_;
  std::string stylerName_;
  std::vector<TCustomCodeMemo*> memos_;
  unsigned revision_ = 0;
};

// The styler for HTML: the base with its rule properties published and the HTML defaults.
class THTMLMemoStyler : public TCustomMemoStyler {
  KV_DECLARE_CLASS()
  explicit THTMLMemoStyler(TComponent* owner);
};

}  // namespace kv
