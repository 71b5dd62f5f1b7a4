#pragma once
// Colours, fonts, shift states and rectangles of the form classes.
#include <cstdint>
#include <string>

class QColor;
class QFont;
class QWidget;

// 0x00BBGGRR as the class library holds colours; values with the top bit set
// are system colours.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clWindow = 0x80000005;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

QColor ToQColor(TColor color);

// Keyboard and mouse state of an input event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// The font the windows' layouts are made for: an 8-point sans serif at
// 96 dpi (11 pixels), metric-compatible with the Windows form font where
// such a font is installed.
QFont FormFont();

// Font of one control: changes apply to the control at once.
class TFont {
 public:
  explicit TFont(QWidget* widget) : widget_(widget) {}
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  void SetHeight(int pixels);
  void SetBold(bool bold);
  bool Bold() const;

 private:
  QWidget* widget_;
  TColor color_ = clWindowText;
};

// Virtual key codes that handlers compare with.
constexpr int VK_RETURN = 0x0D;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_F10 = 0x79;
