#pragma once

// Starts a new character: empties the ink text, clears 画板 and gives it the
// writing pen (width 3, colour 10). Leaves the pen state, the timers, the
// candidates and any running recognition alone.
void ResetPad();
