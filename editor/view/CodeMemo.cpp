#include "editor/view/CodeMemo.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethod>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "editor/view/CodeMemoPeer.h"
#include "platform/QtText.h"
#include "support/Shell.h"

namespace kv {

KV_DEFINE_CLASS(
    TCodeMemo, TControl,
    {prop::Object<TCodeMemo>(
         "Lines", "TStrings", [](TCodeMemo& m) -> TPersistent* { return m.Lines(); },
         &TCodeMemo::SetLines),
     prop::String<TCodeMemo>("Version", &TCodeMemo::Version, &TCodeMemo::SetVersion),
     prop::Object<TCodeMemo>(
         "SyntaxStyles", "TCustomMemoStyler",
         [](TCodeMemo& m) -> TPersistent* { return m.SyntaxStyles(); },
         [](TCodeMemo& m, TPersistent* p) {
           m.SetSyntaxStyles(dynamic_cast<TCustomMemoStyler*>(p));
         }),
     prop::Boolean<TCodeMemo>(
         "UseStyler", [](TCodeMemo& m) { return m.Memo().UseStyler(); },
         [](TCodeMemo& m, bool on) { m.Memo().SetUseStyler(on); }),
     prop::Object<TCodeMemo>(
         "Gutter", "TMemoGutter", [](TCodeMemo& m) -> TPersistent* { return &m.Gutter(); },
         [](TCodeMemo& m, TPersistent* p) { m.Gutter().Assign(p); }),
     prop::Object<TCodeMemo>(
         "UrlStyle", "TCharStyle",
         [](TCodeMemo& m) -> TPersistent* { return &m.Memo().UrlStyle(); },
         [](TCodeMemo& m, TPersistent* p) { m.Memo().UrlStyle().Assign(p); }),
     prop::Integer<TCodeMemo>("BkColor", &TCodeMemo::BkColor, &TCodeMemo::SetBkColor),
     prop::Integer<TCodeMemo>("SelColor", &TCodeMemo::SelColor, &TCodeMemo::SetSelColor),
     prop::Integer<TCodeMemo>("SelBkColor", &TCodeMemo::SelBkColor, &TCodeMemo::SetSelBkColor),
     prop::Integer<TCodeMemo>(
         "TabSize", [](TCodeMemo& m) { return m.Memo().TabSize(); },
         [](TCodeMemo& m, int v) { m.Memo().SetTabSize(v); }),
     prop::Integer<TCodeMemo>(
         "UndoLimit", [](TCodeMemo& m) { return m.Memo().UndoLimit(); },
         [](TCodeMemo& m, int v) { m.Memo().SetUndoLimit(v); }),
     prop::Boolean<TCodeMemo>(
         "ReadOnly", [](TCodeMemo& m) { return m.Memo().ReadOnly; },
         [](TCodeMemo& m, bool v) { m.Memo().ReadOnly = v; }),
     prop::Boolean<TCodeMemo>(
         "SmartTabs", [](TCodeMemo& m) { return m.Memo().SmartTabs; },
         [](TCodeMemo& m, bool v) { m.Memo().SmartTabs = v; }),
     prop::Boolean<TCodeMemo>(
         "DelErase", [](TCodeMemo& m) { return m.Memo().DelErase; },
         [](TCodeMemo& m, bool v) { m.Memo().DelErase = v; }),
     prop::Boolean<TCodeMemo>(
         "AutoIndent", [](TCodeMemo& m) { return m.Memo().AutoIndent; },
         [](TCodeMemo& m, bool v) { m.Memo().AutoIndent = v; }),
     prop::Boolean<TCodeMemo>(
         "AutoExpand", [](TCodeMemo& m) { return m.Memo().AutoExpand; },
         [](TCodeMemo& m, bool v) { m.Memo().AutoExpand = v; }),
     prop::Boolean<TCodeMemo>(
         "EnhancedHomeKey", [](TCodeMemo& m) { return m.Memo().EnhancedHomeKey; },
         [](TCodeMemo& m, bool v) { m.Memo().EnhancedHomeKey = v; }),
     prop::Boolean<TCodeMemo>(
         "TrimTrailingSpaces", [](TCodeMemo& m) { return m.Memo().TrimTrailingSpaces; },
         [](TCodeMemo& m, bool v) { m.Memo().TrimTrailingSpaces = v; }),
     prop::Boolean<TCodeMemo>(
         "WantTab", [](TCodeMemo& m) { return m.Memo().WantTab; },
         [](TCodeMemo& m, bool v) { m.Memo().WantTab = v; }),
     prop::Boolean<TCodeMemo>(
         "HideSelection", [](TCodeMemo& m) { return m.Memo().HideSelection; },
         [](TCodeMemo& m, bool v) {
           m.Memo().HideSelection = v;
           m.InvalidateAll();
         }),
     prop::Boolean<TCodeMemo>(
         "UrlAware", [](TCodeMemo& m) { return m.Memo().UrlAware(); },
         [](TCodeMemo& m, bool v) { m.Memo().SetUrlAware(v); }),
     prop::Boolean<TCodeMemo>(
         "CaseSensitive", [](TCodeMemo& m) { return m.Memo().CaseSensitive(); },
         [](TCodeMemo& m, bool v) { m.Memo().SetCaseSensitive(v); }),
     prop::Ordinal<TCodeMemo>("BorderStyle", tkEnumeration, &TCodeMemo::BorderStyle,
                              &TCodeMemo::SetBorderStyle),
     prop::Boolean<TCodeMemo>("Ctl3D", &TCodeMemo::Ctl3D, &TCodeMemo::SetCtl3D),
     prop::Integer<TCodeMemo>("BorderColor", &TCodeMemo::BorderColor, &TCodeMemo::SetBorderColor),
     prop::Ordinal<TCodeMemo>("ScrollBars", tkEnumeration, &TCodeMemo::ScrollBars,
                              &TCodeMemo::SetScrollBars),
     prop::Ordinal<TCodeMemo>(
         "ScrollMode", tkEnumeration, [](TCodeMemo& m) { return m.ScrollMode; },
         [](TCodeMemo& m, TScrollMode v) { m.ScrollMode = v; }),
     prop::Boolean<TCodeMemo>("ShowRightMargin", &TCodeMemo::ShowRightMargin,
                              &TCodeMemo::SetShowRightMargin),
     prop::Integer<TCodeMemo>("RightMargin", &TCodeMemo::RightMargin, &TCodeMemo::SetRightMargin),
     prop::Integer<TCodeMemo>("RightMarginColor", &TCodeMemo::RightMarginColor,
                              &TCodeMemo::SetRightMarginColor),
     prop::Boolean<TCodeMemo>("HiddenCaret", &TCodeMemo::HiddenCaret, &TCodeMemo::SetHiddenCaret),
     prop::Integer<TCodeMemo>("BandColor", &TCodeMemo::BandColor, &TCodeMemo::SetBandColor),
     prop::Ordinal<TCodeMemo>(
         "ClipboardFormats", tkSet, [](TCodeMemo& m) { return m.ClipboardFormats; },
         [](TCodeMemo& m, TMemoClipboardFormats v) { m.ClipboardFormats = v; })})

TCodeMemo::TCodeMemo(TComponent* owner)
    : TControl(owner, new TCodeMemoPeer),
      memo_(std::make_unique<TCustomCodeMemo>()),
      painter_(*memo_, gutter_, fonts_) {
  TCodeMemoPeer* peer = PeerWidget();
  peer->SetControl(this);
  memo_->EventSender = this;
  memo_->SetView(this);

  vbar_ = new QScrollBar(Qt::Vertical, peer);
  hbar_ = new QScrollBar(Qt::Horizontal, peer);
  for (QScrollBar* bar : {vbar_.data(), hbar_.data()}) {
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setCursor(Qt::ArrowCursor);
    const bool vertical = bar == vbar_;
    QObject::connect(bar, &QScrollBar::valueChanged, peer,
                     [this, vertical](int value) { BarScrolled(vertical, value); });
  }
  autoScroll_.setInterval(50);
  QObject::connect(&autoScroll_, &QTimer::timeout, peer, [this] {
    if (!mouseSelecting_ || !(QApplication::mouseButtons() & Qt::LeftButton)) {
      autoScroll_.stop();
      return;
    }
    SafeCall([this] { MouseMove(lastMouseX_, lastMouseY_, true); });
  });
  QObject::connect(&blink_, &QTimer::timeout, peer, [this] {
    blinkOn_ = !blinkOn_;
    InvalidateCaret();
  });

  gutter_.Font().SetName("Courier New");
  gutter_.Font().SetSize(10);
  gutter_.OnChange = [this](TObject*) {
    ApplyFont();
    InvalidateAll();
  };
  SetColor(clWindow);
  SetCursor(TCursor::crIBeam);
  // The control's own font: it never follows the window's.
  Font()->SetName("COURIER NEW");
  Font()->SetHeight(-13);
  Font()->SetColor(clBlack);
  Font()->SetStyle(0);
  SetParentFont(false);
  ApplyFont();
}

TCodeMemo::~TCodeMemo() {
  blink_.stop();
  autoScroll_.stop();
  if (TCodeMemoPeer* peer = PeerWidget()) peer->SetControl(nullptr);
  if (TCustomMemoStyler* styler = memo_->SyntaxStyles()) styler->RemoveFreeNotification(this);
  memo_->SetView(nullptr);
}

TCodeMemoPeer* TCodeMemo::PeerWidget() const {
  return static_cast<TCodeMemoPeer*>(Peer());
}

// --- properties ---------------------------------------------------------------------------------

void TCodeMemo::SetLines(TPersistent* lines) {
  if (auto* strings = dynamic_cast<TStrings*>(lines)) {
    memo_->SetLines(*strings);
  } else {
    memo_->Lines().Assign(lines);
  }
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::SetSyntaxStyles(TCustomMemoStyler* styler) {
  if (TCustomMemoStyler* old = memo_->SyntaxStyles(); old && old != styler)
    old->RemoveFreeNotification(this);
  memo_->SetSyntaxStyles(styler);
  if (styler) styler->FreeNotification(this);
  InvalidateAll();
}

void TCodeMemo::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == memo_->SyntaxStyles()) {
    memo_->StylerDestroyed(memo_->SyntaxStyles());
    InvalidateAll();
  }
}

