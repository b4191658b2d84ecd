// Where the events of MainWindow's controls go. The window procedures turn
// Win32 messages into these calls; each one routes to the handler that owns
// the event.
#pragma once
#include "shell/controls.h"

void OnClick(Control control);
void OnTimerTick(Control timer);
// Pointer events of 画板, in pad client pixels.
void OnPadLeftDown(int x, int y);
void OnPadLeftUp();
void OnPadMove(int x, int y);
void OnPadRightUp();
