// Menus: a main menu bar of items, each item a caption with shortcut and picture; items can be
// added and removed at run time (the recent-file entries).
#pragma once

#include <QKeySequence>
#include <optional>
#include <string>
#include <vector>

#include "platform/Controls.h"

class QAction;
class QMenu;
class QMenuBar;

namespace kv {

class TImageList;
class TMainMenu;

class TMenuItem : public TComponent {
  KV_DECLARE_CLASS()
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A caption of characters beyond the code page (a file name); Caption() then holds it as
  // page text.
  void SetUnicodeCaption(const std::u32string& caption);
  // A shortcut in Qt's portable text form ("Alt+O", "F2"); empty for none.
  const std::string& ShortCut() const { return shortCut_; }
  void SetShortCut(const std::string& shortCut);
  // Further keys that run the item; the menu shows them after the first ("Alt+O, Ctrl+O").
  const std::vector<std::string>& ExtraShortCuts() const { return extraShortCuts_; }
  void SetExtraShortCuts(std::vector<std::string> keys);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  const std::string& Hint() const { return hint_; }
  // Shown as the item's tool tip and status tip.
  void SetHint(const std::string& hint);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Removes and frees the item at index, as the framework's Delete of a run-time item does.
  void Delete(int index);
  TMenuItem* ParentItem() const { return parent_; }
  // Runs OnClick as a click on the item does.
  void Click();

  TNotifyEvent OnClick;
  QAction* Action() const { return action_; }
  QMenu* SubMenu() const { return menu_; }

 private:
  friend class TMainMenu;
  void Attach(TMenuItem* parent, int index);
  void Detach();
  void UpdatePicture();
  void UpdateShortCuts();
  QString ShownCaption() const;
  TImageList* Images() const;
  std::string caption_, shortCut_, hint_;
  // What the menu shows when the caption came as Unicode (a recent page's path): the page-text
  // form in caption_ would show its references.
  std::optional<std::u32string> shownCaption_;
  std::vector<std::string> extraShortCuts_;
  int imageIndex_ = -1;
  bool enabled_ = true, checked_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMainMenu* root_ = nullptr;
  QAction* action_ = nullptr;
  QMenu* menu_ = nullptr;
};

class TMainMenu : public TComponent {
  KV_DECLARE_CLASS()
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  TMenuItem* Items() const {
    return items_;
  }  // the invisible root; its children are the bar's menus
  QMenuBar* MenuBar() const { return bar_; }
  TImageList* Images = nullptr;

 private:
  friend class TMenuItem;
  TMenuItem* items_;
  QMenuBar* bar_;
};

}  // namespace kv
