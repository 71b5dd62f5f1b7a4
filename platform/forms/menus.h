#pragma once
// Main menu and menu items. An item never checks itself: its handler sets
// Checked. Radio items of one group index uncheck each other when one is
// checked, and show a round mark. An item with the caption "-" is a separator.
#include <map>
#include <string>
#include <vector>

#include "platform/forms/component.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class TForm;

class TMenuItem : public TComponent {
 public:
  // Adds a sub-item named `name` with `caption`; this item becomes a submenu.
  TMenuItem* Add(const std::string& name, const std::string& caption);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Item(int index) const { return items_.at(static_cast<size_t>(index)); }

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // The item's own flag: a hidden item keeps it (Qt reports hidden actions as disabled).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetHint(const std::string& hint);
  bool RadioItem = false;
  int GroupIndex = 0;
  bool IsSeparator() const;

  TNotifyEvent OnClick;
  // Chooses the item as a user does.
  void Click();

  QAction* Action() const { return action_; }

 protected:
  TMenuItem(TComponent* owner, QAction* action);

 private:
  friend class TMainMenu;
  QMenu* SubMenu();
  void Attach(TMenuItem* item);
  // Puts a radio item into the exclusive group of its group index among its siblings.
  void JoinRadioGroup();
  // The marks of this item and of its radio group as the items' own states say.
  void ShowCheckMarks();

  QAction* action_;
  QMenu* menu_ = nullptr;
  QMenuBar* bar_ = nullptr;  // set for the top level
  TMenuItem* parent_item_ = nullptr;
  std::vector<TMenuItem*> items_;
  std::map<int, QActionGroup*> radio_groups_;  // of the sub-items, by group index
  bool checked_ = false;
  bool enabled_ = true;
};

// The menu bar of a form: its items are the top-level entries.
class TMainMenu : public TMenuItem {
 public:
  explicit TMainMenu(TForm* form);
  TMenuItem* FindItem(const std::string& name) const;
};
