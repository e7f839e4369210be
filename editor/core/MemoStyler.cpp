#include "editor/core/MemoStyler.h"

#include <algorithm>

#include "editor/core/CodeMemo.h"

namespace kv {

// ---- TCharStyle -------------------------------------------------------------------------------

KV_DEFINE_CLASS(
    TCharStyle, TPersistent,
    {prop::Integer<TCharStyle>("TextColor", &TCharStyle::TextColor, &TCharStyle::SetTextColor),
     prop::Integer<TCharStyle>("BkColor", &TCharStyle::BkColor, &TCharStyle::SetBkColor),
     prop::Ordinal<TCharStyle>("Style", tkSet, &TCharStyle::Style, &TCharStyle::SetStyle)})

void TCharStyle::SetTextColor(TColor color) {
  if (textColor_ == color) return;
  textColor_ = color;
  Changed();
}

void TCharStyle::SetBkColor(TColor color) {
  if (bkColor_ == color) return;
  bkColor_ = color;
  Changed();
}

void TCharStyle::SetStyle(TFontStyles style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TCharStyle::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TCharStyle*>(source)) {
    textColor_ = other->textColor_;
    bkColor_ = other->bkColor_;
    style_ = other->style_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TCharStyle::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TElementStyle ----------------------------------------------------------------------------

KV_DEFINE_CLASS(
    TElementStyle, TCollectionItem,
    {prop::Object<TElementStyle>(
         "KeyWords", "TStrings", [](TElementStyle& e) -> TPersistent* { return &e.KeyWords(); },
         [](TElementStyle& e, TPersistent* v) { e.SetKeyWords(dynamic_cast<TStrings*>(v)); }),
     prop::Object<TElementStyle>(
         "Font", "TFont", [](TElementStyle& e) -> TPersistent* { return &e.Font(); },
         [](TElementStyle& e, TPersistent* v) { e.SetFont(dynamic_cast<TFont*>(v)); }),
     prop::Integer<TElementStyle>("BGColor", &TElementStyle::BGColor, &TElementStyle::SetBGColor),
     prop::Ordinal<TElementStyle>("StyleType", tkEnumeration, &TElementStyle::StyleType,
                                  &TElementStyle::SetStyleType),
     prop::Ordinal<TElementStyle>("BracketStart", tkChar, &TElementStyle::BracketStart,
                                  &TElementStyle::SetBracketStart),
     prop::Ordinal<TElementStyle>("BracketEnd", tkChar, &TElementStyle::BracketEnd,
                                  &TElementStyle::SetBracketEnd),
     prop::String<TElementStyle>("Symbols", &TElementStyle::Symbols, &TElementStyle::SetSymbols),
     prop::String<TElementStyle>("Info", &TElementStyle::Info, &TElementStyle::SetInfo)})

TElementStyle::TElementStyle(TCollection* collection) : TCollectionItem(collection) {
  font_.SetName("Courier New");
  font_.SetSize(8);
  font_.SetColor(clBlack);
  keyWords_.OnChange = [this](TObject*) { Changed(); };
  font_.OnChange = [this](TObject*) { Changed(); };
}

TElementStyle::~TElementStyle() {
  keyWords_.OnChange = nullptr;
  font_.OnChange = nullptr;
}

void TElementStyle::SetKeyWords(const TStrings* words) {
  if (words) keyWords_.Assign(words);
}

void TElementStyle::SetFont(const TFont* font) {
  if (font) font_.Assign(font);
}

void TElementStyle::SetBGColor(TColor color) {
  if (bgColor_ == color) return;
  bgColor_ = color;
  Changed();
}

void TElementStyle::SetStyleType(TStyleType type) {
  if (styleType_ == type) return;
  styleType_ = type;
  Changed();
}

void TElementStyle::SetBracketStart(char c) {
  if (bracketStart_ == c) return;
  bracketStart_ = c;
  Changed();
}

void TElementStyle::SetBracketEnd(char c) {
  if (bracketEnd_ == c) return;
  bracketEnd_ = c;
  Changed();
}

void TElementStyle::SetSymbols(const std::string& symbols) {
  if (symbols_ == symbols) return;
  symbols_ = symbols;
  Changed();
}

void TElementStyle::SetInfo(const std::string& info) {
  if (info_ == info) return;
  info_ = info;
  Changed();
}

void TElementStyle::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TElementStyle*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  keyWords_.Assign(&other->keyWords_);
  font_.Assign(&other->font_);
  bgColor_ = other->bgColor_;
  styleType_ = other->styleType_;
  bracketStart_ = other->bracketStart_;
  bracketEnd_ = other->bracketEnd_;
  symbols_ = other->symbols_;
  info_ = other->info_;
  Changed();
}

// ---- TElementStyles ---------------------------------------------------------------------------

KV_DEFINE_CLASS(TElementStyles, TCollection, {})

TElementStyles::TElementStyles(TCustomMemoStyler* styler)
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TElementStyle(c); }, styler),
      styler_(styler) {}

