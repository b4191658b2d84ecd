#include "app/reset_pad.h"

#include "app/pad_state.h"
#include "shell/canvas.h"
#include "shell/controls.h"

void ResetPad() {
  std::string().swap(padState.inkText);
  const ControlRect pad = ControlPosition(Control::画板);
  PadClearRect(0, 0, pad.width, pad.height);
  SetPadPenWidth(3);
  SetPadPenColour(10);
}
