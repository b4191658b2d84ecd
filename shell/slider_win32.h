// 滑块条1 sets MainWindow's opacity.
#pragma once

// Handler of every position change of 滑块条1 (not of the end of tracking):
// MainWindow becomes exactly WS_EX_LAYERED with the thumb's position (50 to
// 250) as its opacity; the mouse hook puts WS_EX_NOACTIVATE back at the next
// left press.
void ApplySliderAlpha();
