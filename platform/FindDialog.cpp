#include "platform/FindDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/QtText.h"

namespace kv {

namespace {

// Hides the dialog together with its owner's window.
class TOwnerHidden : public QObject {
 public:
  TOwnerHidden(QWidget* owner, QDialog* dialog) : QObject(dialog), dialog_(dialog) {
    owner->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) dialog_->hide();
    return false;
  }

 private:
  QDialog* dialog_;
};

TForm* OwnerForm(TComponent* c) {
  for (; c; c = c->Owner())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

void Describe(QWidget* w, const std::string& caption, const std::string& hint) {
  QString name = ToQ(caption);
  name.remove(QLatin1Char('&'));
  w->setAccessibleName(name);
  w->setToolTip(ToQ(hint));
  w->setAccessibleDescription(ToQ(hint));
}

}  // namespace

KV_DEFINE_CLASS(TFindDialog, TComponent, {})

TFindDialog::TFindDialog(TComponent* owner) : TComponent(owner) {}

TFindDialog::~TFindDialog() {
  delete dialog_;
}

std::string TFindDialog::FindText() const {
  if (!text_) return findText_;
  return ToPageText(text_->text());
}

void TFindDialog::SetFindText(const std::string& pageText) {
  findText_ = pageText;
  if (text_) text_->setText(ToQ(pageText));
}

void TFindDialog::SetOptions(TFindOptions options) {
  options_ = options;
  if (!dialog_) return;
  down_->setChecked(options & frDown);
  up_->setChecked(!(options & frDown));
  matchCase_->setChecked(options & frMatchCase);
  wholeWord_->setChecked(options & frWholeWord);
}

void TFindDialog::SetTexts(const TFindDialogTexts& texts) {
  texts_ = texts;
  if (dialog_) ApplyTexts();
}

void TFindDialog::Build() {
  TForm* form = OwnerForm(Owner());
  dialog_ = new QDialog(form ? form->Window() : nullptr);
  dialog_->setModal(false);
  if (form && form->Window()) new TOwnerHidden(form->Window(), dialog_);
  dialog_->setSizeGripEnabled(false);

  textLabel_ = new QLabel;
  text_ = new QLineEdit;
  text_->setMaxLength(MaxFindText);
  text_->setText(ToQ(findText_));
  textLabel_->setBuddy(text_);
  wholeWord_ = new QCheckBox;
  matchCase_ = new QCheckBox;
  direction_ = new QGroupBox;
  up_ = new QRadioButton;
  down_ = new QRadioButton;
  auto* directions = new QHBoxLayout(direction_);
  directions->addWidget(up_);
  directions->addWidget(down_);
  findButton_ = new QPushButton;
  findButton_->setDefault(true);
  cancelButton_ = new QPushButton;

  auto* left = new QVBoxLayout;
  auto* line = new QHBoxLayout;
  line->addWidget(textLabel_);
  line->addWidget(text_, 1);
  left->addLayout(line);
  auto* options = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  checks->addWidget(wholeWord_);
  checks->addWidget(matchCase_);
  checks->addStretch();
  options->addLayout(checks);
  options->addWidget(direction_);
  left->addLayout(options);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(findButton_);
  buttons->addWidget(cancelButton_);
  buttons->addStretch();
  auto* all = new QHBoxLayout(dialog_);
  all->addLayout(left, 1);
  all->addLayout(buttons);

  QObject::connect(findButton_, &QPushButton::clicked, dialog_, [this] { FindPressed(); });
  QObject::connect(cancelButton_, &QPushButton::clicked, dialog_, [this] { CloseDialog(); });
  QObject::connect(text_, &QLineEdit::textChanged, dialog_,
                   [this] { findButton_->setEnabled(!text_->text().isEmpty()); });
  findButton_->setEnabled(!text_->text().isEmpty());
  SetOptions(options_);
  ApplyTexts();
}

void TFindDialog::ApplyTexts() {
  dialog_->setWindowTitle(ToQ(texts_.Caption));
  textLabel_->setText(ToQ(texts_.FindWhat));
  wholeWord_->setText(ToQ(texts_.WholeWord));
  matchCase_->setText(ToQ(texts_.MatchCase));
  direction_->setTitle(ToQ(texts_.Direction));
  up_->setText(ToQ(texts_.Up));
  down_->setText(ToQ(texts_.Down));
  findButton_->setText(ToQ(texts_.FindNext));
  cancelButton_->setText(ToQ(texts_.Cancel));
  Describe(text_, texts_.FindWhat, texts_.TextHint);
  Describe(wholeWord_, texts_.WholeWord, texts_.WholeWordHint);
  Describe(matchCase_, texts_.MatchCase, texts_.MatchCaseHint);
  Describe(direction_, texts_.Direction, texts_.DirectionHint);
  Describe(up_, texts_.Up, texts_.DirectionHint);
  Describe(down_, texts_.Down, texts_.DirectionHint);
  Describe(findButton_, texts_.FindNext, texts_.FindNextHint);
  Describe(cancelButton_, texts_.Cancel, texts_.CancelHint);
  dialog_->adjustSize();
}

TFindOptions TFindDialog::Options() const {
  if (!dialog_) return options_;
  TFindOptions options = options_ & ~(frDown | frMatchCase | frWholeWord);
  if (down_->isChecked()) options |= frDown;
  if (matchCase_->isChecked()) options |= frMatchCase;
  if (wholeWord_->isChecked()) options |= frWholeWord;
  return options;
}

void TFindDialog::PlaceBesideOwner() {
  QWidget* owner = dialog_->parentWidget();
  if (!owner) return;
  // At the owner's right edge, below its buttons, so the start of the lines stays visible.
  const QRect frame = owner->frameGeometry();
  QPoint at(frame.right() - dialog_->width() - 24, frame.top() + 80);
  if (QScreen* screen = owner->screen()) {
    const QRect room = screen->availableGeometry();
    at.setX(
        std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - dialog_->width())));
    at.setY(
        std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - dialog_->height())));
  }
  dialog_->move(at);
}

bool TFindDialog::Execute() {
  if (!dialog_) Build();
  if (!dialog_->isVisible()) {
    if (!placed_) {
      PlaceBesideOwner();
      placed_ = true;
    }
    dialog_->show();
  }
  dialog_->raise();
  dialog_->activateWindow();
  text_->setFocus();
  text_->selectAll();
  return true;
}

void TFindDialog::CloseDialog() {
  if (!dialog_ || !dialog_->isVisible()) return;
  const bool hadKeyboard = dialog_->isActiveWindow();
  dialog_->hide();
  // The keyboard goes back to the owner's window (no window manager does it for us).
  if (hadKeyboard && dialog_->parentWidget()) dialog_->parentWidget()->activateWindow();
}

bool TFindDialog::Showing() const {
  return dialog_ && dialog_->isVisible();
}

void TFindDialog::FindPressed() {
  options_ = Options() | frFindNext;
  if (OnFind) SafeCall([this] { OnFind(this); });
}

}  // namespace kv
