// Drawing on the writing pad 画板. Coordinates are pad client pixels. Drawing
// goes to the pad's off-screen bitmap, from which the pad repaints itself.
#pragma once
#include <cstdint>

// Paints the rectangle with the pad's background colour (white).
void PadClearRect(int left, int top, int width, int height);
// A straight line with the pad's current pen.
void PadDrawLine(int fromX, int fromY, int toX, int toY);
void SetPadPenWidth(int pixels);
// A Windows colour value 0x00BBGGRR.
void SetPadPenColour(std::uint32_t colour);
int PadPenWidth();
std::uint32_t PadPenColour();
