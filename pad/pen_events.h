// The pen on 画板: strokes drawn from the pad's pointer moves, and the ink text
// filled from the pointer position at every tick of the sampling timer 时钟1.
// Main thread only.
//
// Normal mode (选择框1 not ticked): a left press begins a stroke and a left
// release ends it. Dot-draw mode (ticked): a press begins a stroke, the next
// press ends it, releases do nothing. The mode is read at every press and
// release. The pad does not capture the pointer, so a release outside the pad
// leaves the stroke open and a release can arrive without a press.
#pragma once

// Left button pressed on the pad at (x, y), pad client pixels.
void PenPressed(int x, int y);
// Left button released on the pad.
void PenReleased();

// Opens (or, without a terminator, continues) a stroke at (x, y): pen down,
// pending recognition called off, sampling on.
void BeginStroke(int x, int y);
// Closes the stroke: terminator appended, sampling off, the end-of-writing
// monitor started with the pen-up as its first tick.
void EndStroke();
// Pointer moved on the pad: draws a line once the pointer is two pixels or
// more from the last drawn point along either axis.
void DrawStrokeSegment(int x, int y);
// Tick of 时钟1: appends the pointer, in sample coordinates, when it moved
// since the last sample of the run.
void SamplePen();
