#include "platform/StdCtrls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include "platform/FontMap.h"
#include "platform/Forms.h"
#include "platform/QtText.h"

namespace kv {

// ---- TLabel -----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TLabel, TControl,
                {prop::Boolean<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)})

TLabel::TLabel(TComponent* owner) : TControl(owner, new QLabel) {
  Label()->setTextFormat(Qt::PlainText);
}

QLabel* TLabel::Label() const {
  return static_cast<QLabel*>(Peer());
}

void TLabel::CaptionChanged() {
  Label()->setText(ToQ(Caption()));
  if (AutoSize && !wordWrap_) {
    const int right = Left() + Width();
    Label()->adjustSize();
    const int width = Label()->width();
    const int left =
        alignment_ == TAlignment::taRightJustify && Width() > 0 ? right - width : Left();
    TControl::SetBounds(left, Top(), width, Label()->height());
  }
}

void TLabel::SetFocusControl(TControl* control) {
  Label()->setBuddy(control ? control->Peer() : nullptr);
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  CaptionChanged();
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Qt::Alignment q = a == TAlignment::taRightJustify ? Qt::AlignRight
                    : a == TAlignment::taCenter     ? Qt::AlignHCenter
                                                    : Qt::AlignLeft;
  Label()->setAlignment(q | Qt::AlignTop);
}

void TLabel::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  Label()->setWordWrap(wrap);
}

// ---- TEdit ------------------------------------------------------------------------------------

