#pragma once
// A status bar of panels with given widths; a panel may be drawn by the
// program (owner drawing), switched at run time.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/component.h"

class QPainter;
class QStatusBar;
class TForm;
class TStatusBar;

enum class TStatusPanelStyle { psText, psOwnerDraw };

struct TStatusPanel {
  std::string Text;
  int Width = 50;
  TStatusPanelStyle Style = TStatusPanelStyle::psText;
  int Index = 0;
};

// The drawing surface handed to an owner-draw handler.
class TCanvas {
 public:
  explicit TCanvas(QPainter* painter) : painter_(painter) {}
  TColor BrushColor = clBtnFace;
  TColor FontColor = clWindowText;
  void FillRect(const TRect& rect);
  // Text clipped to `rect`, starting at x, y.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);

 private:
  QPainter* painter_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TControl {
 public:
  explicit TStatusBar(TForm* form);
  TStatusPanel& AddPanel(const std::string& text, int width);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& Panel(int index);
  const TStatusPanel& Panel(int index) const { return *panels_.at(static_cast<size_t>(index)); }
  void SetPanelText(int index, const std::string& text);
  void SetPanelStyle(int index, TStatusPanelStyle style);
  TRect PanelRect(int index) const;
  // Canvas of the handler that runs now, for its drawing calls.
  TCanvas* Canvas() const { return canvas_; }
  TDrawPanelEvent OnDrawPanel;

  // Paints the bar into `painter` (the widget's own paint, and tests).
  void PaintPanels(QPainter& painter);

 private:
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  TCanvas* canvas_ = nullptr;
};
