#include "platform/Controls.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <exception>

#include "platform/FontMap.h"
#include "platform/Forms.h"
#include "platform/QtText.h"
#include "platform/classes/Exception.h"

namespace kv {

bool SafeCall(const std::function<void()>& handler) {
  if (!handler) return true;
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  } catch (...) {
    Application()->HandleException(Exception("Unbekannter Fehler"));
  }
  return false;
}

namespace {

const char* const kControlProperty = "kvControl";

void MarkWidget(QWidget* widget, TControl* control) {
  widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(control)));
}

TControl* ControlOf(const QWidget* widget) {
  return static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
}

// A key goes to the handler of the focused control only, as in the framework: when it comes up
// to watched from a widget inside it whose control has a key handler (an inner widget of the
// same control too), that handler has seen it already.
bool KeySeenBelow(QObject* watched) {
  auto* widget = qobject_cast<QWidget*>(watched);
  QWidget* origin = QApplication::focusWidget();
  if (!widget || !origin || origin == widget || !widget->isAncestorOf(origin)) return false;
  for (QWidget* w = origin; w && w != widget; w = w->parentWidget()) {
    const TControl* c = ControlOf(w);
    if (c && c->OnKeyDown) return true;
  }
  return false;
}

}  // namespace

// Routes the peer's Qt events to the control: keys to OnKeyDown (before the widget sees them),
// resizes to the alignment of children, and geometry changes back into the bounds.
class TControlEventFilter : public QObject {
 public:
  explicit TControlEventFilter(TControl* control) : control_(control) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (control_->OnKeyDown && !KeySeenBelow(watched)) {
          auto* ke = static_cast<QKeyEvent*>(event);
          int key = VirtualKeyFromQt(ke->key());
          if (key == 0 && !ke->text().isEmpty()) key = ke->text().at(0).toUpper().unicode();
          const int before = key;
          SafeCall([&] { control_->OnKeyDown(control_, key, ShiftFromQt(ke->modifiers())); });
          // A handler that sets the key to 0 consumes it, as with the framework's var parameter.
          if (before != 0 && key == 0) return true;
        }
        if (watched == control_->Peer() && control_->TakesClicks()) {
          // A focused link or picture is pressed by keyboard as by a click.
          const int k = static_cast<QKeyEvent*>(event)->key();
          if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) {
            control_->Click();
            return true;
          }
        }
        break;
      case QEvent::MouseButtonRelease:
        if (watched == control_->Peer() && control_->TakesClicks()) {
          auto* me = static_cast<QMouseEvent*>(event);
          if (me->button() == Qt::LeftButton &&
              control_->Peer()->rect().contains(me->position().toPoint()))
            control_->Click();
        }
        break;
      case QEvent::Resize:
        if (watched == control_->ClientWidget()) control_->Realign();
        if (watched == control_->Peer()) {
          control_->width_ = control_->Peer()->width();
          control_->height_ = control_->Peer()->height();
        }
        break;
      case QEvent::Move:
        if (watched == control_->Peer() && control_->Peer()->isWindow() == false) {
          control_->left_ = control_->Peer()->x();
          control_->top_ = control_->Peer()->y();
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  TControl* control_;
};

KV_DEFINE_CLASS(TControl, TComponent,
                {prop::String<TControl>("Caption", &TControl::Caption, &TControl::SetCaption),
                 prop::String<TControl>("Hint", &TControl::Hint, &TControl::SetHint),
                 prop::Boolean<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
                 prop::Object<TControl>(
                     "Font", "TFont", [](TControl& c) -> TPersistent* { return c.Font(); },
                     &TControl::SetFontObject),
                 prop::Boolean<TControl>("ParentFont", &TControl::ParentFont,
                                         &TControl::SetParentFont),
                 prop::Integer<TControl>("Color", &TControl::Color, &TControl::SetColor),
                 prop::Boolean<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
                 prop::Boolean<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
                 prop::Integer<TControl>("Left", &TControl::Left, &TControl::SetLeft),
                 prop::Integer<TControl>("Top", &TControl::Top, &TControl::SetTop),
                 prop::Integer<TControl>("Width", &TControl::Width, &TControl::SetWidth),
                 prop::Integer<TControl>("Height", &TControl::Height, &TControl::SetHeight)})

TControl::TControl(TComponent* owner, QWidget* peer) : TComponent(owner), peer_(peer) {
  font_.SetName("MS Sans Serif");
  font_.OnChange = [this](TObject*) { FontChanged(); };
  filter_ = new TControlEventFilter(this);
  if (peer_) {
    MarkWidget(peer_, this);
    peer_->installEventFilter(filter_);
    width_ = peer_->width();
    height_ = peer_->height();
  }
}

