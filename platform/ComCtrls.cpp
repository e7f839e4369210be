#include "platform/ComCtrls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

#include "platform/FontMap.h"
#include "platform/ImgList.h"
#include "platform/QtText.h"

namespace kv {

// ---- TToolButton ------------------------------------------------------------------------------

namespace {

// A tool button that tells its own clicks from toggles made from outside: assistive tools
// offer a check button's "Toggle" action, which changes the state without a click.
class TToolButtonWidget : public QToolButton {
 public:
  bool InClick() const { return inClick_; }

 protected:
  void nextCheckState() override {
    inClick_ = true;
    QToolButton::nextCheckState();
    inClick_ = false;
  }

 private:
  bool inClick_ = false;
};

}  // namespace

KV_DEFINE_CLASS(TToolButton, TControl,
                {prop::Boolean<TToolButton>("Down", &TToolButton::Down, &TToolButton::SetDown),
                 prop::Integer<TToolButton>("ImageIndex", &TToolButton::ImageIndex,
                                            &TToolButton::SetImageIndex),
                 prop::Boolean<TToolButton>("Grouped", &TToolButton::Grouped,
                                            &TToolButton::SetGrouped)})

TToolButton::TToolButton(TComponent* owner) : TControl(owner, new TToolButtonWidget) {
  QToolButton* b = Button();
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  b->setIconSize(QSize(16, 16));
  b->setFixedSize(23, 22);
  QObject::connect(b, &QToolButton::clicked, b, [this] { Clicked(); });
  QObject::connect(b, &QToolButton::toggled, b, [this](bool) {
    // A toggle from outside does what a click does: undo it and click.
    if (static_cast<TToolButtonWidget*>(Button())->InClick()) return;
    {
      const QSignalBlocker block(Button());
      Button()->setChecked(!Button()->isChecked());
    }
    PerformClick();
  });
}

QToolButton* TToolButton::Button() const {
  return static_cast<QToolButton*>(Peer());
}

TToolBar* TToolButton::Bar() const {
  return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  style_ = style;
  QToolButton* b = Button();
  b->setCheckable(style == TToolButtonStyle::tbsCheck);
  if (style == TToolButtonStyle::tbsSeparator) {
    b->setEnabled(false);
    b->setAutoRaise(true);
    b->setText(QString());
    b->setAccessibleName(QString());
  }
}

bool TToolButton::Down() const {
  return style_ == TToolButtonStyle::tbsCheck ? Button()->isChecked() : Button()->isDown();
}

void TToolButton::SetDown(bool down) {
  const QSignalBlocker block(Button());
  // A check button shows its state as checked; a plain one is drawn pressed.
  if (style_ == TToolButtonStyle::tbsCheck)
    Button()->setChecked(down);
  else
    Button()->setDown(down);
  if (down && grouped_ && Bar())
    for (TToolButton* other : Bar()->GroupOf(this))
      if (other != this) other->SetDown(false);
}

void TToolButton::SetImageIndex(int index) {
  imageIndex_ = index;
  TToolBar* bar = Bar();
  if (bar && bar->Images && index >= 0) Button()->setIcon(QIcon(bar->Images->Image(index)));
}

void TToolButton::CaptionChanged() {
  // A separator shows nothing; other buttons show only their picture, but assistive tools read
  // the caption (a button without a picture would draw it as text).
  if (style_ == TToolButtonStyle::tbsSeparator) return;
  Button()->setText(ToQ(Caption()));
  UpdateAccessibleName();
}

void TToolButton::HintChanged() {
  if (style_ != TToolButtonStyle::tbsSeparator) UpdateAccessibleName();
}

void TToolButton::UpdateAccessibleName() {
  // A picture button is named by its hint ("Schrift Fett"); the caption stands in without one.
  Button()->setAccessibleName(ToQ(Hint().empty() ? Caption() : Hint()));
}

void TToolButton::PerformClick() {
  if (style_ == TToolButtonStyle::tbsCheck) {
    // A grouped button stays down when clicked again: one of the group is always down.
    if (!(grouped_ && Down())) SetDown(!Down());
  }
  Clicked();
}

void TToolButton::Clicked() {
  if (style_ == TToolButtonStyle::tbsSeparator) return;
  if (grouped_ && style_ == TToolButtonStyle::tbsCheck) SetDown(true);
  Click();
}

// ---- TToolBar ---------------------------------------------------------------------------------

KV_DEFINE_CLASS(TToolBar, TControl, {})

TToolBar::TToolBar(TComponent* owner) : TControl(owner, new QWidget) {
  auto* layout = new QHBoxLayout(Peer());
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  layout->addStretch(1);
  Peer()->setAccessibleName(QStringLiteral("ToolBar"));
}

QHBoxLayout* TToolBar::Layout() const {
  return static_cast<QHBoxLayout*>(Peer()->layout());
}

void TToolBar::AddControl(TControl* control) {
  control->SetParent(this);
  order_.push_back(control);
  // Before the final stretch.
  Layout()->insertWidget(Layout()->count() - 1, control->Peer(), 0, Qt::AlignVCenter);
  if (auto* b = dynamic_cast<TToolButton*>(control)) {
    if (b->Style() == TToolButtonStyle::tbsSeparator) b->Peer()->setFixedSize(b->Width(), 22);
    b->SetImageIndex(b->ImageIndex());
  } else {
    control->Peer()->setFixedWidth(control->Width());
  }
}

void TToolBar::UpdateImages() {
  for (TControl* c : order_)
    if (auto* b = dynamic_cast<TToolButton*>(c)) b->SetImageIndex(b->ImageIndex());
}

std::vector<TToolButton*> TToolBar::GroupOf(TToolButton* button) const {
  std::vector<TToolButton*> group;
  auto isGrouped = [](TControl* c) {
    auto* b = dynamic_cast<TToolButton*>(c);
    return b && b->Grouped() && b->Style() == TToolButtonStyle::tbsCheck ? b : nullptr;
  };
  auto it = std::find(order_.begin(), order_.end(), button);
  if (it == order_.end()) return group;
  auto first = it;
  while (first != order_.begin() && isGrouped(*(first - 1))) --first;
  for (auto j = first; j != order_.end() && isGrouped(*j); ++j) group.push_back(isGrouped(*j));
  return group;
}

// ---- TStatusBar -------------------------------------------------------------------------------

KV_DEFINE_CLASS(TStatusBar, TControl,
                {prop::String<TStatusBar>("SimpleText", &TStatusBar::SimpleText,
                                          &TStatusBar::SetSimpleText)})

TStatusBar::TStatusBar(TComponent* owner) : TControl(owner, new QStatusBar), panel_(new QLabel) {
  auto* bar = static_cast<QStatusBar*>(Peer());
  bar->setSizeGripEnabled(true);
  panel_->setTextFormat(Qt::PlainText);
  panel_->setFrameShape(QFrame::StyledPanel);
  panel_->setFrameShadow(QFrame::Sunken);
  bar->addWidget(panel_, 1);
  SetHeight(22);
}

std::string TStatusBar::SimpleText() const {
  return FromQ(panel_->text());
}

void TStatusBar::SetSimpleText(const std::string& text) {
  panel_->setText(ToQ(text));
  panel_->setAccessibleName(ToQ(text));
}

void TStatusBar::SetSimpleUnicodeText(const std::u32string& text) {
  panel_->setText(ToQ(text));
  panel_->setAccessibleName(ToQ(text));
}

std::u32string TStatusBar::SimpleUnicodeText() const {
  const QList<uint> units = panel_->text().toUcs4();
  return std::u32string(units.begin(), units.end());
}

void TStatusBar::FontChanged() {
  TControl::FontChanged();
  panel_->setFont(ToQFont(*Font()));
}

}  // namespace kv