void TCodeMemo::SetBkColor(TColor c) {
  memo_->BkColor = c;
  memo_->StylerChanged();  // runs on clNone take the background from the colour rules
  InvalidateAll();
}

void TCodeMemo::SetSelColor(TColor c) {
  memo_->SelColor = c;
  InvalidateAll();
}

void TCodeMemo::SetSelBkColor(TColor c) {
  memo_->SelBkColor = c;
  InvalidateAll();
}

void TCodeMemo::SetBorderStyle(TBorderStyle s) {
  borderStyle_ = s;
  ViewResized();
}

void TCodeMemo::SetCtl3D(bool on) {
  ctl3D_ = on;
  ViewResized();
}

void TCodeMemo::SetBorderColor(TColor c) {
  borderColor_ = c;
  InvalidateAll();
}

void TCodeMemo::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::SetShowRightMargin(bool on) {
  showRightMargin_ = on;
  InvalidateAll();
}

void TCodeMemo::SetRightMargin(int column) {
  rightMargin_ = column;
  InvalidateAll();
}

void TCodeMemo::SetRightMarginColor(TColor c) {
  rightMarginColor_ = c;
  InvalidateAll();
}

void TCodeMemo::SetHiddenCaret(bool on) {
  hiddenCaret_ = on;
  InvalidateCaret();
}

