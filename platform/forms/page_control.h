#pragma once
// Pages with tabs. Hiding a tab keeps the positions of all pages, so code
// may address pages by the index they were created with.
#include <string>
#include <vector>

#include "platform/forms/component.h"

class QTabWidget;
class TPageControl;

class TTabSheet : public TWinControl {
 public:
  TTabSheet(TPageControl* control, const std::string& caption);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool TabVisible() const;
  void SetTabVisible(bool visible);
  int PageIndex() const;

 private:
  TPageControl* control_;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TWinControl* parent);
  // Appends a page; its index is its position.
  TTabSheet* AddPage(const std::string& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  TTabSheet* PageByCaption(const std::string& caption) const;
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  TTabSheet* ActivePage() const;
  TNotifyEvent OnChange;

  QTabWidget* Tabs() const;

 private:
  std::vector<TTabSheet*> pages_;
};
