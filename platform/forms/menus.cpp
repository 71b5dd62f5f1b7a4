#include "platform/forms/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "platform/forms/form.h"

TMenuItem::TMenuItem(TComponent* owner, QAction* action) : TComponent(owner), action_(action) {
  if (action_ == nullptr) return;
  QObject::connect(action_, &QAction::triggered, this, [this] {
    // Qt toggles a checkable action (and the rest of its group) by itself; the items' own states hold.
    ShowCheckMarks();
    Click();
  });
}

void TMenuItem::JoinRadioGroup() {
  if (!RadioItem || parent_item_ == nullptr || action_->isSeparator()) return;
  QActionGroup*& group = parent_item_->radio_groups_[GroupIndex];
  if (group == nullptr) {
    group = new QActionGroup(parent_item_);
    // Exclusive, so that the style draws radio marks; optional, so that the items' handlers may leave all unchecked.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  }
  action_->setCheckable(true);
  if (action_->actionGroup() != group) group->addAction(action_);
}

void TMenuItem::ShowCheckMarks() {
  QActionGroup* group = action_->actionGroup();
  if (group == nullptr || parent_item_ == nullptr) {
    action_->setChecked(checked_);
    return;
  }
  // The unchecked ones first: checking one action of the group unchecks the others.
  for (bool pass : {false, true})
    for (TMenuItem* sibling : parent_item_->items_)
      if (sibling->action_->actionGroup() == group && sibling->checked_ == pass) sibling->action_->setChecked(pass);
}

QMenu* TMenuItem::SubMenu() {
  if (menu_ != nullptr) return menu_;
  menu_ = new QMenu(action_->text());
  QObject::connect(this, &QObject::destroyed, menu_, [menu = menu_] { delete menu; });
  // Radio items flagged after they were added take their group before they are seen.
  QObject::connect(menu_, &QMenu::aboutToShow, this, [this] {
    for (TMenuItem* item : items_) item->JoinRadioGroup();
  });
  // The item's place in its parent now holds the submenu.
  QWidget* container = parent_item_ == nullptr ? nullptr
                                               : (parent_item_->bar_ != nullptr ? static_cast<QWidget*>(parent_item_->bar_)
                                                                                : parent_item_->menu_);
  QAction* submenu_action = menu_->menuAction();
  submenu_action->setVisible(action_->isVisible());
  submenu_action->setEnabled(enabled_);
  if (container != nullptr) {
    container->insertAction(action_, submenu_action);
    container->removeAction(action_);
  }
  QObject::disconnect(action_, nullptr, this, nullptr);
  action_->deleteLater();
  action_ = submenu_action;
  return menu_;
}

void TMenuItem::Attach(TMenuItem* item) {
  item->parent_item_ = this;
  items_.push_back(item);
  if (bar_ != nullptr) bar_->addAction(item->action_);
  else SubMenu()->addAction(item->action_);
}

TMenuItem* TMenuItem::Add(const std::string& name, const std::string& caption) {
  // A separator carries no text: the style would draw it beside the line.
  const bool separator = caption == "-";
  auto* action = new QAction(separator ? QString() : QStr(caption));
  action->setSeparator(separator);
  auto* item = new TMenuItem(this, action);
  action->setParent(item);
  item->SetName(name);
  Attach(item);
  return item;
}

std::string TMenuItem::Caption() const { return action_->isSeparator() ? "-" : StdStr(action_->text()); }
void TMenuItem::SetCaption(const std::string& caption) {
  action_->setText(QStr(caption));
  if (menu_ != nullptr) menu_->setTitle(QStr(caption));
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  JoinRadioGroup();
  action_->setCheckable(checked || RadioItem || action_->isCheckable());
  action_->setChecked(checked);
  if (checked && RadioItem && parent_item_ != nullptr) {
    for (TMenuItem* sibling : parent_item_->items_)
      if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex) sibling->SetChecked(false);
  }
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  action_->setEnabled(enabled);
}
bool TMenuItem::Visible() const { return action_->isVisible(); }
void TMenuItem::SetVisible(bool visible) { action_->setVisible(visible); }
void TMenuItem::SetHint(const std::string& hint) { action_->setStatusTip(QStr(hint)); }
bool TMenuItem::IsSeparator() const { return action_->isSeparator(); }

void TMenuItem::Click() {
  if (action_->isEnabled()) FireEvent(OnClick, this);
}

TMainMenu::TMainMenu(TForm* form) : TMenuItem(form, nullptr) { bar_ = form->MenuBar(); }

TMenuItem* TMainMenu::FindItem(const std::string& name) const {
  const auto found = findChildren<TMenuItem*>(QStr(name));
  return found.isEmpty() ? nullptr : found.front();
}
