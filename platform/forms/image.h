#pragma once
// A picture on a form, with the mouse events the program uses.
#include <functional>
#include <string>

#include "platform/forms/component.h"

class QLabel;
class QImage;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

class TImage : public TControl {
 public:
  explicit TImage(TWinControl* parent);
  // Loads a picture file (JPEG through libjpeg); throws on a bad file.
  void LoadFromFile(const std::string& path);
  void SetPicture(const QImage& image);
  bool HasPicture() const;
  void SetStretch(bool stretch);
  TMouseEvent OnMouseDown;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  // A press of `button` at x, y with `shift`, as the user's.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);

 private:
  QLabel* label() const;
};