void TElementStyles::Update(TCollectionItem* item) {
  TCollection::Update(item);
  if (styler_) styler_->StylesChanged();
}

// ---- TCustomMemoStyler ------------------------------------------------------------------------

KV_DEFINE_CLASS(TCustomMemoStyler, TComponent, {})

TCustomMemoStyler::TCustomMemoStyler(TComponent* owner) : TComponent(owner), allStyles_(this) {
  commentStyle_.OnChange = [this](TObject*) { StylesChanged(); };
  numberStyle_.OnChange = [this](TObject*) { StylesChanged(); };
}

TCustomMemoStyler::~TCustomMemoStyler() {
  // Editors must not keep a pointer to rules that are going away.
  auto memos = memos_;
  memos_.clear();
  for (TCustomCodeMemo* memo : memos) memo->StylerDestroyed(this);
  commentStyle_.OnChange = nullptr;
  numberStyle_.OnChange = nullptr;
  allStyles_.OnUpdate = nullptr;
}

void TCustomMemoStyler::SetAllStyles(const TPersistent* styles) {
  if (styles) allStyles_.Assign(styles);
}

void TCustomMemoStyler::SetLineComment(const std::string& s) {
  lineComment_ = s;
  StylesChanged();
}

void TCustomMemoStyler::SetMultiCommentLeft(const std::string& s) {
  multiCommentLeft_ = s;
  StylesChanged();
}

void TCustomMemoStyler::SetMultiCommentRight(const std::string& s) {
  multiCommentRight_ = s;
  StylesChanged();
}

void TCustomMemoStyler::SetCommentStyle(const TPersistent* style) {
  if (style) commentStyle_.Assign(style);
}

void TCustomMemoStyler::SetNumberStyle(const TPersistent* style) {
  if (style) numberStyle_.Assign(style);
}

void TCustomMemoStyler::SetNumberChars(const std::string& s) {
  numberChars_ = s;
  StylesChanged();
}

void TCustomMemoStyler::SetHexIdentifier(const std::string& s) {
  hexIdentifier_ = s;
  StylesChanged();
}

void TCustomMemoStyler::SetEscapeChar(const std::string& s) {
  escapeChar_ = s;
  StylesChanged();
}

void TCustomMemoStyler::BindMemo(TCustomCodeMemo* memo) {
  if (std::find(memos_.begin(), memos_.end(), memo) == memos_.end()) memos_.push_back(memo);
}

void TCustomMemoStyler::UnbindMemo(TCustomCodeMemo* memo) {
  std::erase(memos_, memo);
}

void TCustomMemoStyler::StylesChanged() {
  ++revision_;
  for (TCustomCodeMemo* memo : memos_) memo->StylerChanged();
}

// ---- THTMLMemoStyler --------------------------------------------------------------------------

namespace {

using S = THTMLMemoStyler;

TPropInfo StylerString(const char* name, const std::string& (TCustomMemoStyler::*get)() const,
                       void (TCustomMemoStyler::*set)(const std::string&)) {
  return prop::String<S>(
      name, [get](S& s) { return (s.*get)(); }, [set](S& s, const std::string& v) { (s.*set)(v); });
}

const char* const kStandardTags[] = {
    "&lt",      "ABREV",   "ACRONYM",  "ADDRESS",  "APPLET",  "AREA",     "AU",        "AUTHOR",
    "B",        "BANNER",  "BASE",     "BASEFONT", "BGSOUND", "BIG",      "BLINK",     "BLOCQUOTE",
    "BODY",     "BQ",      "BR",       "CAPTION",  "CENTER",  "CITE",     "CODE",      "COL",
    "COLGROUP", "COMMENT", "CREDIT",   "DD",       "DEL",     "DFN",      "DIR",       "DIV",
    "DL",       "DOCTYPE", "DT",       "EM",       "EMBED",   "FIG",      "FN",        "FONT",
    "FORM",     "FRAME",   "FRAMESET", "H1",       "H2",      "H3",       "H4",        "H5",
    "H6",       "HEAD",    "HR",       "HTML",     "I",       "IFRAME",   "IMG",       "INPUT",
    "INS",      "ISINDEX", "KBD",      "LANG",     "LH",      "LI",       "LINK",      "LISTING",
    "MAP",      "MARQUEE", "MATH",     "MENU",     "META",    "MULTICOL", "NOBR",      "NOFRAMES",
    "NOTE",     "OL",      "OVERLAY",  "P",        "PARAM",   "PERSON",   "PLAINTEXT", "PRE",
    "PUBLIC",   "Q",       "RANGE",    "SAMP",     "SCRIPT",  "SELECT",   "SMALL",     "SPACER",
    "SPOT",     "STRIKE",  "STRONG",   "SUB",      "SUP",     "TAB",      "TBODY",     "TEXTAREA",
    "TEXTFLOW", "TFOOT",   "TH",       "THEAD",    "TITLE",   "TT",       "U",         "UL",
    "VAR",      "WBR",     "XMP"};
static_assert(std::size(kStandardTags) == 107);

const char* const kTableWords[] = {"TABLE",
                                   "BORDER",
                                   "TD",
                                   "TR",
                                   "STYLE",
                                   "BORDERCOLOR",
                                   "WIDTH",
                                   "ID",
                                   "BORDERCOLORLIGHT",
                                   "BORDERCOLORDARK"};
const char* const kLinkWords[] = {"A", "HREF"};

}  // namespace

