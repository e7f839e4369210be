#include "platform/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

#include "platform/ImgList.h"
#include "platform/QtText.h"

namespace kv {

KV_DEFINE_CLASS(TMenuItem, TComponent,
                {prop::String<TMenuItem>("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
                 prop::String<TMenuItem>("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
                 prop::Integer<TMenuItem>("ImageIndex", &TMenuItem::ImageIndex,
                                          &TMenuItem::SetImageIndex),
                 prop::Boolean<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
                 prop::Boolean<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)})

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) delete items_.back();
  Detach();
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  shownCaption_.reset();
  if (menu_) menu_->setTitle(ShownCaption());
  UpdateShortCuts();
}

void TMenuItem::SetUnicodeCaption(const std::u32string& caption) {
  caption_ = Utf8ToPageText(EncodeUtf8(caption));
  shownCaption_ = caption;
  if (menu_) menu_->setTitle(ShownCaption());
  UpdateShortCuts();
}

QString TMenuItem::ShownCaption() const {
  return shownCaption_ ? ToQ(*shownCaption_) : ToQ(caption_);
}

void TMenuItem::SetShortCut(const std::string& shortCut) {
  shortCut_ = shortCut;
  UpdateShortCuts();
}

void TMenuItem::SetExtraShortCuts(std::vector<std::string> keys) {
  extraShortCuts_ = std::move(keys);
  UpdateShortCuts();
}

void TMenuItem::SetHint(const std::string& hint) {
  hint_ = hint;
  if (action_ && !menu_) {
    action_->setToolTip(ToQ(hint));
    action_->setStatusTip(ToQ(hint));
  }
}

void TMenuItem::UpdateShortCuts() {
  if (!action_) return;
  if (menu_) {
    action_->setText(ShownCaption());
    return;
  }
  QList<QKeySequence> keys;
  if (!shortCut_.empty()) keys.append(QKeySequence(ToQ(shortCut_)));
  for (const std::string& key : extraShortCuts_) keys.append(QKeySequence(ToQ(key)));
  action_->setShortcuts(keys);
  // A menu shows only an action's first key on its own; text after a tab takes its place.
  QString text = ShownCaption();
  if (keys.size() > 1) {
    QStringList shown;
    for (const QKeySequence& key : keys) shown.append(key.toString(QKeySequence::NativeText));
    text += u'\t' + shown.join(QStringLiteral(", "));
  }
  action_->setText(text);
}

void TMenuItem::SetImageIndex(int index) {
  imageIndex_ = index;
  UpdatePicture();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (action_) action_->setEnabled(enabled);
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (action_) {
    action_->setCheckable(checked);
    action_->setChecked(checked);
  }
}

TImageList* TMenuItem::Images() const {
  return root_ ? root_->Images : nullptr;
}

void TMenuItem::UpdatePicture() {
  if (!action_) return;
  TImageList* images = Images();
  action_->setIcon(images && imageIndex_ >= 0 ? QIcon(images->Image(imageIndex_)) : QIcon());
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->Attach(this, index);
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  delete items_[index];
}

void TMenuItem::Click() {
  if (OnClick) SafeCall([this] { OnClick(this); });
}

void TMenuItem::Attach(TMenuItem* parent, int index) {
  parent_ = parent;
  root_ = parent->root_;
  QWidget* container = nullptr;
  QAction* before = nullptr;
  if (root_ && parent == root_->items_) {
    menu_ = new QMenu(ShownCaption(), root_->bar_);
    action_ = menu_->menuAction();
    container = root_->bar_;
  } else {
    if (!parent->menu_) {
      parent->menu_ = new QMenu(parent->ShownCaption());
      if (parent->action_) parent->action_->setMenu(parent->menu_);
    }
    action_ = new QAction(ShownCaption(), parent->menu_);
    container = parent->menu_;
    QObject::connect(action_, &QAction::triggered, action_, [this] { Click(); });
  }
  if (index + 1 < static_cast<int>(parent->items_.size()))
    before = parent->items_[index + 1]->action_;
  container->insertAction(before, action_);
  action_->setEnabled(enabled_);
  if (checked_) SetChecked(true);
  UpdateShortCuts();
  if (!hint_.empty()) SetHint(hint_);
  action_->setShortcutContext(Qt::ApplicationShortcut);
  UpdatePicture();
}

void TMenuItem::Detach() {
  if (parent_) std::erase(parent_->items_, this);
  parent_ = nullptr;
  if (menu_) {
    delete menu_;  // also its menu action
    menu_ = nullptr;
    action_ = nullptr;
  }
  delete action_;
  action_ = nullptr;
}

KV_DEFINE_CLASS(TMainMenu, TComponent, {})

TMainMenu::TMainMenu(TComponent* owner)
    : TComponent(owner), items_(new TMenuItem(nullptr)), bar_(new QMenuBar) {
  items_->root_ = this;
}

TMainMenu::~TMainMenu() {
  delete items_;
  // The bar belongs to the form's window once the menu is set on it.
  if (!bar_->parent()) delete bar_;
}

}  // namespace kv
