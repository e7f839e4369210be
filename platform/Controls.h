// TControl: a component that owns a Qt peer widget. It keeps the framework's view of a control
// (caption, hint, font with parent-font following, bounds, alignment, visibility) and pushes it
// to the peer; user actions on the peer come back as the control's events.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/classes/Graphics.h"

namespace kv {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};
enum class TCursor { crDefault, crArrow, crIBeam, crHandPoint };

using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;

// Runs a handler as the framework's message dispatch does: an error that leaves it is shown in
// the standard error box (TApplication::HandleException) and the program goes on. False when
// the handler failed.
bool SafeCall(const std::function<void()>& handler);

class TControl : public TComponent {
  KV_DECLARE_CLASS()
  // Takes ownership of peer (which must have no Qt parent yet).
  TControl(TComponent* owner, QWidget* peer);
  ~TControl() override;

  QWidget* Peer() const { return peer_; }
  // The widget children are placed in (a form's client area, a panel, a scroll box's viewport).
  virtual QWidget* ClientWidget() const { return peer_; }

  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent);
  int ControlCount() const { return static_cast<int>(children_.size()); }
  TControl* Controls(int index) const { return children_.at(index); }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  // Writing the Font property assigns; the control then no longer follows its parent's font.
  void SetFontObject(TPersistent* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool follow);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  int TabOrder = 0;

  bool Focused() const;
  void SetFocus();
  bool CanFocus() const;
  // Whether Tab and a click give the control the focus.
  void SetFocusable(bool focusable);

  TNotifyEvent OnClick;
  TKeyEvent OnKeyDown;

  // Lays the aligned children out in the client area, as the framework does on every resize.
  void Realign();

 protected:
  // Controls whose peer has no click of its own (labels, pictures) take clicks, and Enter or
  // Space while focused, as OnClick when they have one.
  virtual bool TakesClicks() const { return false; }
  // Pushes the caption to the peer; controls that show it override this.
  virtual void CaptionChanged() {}
  virtual void HintChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged() {}
  // Fires OnClick safely; for subclasses' peers. False when the handler failed.
  bool Click();
  // Routes an inner widget's keys (and, for the client area, resizes) through this control.
  void WatchWidget(QWidget* widget);
  // For controls whose peer can only be made once the object is complete (forms).
  void ReplacePeer(QWidget* peer);

 private:
  friend class TControlEventFilter;
  void ParentFontChanged();
  void ApplyBounds();
  QPointer<QWidget> peer_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  std::string caption_;
  std::string hint_;
  bool showHint_ = true;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool visible_ = true;
  bool enabled_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  TCursor cursor_ = TCursor::crDefault;
  bool applyingFont_ = false;
  QObject* filter_ = nullptr;
};

}  // namespace kv