void TCodeMemo::SetBandColor(TColor c) {
  bandColor_ = c;
  InvalidateAll();
}

// --- font and metrics ----------------------------------------------------------------------------

void TCodeMemo::FontChanged() {
  if (applyingFont_) return;
  applyingFont_ = true;
  // The grid needs a face whose characters all have one width: a proportional face (whether
  // assigned whole or changed in place) gives way to the fixed system face.
  if (TMemoFonts::IsProportional(*Font())) Font()->SetName("FixedSys");
  applyingFont_ = false;
  TControl::FontChanged();
  memo_->Font().Assign(Font());
  memo_->StylerChanged();
  ApplyFont();
  InvalidateAll();
}

void TCodeMemo::ApplyFont() {
  fonts_.Measure(*Font());
  lastCaret_ = QRect();
  RefreshScrollBars();
}

// --- layout and scroll bars
// ------------------------------------------------------------------------

TMemoLayout TCodeMemo::Layout() const {
  TMemoLayout l;
  QWidget* peer = Peer();
  l.ClientWidth = peer ? peer->width() : Width();
  l.ClientHeight = peer ? peer->height() : Height();
  l.GutterVisible = gutter_.Visible();
  l.GutterWidth = gutter_.GutterWidth();
  l.BorderStyle = borderStyle_;
  l.Ctl3D = ctl3D_;
  l.VScrollVisible = vbar_ && !vbar_->isHidden();
  l.HScrollVisible = hbar_ && !hbar_->isHidden();
  const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  l.VScrollWidth = extent;
  l.HScrollHeight = extent;
  l.CellWidth = std::max(1, fonts_.CellWidth());
  l.LineHeight = std::max(1, fonts_.LineHeight());
  l.LeftCol = memo_->LeftCol();
  l.TopLine = memo_->TopLine();
  return l;
}

