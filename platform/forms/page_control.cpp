#include "platform/forms/page_control.h"

#include <QTabWidget>

TTabSheet::TTabSheet(TPageControl* control, const std::string& caption)
    : TWinControl(nullptr, new QWidget), control_(control) {
  setParent(control);
  control->Tabs()->addTab(widget_, QStr(caption));
}

int TTabSheet::PageIndex() const { return control_->Tabs()->indexOf(widget_); }
std::string TTabSheet::Caption() const { return StdStr(control_->Tabs()->tabText(PageIndex())); }
void TTabSheet::SetCaption(const std::string& caption) { control_->Tabs()->setTabText(PageIndex(), QStr(caption)); }
bool TTabSheet::TabVisible() const { return control_->Tabs()->isTabVisible(PageIndex()); }
void TTabSheet::SetTabVisible(bool visible) { control_->Tabs()->setTabVisible(PageIndex(), visible); }

TPageControl::TPageControl(TWinControl* parent) : TWinControl(parent, new QTabWidget) {
  QObject::connect(Tabs(), &QTabWidget::tabBarClicked, this, [this] { FireEvent(OnChange, this); });
}

QTabWidget* TPageControl::Tabs() const { return static_cast<QTabWidget*>(widget_); }

TTabSheet* TPageControl::AddPage(const std::string& caption) {
  auto* page = new TTabSheet(this, caption);
  pages_.push_back(page);
  return page;
}

TTabSheet* TPageControl::PageByCaption(const std::string& caption) const {
  for (TTabSheet* page : pages_)
    if (page->Caption() == caption) return page;
  return nullptr;
}

int TPageControl::ActivePageIndex() const { return Tabs()->currentIndex(); }
void TPageControl::SetActivePageIndex(int index) { Tabs()->setCurrentIndex(index); }
TTabSheet* TPageControl::ActivePage() const {
  const int index = ActivePageIndex();
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}
