#include "shell/canvas_win32.h"

#include <algorithm>

#include "shell/canvas.h"
#include "shell/events.h"
#include "shell/layout.h"

namespace {

constexpr wchar_t kPadClass[] = L"LanjianPad";

struct Canvas {
  HWND window = nullptr;
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ originalBitmap = nullptr;
  HPEN pen = nullptr;
  HGDIOBJ originalPen = nullptr;
  HBRUSH background = nullptr;
  int width = 0;  // client size of the bitmap
  int height = 0;
  int penWidth = 1;
  COLORREF penColour = 0;
};
Canvas canvas;  // one pad per run, main thread only

void SelectPen() {
  HPEN pen = CreatePen(PS_SOLID, canvas.penWidth, canvas.penColour);
  SelectObject(canvas.memory, pen);
  if (canvas.pen) DeleteObject(canvas.pen);
  canvas.pen = pen;
}

void CreateSurface(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  canvas.window = window;
  canvas.width = client.right;
  canvas.height = client.bottom;
  HDC screen = GetDC(window);
  canvas.memory = CreateCompatibleDC(screen);
  canvas.bitmap = CreateCompatibleBitmap(screen, canvas.width, canvas.height);
  ReleaseDC(window, screen);
  canvas.originalBitmap = SelectObject(canvas.memory, canvas.bitmap);
  canvas.background = CreateSolidBrush(kPadBackground);
  SelectObject(canvas.memory, canvas.background);
  SetROP2(canvas.memory, R2_COPYPEN);
  SetTextColor(canvas.memory, RGB(0, 0, 0));
  SetBkMode(canvas.memory, TRANSPARENT);
  canvas.originalPen = GetCurrentObject(canvas.memory, OBJ_PEN);
  SelectPen();
  RECT all = {0, 0, canvas.width, canvas.height};
  FillRect(canvas.memory, &all, canvas.background);
}

void DestroySurface() {
  if (!canvas.memory) return;
  SelectObject(canvas.memory, canvas.originalPen);
  SelectObject(canvas.memory, canvas.originalBitmap);
  DeleteObject(canvas.pen);
  DeleteObject(canvas.bitmap);
  DeleteObject(canvas.background);
  DeleteDC(canvas.memory);
  canvas = Canvas{};
}

LRESULT CALLBACK PadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateSurface(window);
      return 0;
    case WM_DESTROY:
      DestroySurface();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const RECT& r = paint.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas.memory, r.left, r.top, SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      OnPadLeftDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      OnPadLeftUp();
      return 0;
    case WM_MOUSEMOVE:
      OnPadMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_RBUTTONUP:
      OnPadRightUp();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreatePadWindow(HWND parent, int id, int left, int top, int width, int height) {
  static bool registered = false;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!registered) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PadProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPadClass;
    registered = RegisterClassExW(&wc) != 0;
  }
  return CreateWindowExW(0, kPadClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, left, top, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void PadClearRect(int left, int top, int width, int height) {
  if (!canvas.memory) return;
  RECT r = {left, top, left + width, top + height};
  FillRect(canvas.memory, &r, canvas.background);
  InvalidateRect(canvas.window, &r, FALSE);
}

void PadDrawLine(int fromX, int fromY, int toX, int toY) {
  if (!canvas.memory) return;
  MoveToEx(canvas.memory, fromX, fromY, nullptr);
  LineTo(canvas.memory, toX, toY);
  const int margin = canvas.penWidth + 1;
  RECT r = {std::min(fromX, toX) - margin, std::min(fromY, toY) - margin, std::max(fromX, toX) + margin + 1,
            std::max(fromY, toY) + margin + 1};
  InvalidateRect(canvas.window, &r, FALSE);
}

void SetPadPenWidth(int pixels) {
  canvas.penWidth = pixels;
  if (canvas.memory) SelectPen();
}

void SetPadPenColour(std::uint32_t colour) {
  canvas.penColour = colour;
  if (canvas.memory) SelectPen();
}

int PadPenWidth() { return canvas.penWidth; }
std::uint32_t PadPenColour() { return canvas.penColour; }