KV_DEFINE_CLASS(TEdit, TControl,
                {prop::String<TEdit>("Text", &TEdit::Text, &TEdit::SetText),
                 prop::Integer<TEdit>("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)})

TEdit::TEdit(TComponent* owner) : TControl(owner, new QLineEdit) {
  QObject::connect(Edit(), &QLineEdit::textChanged, Edit(), [this] {
    if (OnChange) SafeCall([this] { OnChange(this); });
  });
}

QLineEdit* TEdit::Edit() const {
  return static_cast<QLineEdit*>(Peer());
}
std::string TEdit::Text() const {
  return FromQ(Edit()->text());
}

void TEdit::SetText(const std::string& text) {
  SetPeerText(ToQ(text));
}

std::u32string TEdit::UnicodeText() const {
  const QList<uint> codes = Edit()->text().toUcs4();
  return std::u32string(codes.begin(), codes.end());
}

void TEdit::SetUnicodeText(std::u32string_view text) {
  SetPeerText(QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())));
}

void TEdit::SetPeerText(const QString& text) {
  // The length limit binds what the user types; text set by the program is not cut.
  const int limit = maxLength_ > 0 ? maxLength_ : 32767;
  if (text.size() > limit) Edit()->setMaxLength(static_cast<int>(text.size()));
  Edit()->setText(text);
  Edit()->setMaxLength(std::max(limit, static_cast<int>(Edit()->text().size())));
}

void TEdit::SetMaxLength(int length) {
  maxLength_ = length;
  Edit()->setMaxLength(length > 0 ? length : 32767);
}

// ---- TCustomComboBox --------------------------------------------------------------------------

KV_DEFINE_CLASS(
    TCustomComboBox, TControl,
    {prop::Object<TCustomComboBox>(
         "Items", "TStrings", [](TCustomComboBox& c) -> TPersistent* { return c.Items(); },
         &TCustomComboBox::SetItemsObject),
     prop::Integer<TCustomComboBox>("ItemIndex", &TCustomComboBox::ItemIndex,
                                    &TCustomComboBox::SetItemIndex),
     prop::String<TCustomComboBox>("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText),
     prop::Integer<TCustomComboBox>("DropDownCount", &TCustomComboBox::DropDownCount,
                                    &TCustomComboBox::SetDropDownCount)})
KV_DEFINE_CLASS(TComboBox, TCustomComboBox, {})

namespace {

// The opened list is as wide as its widest entry, as the framework's lists are: the boxes are
// designed narrow, and a translated entry may be longer than the box.
class TComboWidget : public QComboBox {
 public:
  void showPopup() override {
    QAbstractItemView* list = view();
    int width = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems()) width += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(width);
    QComboBox::showPopup();
  }
};

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TControl(owner, new TComboWidget), items_(std::make_unique<TStringList>()) {
  QComboBox* c = Combo();
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  WatchWidget(c->lineEdit());
  items_->OnChange = [this](TObject*) { SyncItems(); };
  QObject::connect(c, &QComboBox::activated, c, [this](int) { UserChanged(); });
  QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c,
                   [this](const QString&) { UserChanged(); });
}

TCustomComboBox::~TCustomComboBox() {
  items_->OnChange = nullptr;
}

QComboBox* TCustomComboBox::Combo() const {
  return static_cast<QComboBox*>(Peer());
}

void TCustomComboBox::UserChanged() {
  if (syncing_) return;
  if (OnChange) SafeCall([this] { OnChange(this); });
}

void TCustomComboBox::SyncItems() {
  QComboBox* c = Combo();
  syncing_ = true;
  const QSignalBlocker block(c);
  const int index = c->currentIndex();
  const QString text = c->currentText();
  const int n = items_->Count();
  // Overwrite in place so that an entry replaced by a translation keeps its position.
  while (c->count() > n) c->removeItem(c->count() - 1);
  for (int i = 0; i < n; ++i) {
    if (i < c->count())
      c->setItemText(i, ToQ(items_->StringRef(i)));
    else
      c->addItem(ToQ(items_->StringRef(i)));
  }
  if (index >= 0 && index < n) {
    c->setCurrentIndex(index);
  } else {
    c->setCurrentIndex(-1);
    c->setEditText(text);
  }
  syncing_ = false;
}

void TCustomComboBox::HintChanged() {
  Combo()->setAccessibleName(ToQ(Hint()));
}

void TCustomComboBox::SetItemsObject(TPersistent* items) {
  items_->Assign(items);
}

int TCustomComboBox::ItemIndex() const {
  QComboBox* c = Combo();
  // Typed text that names no entry selects none, as in the framework.
  if (c->currentIndex() >= 0 && c->itemText(c->currentIndex()) != c->currentText()) return -1;
  return c->currentIndex();
}

void TCustomComboBox::SetItemIndex(int index) {
  QComboBox* c = Combo();
  const QSignalBlocker block(c);
  syncing_ = true;
  if (index < 0 || index >= c->count()) {
    c->setCurrentIndex(-1);
    c->setEditText(QString());
  } else {
    c->setCurrentIndex(index);
  }
  syncing_ = false;
}

std::string TCustomComboBox::Text() const {
  return FromQ(Combo()->currentText());
}

void TCustomComboBox::SetText(const std::string& text) {
  QComboBox* c = Combo();
  const QSignalBlocker block(c);
  syncing_ = true;
  int found = c->findText(ToQ(text), Qt::MatchExactly);
  if (found >= 0) {
    c->setCurrentIndex(found);
  } else {
    c->setCurrentIndex(-1);
    c->setEditText(ToQ(text));
  }
  syncing_ = false;
}

void TCustomComboBox::SetDropDownCount(int count) {
  dropDownCount_ = count;
  Combo()->setMaxVisibleItems(count);
}

// ---- TCheckBox --------------------------------------------------------------------------------

KV_DEFINE_CLASS(TCheckBox, TControl,
                {prop::Boolean<TCheckBox>("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)})

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner, new QCheckBox) {
  QObject::connect(static_cast<QCheckBox*>(Peer()), &QCheckBox::clicked, Peer(),
                   [this] { Click(); });
}

bool TCheckBox::Checked() const {
  return static_cast<QCheckBox*>(Peer())->isChecked();
}
void TCheckBox::SetChecked(bool checked) {
  static_cast<QCheckBox*>(Peer())->setChecked(checked);
}
void TCheckBox::CaptionChanged() {
  static_cast<QCheckBox*>(Peer())->setText(ToQ(Caption()));
}

// ---- TButton ----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TButton, TControl,
                {prop::Integer<TButton>(
                     "ModalResult", [](TButton& b) { return b.ModalResult; },
                     [](TButton& b, std::int64_t v) { b.ModalResult = static_cast<int>(v); }),
                 prop::Boolean<TButton>("Default", &TButton::Default, &TButton::SetDefault)})
KV_DEFINE_CLASS(TBitBtn, TButton, {})
KV_DEFINE_CLASS(TSpeedButton, TButton, {})

TButton::TButton(TComponent* owner) : TButton(owner, new QPushButton) {}

TButton::TButton(TComponent* owner, QAbstractButton* peer) : TControl(owner, peer) {
  QObject::connect(peer, &QAbstractButton::clicked, peer, [this] { Clicked(); });
}

TSpeedButton::TSpeedButton(TComponent* owner) : TButton(owner, new QToolButton) {
  auto* b = static_cast<QToolButton*>(Peer());
  b->setAutoRaise(true);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setFocusPolicy(Qt::NoFocus);
}

QAbstractButton* TButton::Button() const {
  return static_cast<QAbstractButton*>(Peer());
}

void TButton::CaptionChanged() {
  Button()->setText(ToQ(Caption()));
}

void TButton::SetDefault(bool d) {
  default_ = d;
  if (auto* p = dynamic_cast<QPushButton*>(Button())) {
    p->setDefault(d);
    p->setAutoDefault(d);
  }
}

bool TButton::TabStop() const {
  return Button()->focusPolicy() & Qt::TabFocus;
}
void TButton::SetTabStop(bool stop) {
  Button()->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}
void TButton::SetGlyph(const QPixmap& glyph) {
  Button()->setIcon(QIcon(glyph));
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  if (kind == TBitBtnKind::bkCustom) return;
  const bool ok = kind == TBitBtnKind::bkOK;
  Button()->setIcon(Button()->style()->standardIcon(ok ? QStyle::SP_DialogOkButton
                                                       : QStyle::SP_DialogCancelButton));
  ModalResult = ok ? mrOk : mrAbort;
  if (ok) SetDefault(true);
}

void TButton::PerformClick() {
  Clicked();
}

void TButton::Clicked() {
  // A handler that failed keeps its window open, so the user can try again or cancel.
  if (!Click() || ModalResult == mrNone) return;
  for (TComponent* o = Owner(); o; o = o->Owner())
    if (auto* form = dynamic_cast<TForm*>(o)) {
      form->SetModalResult(ModalResult);
      break;
    }
}

}  // namespace kv