void TCodeMemo::RefreshScrollBars() {
  if (refreshing_ || !vbar_ || !hbar_) return;
  refreshing_ = true;
  const int oldTop = memo_->TopLine(), oldLeft = memo_->LeftCol();
  const bool vAllowed =
      scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  const bool hAllowed =
      scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  // A change of either bar's visibility changes the text area, so the rules run again.
  for (int pass = 0; pass < 3; ++pass) {
    TMemoLayout l = Layout();
    const int rows = l.VisibleRows(), cols = l.VisibleCols();
    memo_->SetViewSize(rows, cols);
    const bool vWas = !vbar_->isHidden(), hWas = !hbar_->isHidden();

    const int count = memo_->LineCount();
    const QSignalBlocker vBlock(vbar_.data()), hBlock(hbar_.data());
    if (vAllowed && rows >= 1 && rows < count) {
      vbar_->setRange(0, count - rows);
      vbar_->setPageStep(rows);
      vbar_->setSingleStep(1);
      if (memo_->TopLine() > vbar_->maximum()) memo_->SetTopLineRaw(vbar_->maximum());
      vbar_->setValue(memo_->TopLine());
      vbar_->show();
    } else {
      vbar_->hide();
      vbar_->setPageStep(1);
      if (memo_->TopLine() != 0) memo_->SetTopLineRaw(0);
    }

    const int longest = memo_->LongestLine();
    const int caret = memo_->CaretX() - memo_->LeftCol();
    const bool caretInView = caret >= 0 && caret < cols;
    if (hAllowed && cols >= 1 && (cols < longest || !caretInView)) {
      // The range reaches a little past the longest line, so that the two columns kept free
      // right of a caret at a line's end are reachable with the bar too.
      const int maxLeft = std::max({0, longest + 3 - cols, memo_->LeftCol()});
      hbar_->setRange(0, maxLeft);
      hbar_->setPageStep(cols + 1);
      hbar_->setSingleStep(1);
      hbar_->setValue(memo_->LeftCol());
      hbar_->show();
    } else {
      if (memo_->LeftCol() != 0) memo_->SetLeftCol(0);
      hbar_->hide();
    }
    if (vWas == !vbar_->isHidden() && hWas == !hbar_->isHidden()) break;
  }
  TMemoLayout l = Layout();
  auto place = [](QScrollBar* bar, const TMemoRect& r) {
    if (!bar->isHidden()) bar->setGeometry(r.Left, r.Top, r.Width(), r.Height());
  };
  place(vbar_, l.VScrollRect());
  place(hbar_, l.HScrollRect());
  refreshing_ = false;
  if ((oldTop != memo_->TopLine() || oldLeft != memo_->LeftCol()) && memo_->OnTopLeftChanged)
    SafeCall([this] { memo_->OnTopLeftChanged(this); });
}

void TCodeMemo::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  // A hidden widget gets its resize event only when shown; the view size is needed now.
  ViewResized();
}

void TCodeMemo::ViewResized() {
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::BarScrolled(bool vertical, int value) {
  if (refreshing_) return;
  if (!Focused()) SetFocus();
  if (vertical) {
    const int old = memo_->TopLine();
    if (value == old) return;
    memo_->InvalidateLineCaches(std::min(old, value), std::max(old, value));
    memo_->SetTopLineRaw(value);
  } else {
    if (value == memo_->LeftCol()) return;
    memo_->SetLeftCol(value);
  }
  if (memo_->OnTopLeftChanged) SafeCall([this] { memo_->OnTopLeftChanged(this); });
  lastCaret_ = QRect();
  InvalidateAll();
}

void TCodeMemo::Wheel(int steps) {
  const int rows = Layout().VisibleRows();
  for (; steps > 0; --steps) {
    if (memo_->TopLine() + rows >= memo_->LineCount()) break;
    memo_->SetTopLine(memo_->TopLine() + 4);
  }
  for (; steps < 0; ++steps) {
    if (memo_->LineCount() <= rows || memo_->TopLine() == 0) break;
    memo_->SetTopLine(memo_->TopLine() > 4 ? memo_->TopLine() - 4 : 0);
  }
  RefreshScrollBars();
  InvalidateAll();
}

// --- model notifications
// ---------------------------------------------------------------------------

void TCodeMemo::InvalidateLines(int first, int last) {
  QWidget* peer = Peer();
  if (!peer) return;
  const TMemoLayout l = Layout();
  const int top = l.TopLine;
  const int rows = l.PaintRows();
  if (last < first) std::swap(first, last);
  if (last < top || first >= top + rows) return;
  const TMemoRect area = l.TextArea();
  const int y0 = first <= top ? 0 : l.CellRect(0, first - top).Top;
  const int y1 = last >= top + rows ? peer->height() : l.CellRect(0, last - top).Bottom + 1;
  peer->update(QRect(0, y0, peer->width(), std::min(y1, area.Bottom + 1) - y0));
}

void TCodeMemo::InvalidateAll() {
  if (QWidget* peer = Peer()) peer->update();
}

void TCodeMemo::ScrollBarsChanged() {
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::TextChanged() {
  // A line that grew past the right edge needs the bar, a shrunk longest line a shorter one.
  if (updateDepth_ == 0) RefreshScrollBars();
  if (QAccessible::isActive()) {
    QAccessibleEvent changed(Peer(), QAccessible::TextUpdated);
    QAccessible::updateAccessibility(&changed);
  }
}

void TCodeMemo::CaretMoved() {
  ResetBlink();
  InvalidateCaret();
  // An input method's window and a screen reader follow the caret.
  if (Focused())
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImSurroundingText |
                                           Qt::ImCursorPosition | Qt::ImAnchorPosition);
  if (QAccessible::isActive()) {
    if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Peer())) {
      QAccessibleTextCursorEvent moved(Peer(), a->textInterface()->cursorPosition());
      QAccessible::updateAccessibility(&moved);
    }
  }
}