TControl::~TControl() {
  // Owned components first, while this control's peer (their Qt parent) still exists.
  DestroyComponents();
  SetParent(nullptr);
  for (TControl* c : children_) c->parent_ = nullptr;
  children_.clear();
  delete peer_.data();
  delete filter_;
}

void TControl::SetParent(TControl* parent) {
  if (parent_ == parent) return;
  if (parent_) std::erase(parent_->children_, this);
  parent_ = parent;
  if (!peer_) return;
  if (parent_) {
    parent_->children_.push_back(this);
    peer_->setParent(parent_->ClientWidget());
    ApplyBounds();
    peer_->setVisible(visible_);
    if (parentFont_) ParentFontChanged();
    parent_->Realign();
  } else {
    peer_->setParent(nullptr);
  }
}

void TControl::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  if (peer_) peer_->setAccessibleName(ToQ(caption_));
  CaptionChanged();
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!peer_) return;
  peer_->setToolTip(showHint_ ? ToQ(hint_) : QString());
  peer_->setAccessibleDescription(ToQ(hint_));
  HintChanged();
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  SetHint(hint_);
}

void TControl::SetFontObject(TPersistent* font) {
  font_.Assign(font);
}

void TControl::SetParentFont(bool follow) {
  if (parentFont_ == follow) return;
  parentFont_ = follow;
  if (follow) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingFont_ = true;
  font_.Assign(parent_->Font());
  applyingFont_ = false;
}

void TControl::FontChanged() {
  if (!applyingFont_) parentFont_ = false;
  if (peer_) peer_->setFont(ToQFont(font_));
  for (TControl* c : children_)
    if (c->parentFont_) c->ParentFontChanged();
}

void TControl::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (peer_ && (parent_ || !peer_->isWindow())) peer_->setVisible(visible);
  if (parent_) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (peer_) peer_->setEnabled(enabled);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  ApplyBounds();
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::ApplyBounds() {
  if (!peer_) return;
  if (peer_->isWindow())
    peer_->resize(width_, height_);
  else
    peer_->setGeometry(left_, top_, width_, height_);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (!peer_) return;
  switch (cursor) {
    case TCursor::crDefault:
      peer_->unsetCursor();
      break;
    case TCursor::crArrow:
      peer_->setCursor(Qt::ArrowCursor);
      break;
    case TCursor::crIBeam:
      peer_->setCursor(Qt::IBeamCursor);
      break;
    case TCursor::crHandPoint:
      peer_->setCursor(Qt::PointingHandCursor);
      break;
  }
}

void TControl::SetFocusable(bool focusable) {
  if (peer_) peer_->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

bool TControl::Focused() const {
  return peer_ && peer_->hasFocus();
}

void TControl::SetFocus() {
  if (peer_) peer_->setFocus(Qt::OtherFocusReason);
}

bool TControl::CanFocus() const {
  return peer_ && peer_->isEnabled() && peer_->isVisible();
}

bool TControl::Click() {
  return !OnClick || SafeCall([this] { OnClick(this); });
}

void TControl::WatchWidget(QWidget* widget) {
  if (!widget || widget == peer_) return;
  MarkWidget(widget, this);
  widget->installEventFilter(filter_);
}

void TControl::ReplacePeer(QWidget* peer) {
  delete peer_.data();
  peer_ = peer;
  if (!peer_) return;
  MarkWidget(peer_, this);
  peer_->installEventFilter(filter_);
  width_ = peer_->width();
  height_ = peer_->height();
}

void TControl::Realign() {
  QWidget* client = ClientWidget();
  if (!client) return;
  QRect r = client->contentsRect();
  auto place = [](TControl* c, int l, int t, int w, int h) {
    c->left_ = l;
    c->top_ = t;
    c->width_ = std::max(0, w);
    c->height_ = std::max(0, h);
    c->ApplyBounds();
  };
  for (TAlign pass :
       {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : children_) {
      if (c->align_ != pass || !c->visible_) continue;
      switch (pass) {
        case TAlign::alTop:
          place(c, r.left(), r.top(), r.width(), c->height_);
          r.setTop(r.top() + c->height_);
          break;
        case TAlign::alBottom:
          place(c, r.left(), r.bottom() + 1 - c->height_, r.width(), c->height_);
          r.setBottom(r.bottom() - c->height_);
          break;
        case TAlign::alLeft:
          place(c, r.left(), r.top(), c->width_, r.height());
          r.setLeft(r.left() + c->width_);
          break;
        case TAlign::alRight:
          place(c, r.right() + 1 - c->width_, r.top(), c->width_, r.height());
          r.setRight(r.right() - c->width_);
          break;
        case TAlign::alClient:
          place(c, r.left(), r.top(), r.width(), r.height());
          break;
        case TAlign::alNone:
          break;
      }
    }
  }
}

}  // namespace kv
