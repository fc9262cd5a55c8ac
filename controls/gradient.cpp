#include "controls/gradient.h"

#include "support/win32/unique_handle.h"

#include <cmath>

namespace vellumark::controls {

int GradientChannel(int start, int delta, int p, int span) {
  if (p == 0 || span == 0) return start;
  const float q = static_cast<float>(span) / static_cast<float>(p);
  const float offset = static_cast<float>(delta) / q;
  return start + static_cast<int>(std::nearbyint(offset));
}

void Gradient::Paint(HDC dc, const RECT& rect, bool upDown, COLORREF start, COLORREF end) {
  const int red = GetRValue(start), green = GetGValue(start), blue = GetBValue(start);
  const int deltaRed = GetRValue(end) - red, deltaGreen = GetGValue(end) - green, deltaBlue = GetBValue(end) - blue;
  const int first = upDown ? rect.top : rect.left;
  const int last = upDown ? rect.bottom : rect.right;
  const int span = last - first;
  for (int position = first; position <= last; ++position) {
    const int p = position - first;
    win32::UniqueBrush brush(::CreateSolidBrush(RGB(GradientChannel(red, deltaRed, p, span),
                                                    GradientChannel(green, deltaGreen, p, span),
                                                    GradientChannel(blue, deltaBlue, p, span))));
    if (!brush) continue;
    const RECT line = upDown ? RECT{rect.left, position, rect.right, position + 1}
                             : RECT{position, rect.top, position + 1, rect.bottom};
    ::FillRect(dc, &line, brush.get());
  }
}

void Gradient::Show(int startRed, int startGreen, int startBlue, int endRed, int endGreen, int endBlue) const {
  RECT client{};
  if (owner_ == nullptr || !::GetClientRect(owner_, &client)) return;
  win32::WindowDc dc(owner_);
  if (!dc) return;
  Paint(dc.get(), client, upDown_, RGB(startRed, startGreen, startBlue), RGB(endRed, endGreen, endBlue));
}

}  // namespace vellumark::controls
