// A linear colour gradient over a rectangle: from the start colour at the
// left (top) edge to the end colour at the right (bottom) edge, one line of
// one colour per pixel.
#pragma once

#include "support/win32/windows_gate.h"

namespace vellumark::controls {

// The channel value at position p of a span S from `start` changing by
// `delta`: start + delta * p / S rounded to the nearest (ties to even), in
// single precision; `start` when p or S is 0.
int GradientChannel(int start, int delta, int p, int span);

class Gradient {
 public:
  HWND OwnerHwnd() const { return owner_; }
  void SetOwnerHwnd(HWND value) { owner_ = value; }
  bool UpDown() const { return upDown_; }  // true: top to bottom; false: left to right
  void SetUpDown(bool value) { upDown_ = value; }

  // Paints the owner's client area, channels 0..255.
  void Show(int startRed, int startGreen, int startBlue, int endRed, int endGreen, int endBlue) const;

  // Paints `rect` in `dc` from `start` to `end`.
  static void Paint(HDC dc, const RECT& rect, bool upDown, COLORREF start, COLORREF end);

 private:
  HWND owner_ = nullptr;
  bool upDown_ = false;
};

}  // namespace vellumark::controls