KV_DEFINE_CLASS(
    THTMLMemoStyler, TCustomMemoStyler,
    {StylerString("LineComment", &TCustomMemoStyler::LineComment,
                  &TCustomMemoStyler::SetLineComment),
     StylerString("MultiCommentLeft", &TCustomMemoStyler::MultiCommentLeft,
                  &TCustomMemoStyler::SetMultiCommentLeft),
     StylerString("MultiCommentRight", &TCustomMemoStyler::MultiCommentRight,
                  &TCustomMemoStyler::SetMultiCommentRight),
     prop::Object<S>(
         "CommentStyle", "TCharStyle", [](S& s) -> TPersistent* { return &s.CommentStyle(); },
         [](S& s, TPersistent* v) { s.SetCommentStyle(v); }),
     prop::Object<S>(
         "NumberStyle", "TCharStyle", [](S& s) -> TPersistent* { return &s.NumberStyle(); },
         [](S& s, TPersistent* v) { s.SetNumberStyle(v); }),
     prop::Object<S>(
         "AllStyles", "TElementStyles", [](S& s) -> TPersistent* { return &s.AllStyles(); },
         [](S& s, TPersistent* v) { s.SetAllStyles(v); }),
     prop::String<S>(
         "Version", [](S& s) { return s.Version(); }, nullptr),
     StylerString("Description", &TCustomMemoStyler::Description,
                  &TCustomMemoStyler::SetDescription),
     StylerString("Filter", &TCustomMemoStyler::Filter, &TCustomMemoStyler::SetFilter),
     StylerString("DefaultExtension", &TCustomMemoStyler::DefaultExtension,
                  &TCustomMemoStyler::SetDefaultExtension),
     StylerString("StylerName", &TCustomMemoStyler::StylerName, &TCustomMemoStyler::SetStylerName),
     StylerString("Extensions", &TCustomMemoStyler::Extensions, &TCustomMemoStyler::SetExtensions)})

THTMLMemoStyler::THTMLMemoStyler(TComponent* owner) : TCustomMemoStyler(owner) {
  SetDescription("Web pages");
  SetFilter("HTML Document (*.htm,*.html)|*.htm;*.html");
  SetDefaultExtension(".html");
  SetStylerName("HTML document");
  SetExtensions("htm;html");
  SetLineComment("//");
  SetMultiCommentLeft("<!--");
  SetMultiCommentRight("-->");
  CommentStyle().SetTextColor(clSilver);
  CommentStyle().SetBkColor(clWhite);
  CommentStyle().SetStyle(fsItalic);
  NumberStyle().SetTextColor(clBlack);
  NumberStyle().SetBkColor(clWhite);
  NumberStyle().SetStyle(0);

  auto& styles = AllStyles();
  styles.BeginUpdate();
  auto addKeywords = [&](const char* info, TColor color, auto& words) {
    TElementStyle* e = styles.Add();
    e->SetInfo(info);
    e->SetStyleType(TStyleType::stKeyword);
    e->Font().SetColor(color);
    for (const char* w : words) e->KeyWords().Add(w);
  };
  addKeywords("HTML Standard Default", clNavy, kStandardTags);
  addKeywords("HTML Table Keywords", clOlive, kTableWords);
  addKeywords("HTML Link Keywords", clRed, kLinkWords);
  auto addBracket = [&](const char* info, TColor color, char c) {
    TElementStyle* e = styles.Add();
    e->SetInfo(info);
    e->SetStyleType(TStyleType::stBracket);
    e->Font().SetColor(color);
    e->SetBracketStart(c);
    e->SetBracketEnd(c);
  };
  addBracket("Simple Bracket", clBackground, '\'');
  addBracket("Double Bracket", clBlue, '"');
  TElementStyle* symbols = styles.Add();
  symbols->SetInfo("Symbols Delimiters");
  symbols->SetStyleType(TStyleType::stSymbol);
  symbols->Font().SetColor(clTeal);
  symbols->SetSymbols(" ,;:.()[]=-*/^%<>#\r\n");
  styles.EndUpdate();
}

}  // namespace kv