void TCodeMemo::FocusRequested() {
  SetFocus();
}

void TCodeMemo::CopyRequested() {
  if (AllowClipboard(TClipboardAction::caCopy)) DoCopy();
}

void TCodeMemo::CutRequested() {
  DoCut();
}

void TCodeMemo::PasteRequested() {
  DoPaste();
}

void TCodeMemo::OpenUrl(const std::string& url) {
  if (UrlOpener)
    UrlOpener(url);
  else
    OpenWithShell(url);
}

void TCodeMemo::BeginUpdate() {
  ++updateDepth_;
  memo_->BeginUpdate();
}

void TCodeMemo::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ > 0) return;
  memo_->EndUpdate();
  RefreshScrollBars();
  InvalidateAll();
}

int TCodeMemo::SearchText(const std::string& text, TFindOptions options) {
  return memo_->SearchText(text, options);
}

// --- caret
// ----------------------------------------------------------------------------------------

bool TCodeMemo::CaretShown() const {
  return Focused() && !hiddenCaret_ && blinkOn_;
}

void TCodeMemo::ResetBlink() {
  blinkOn_ = true;
  if (Focused()) {
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0)
      blink_.start(flash / 2);
    else
      blink_.stop();
  }
}

void TCodeMemo::InvalidateCaret() {
  QWidget* peer = Peer();
  if (!peer) return;
  const TMemoLayout l = Layout();
  const QRect now = TMemoPainter::CaretRect(l, memo_->Caret());
  // The row under the old and the new position is repainted; the caret is inverted over it.
  auto row = [&](const QRect& r) { return QRect(0, r.top() - 1, peer->width(), r.height() + 2); };
  if (!lastCaret_.isNull() && lastCaret_ != now) peer->update(row(lastCaret_));
  if (!now.isNull()) peer->update(row(now));
  lastCaret_ = now;
}

void TCodeMemo::FocusChanged(bool focused) {
  if (focused) {
    ResetBlink();
  } else {
    blink_.stop();
    blinkOn_ = false;
  }
  // The selection is hidden without the focus (HideSelection), and the caret goes with it.
  InvalidateAll();
}

// --- painting
// -------------------------------------------------------------------------------------

void TCodeMemo::Paint(QPainter& p, const QRect& dirty) {
  // Inside a begin-update the window keeps what it shows.
  if (memo_->Lines().UpdateDepth() > 0 || updateDepth_ > 0) return;
  if (!fonts_.Measured()) ApplyFont();
  TMemoPaintOptions o;
  o.Focused = Focused();
  o.CaretOn = CaretShown();
  o.Color = Color();
  o.BandColor = bandColor_;
  o.ShowRightMargin = showRightMargin_;
  o.RightMargin = rightMargin_;
  o.RightMarginColor = rightMarginColor_;
  o.BorderColor = borderColor_;
  o.Drop = drop_;
  if (OnLineBkColor)
    o.OnLineBkColor = [this](int line, TColor& c) { OnLineBkColor(this, line, c); };
  painter_.Paint(p, Layout(), o, dirty);
}

}  // namespace kv
