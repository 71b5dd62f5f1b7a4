#pragma once
// Qt key events as the class library's virtual key codes and shift states.
#include <Qt>

#include "platform/forms/graphics.h"

class QKeyEvent;

int VirtualKey(const QKeyEvent* event);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
