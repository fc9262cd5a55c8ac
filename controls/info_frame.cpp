#include "controls/info_frame.h"

#include "controls/dpi.h"
#include "controls/gradient.h"
#include "controls/window_messages.h"
#include "support/win32/wide_string.h"

#include <windowsx.h>

namespace vellumark::controls {
namespace {

const FontDescription kCaptionFont{"Verdana", 9.75, true, false, false, false};

}  // namespace

InfoFrame::InfoFrame(const Placement& placement) {
  ResetProperties(*this);
  const RECT bounds = ScaledBounds(placement.parent, placement.bounds);
  if (!CreateHostWindow(placement.parent, bounds, WS_CHILD | WS_VISIBLE)) return;
  Update();
}

InfoFrame::~InfoFrame() { DestroyHostWindow(); }

void InfoFrame::FitToParent() {
  const HWND parent = ::GetParent(Hwnd());
  RECT client{};
  if (parent == nullptr || !::GetClientRect(parent, &client)) return;
  RECT bounds{};
  ::GetWindowRect(Hwnd(), &bounds);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  ::SetWindowPos(Hwnd(), nullptr, 0, bounds.top, client.right, Scale(kHeight, DpiForWindow(Hwnd())),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void InfoFrame::Update() {
  if (Hwnd() == nullptr) return;
  ::EnableWindow(Hwnd(), enabled_);
  const int dpi = DpiForWindow(Hwnd());
  if (auto font = CreateFontFromDescription(kCaptionFont, dpi)) captionFont_ = std::move(font);
  iconHandle_.reset();
  if (!icon_.empty()) {
    const std::wstring name = win32::Widen(icon_);
    const int size = Scale(32, dpi);
    iconHandle_.reset(static_cast<HICON>(::LoadImageW(ModuleInstance(), name.c_str(), IMAGE_ICON, size, size, 0)));
  }
  FitToParent();
  Refresh();
}

void InfoFrame::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  const int dpi = DpiForWindow(Hwnd());
  const COLORREF back = ToRgb(backColor_, RGB(0x50, 0x61, 0x79));
  const COLORREF end = ToRgb(gradientColor_, back);
  if (back != end) {
    Gradient::Paint(dc, client, false, back, end);
  } else {
    win32::UniqueBrush brush(::CreateSolidBrush(back));
    if (brush) ::FillRect(dc, &client, brush.get());
  }
  if (iconHandle_) {
    const int size = Scale(32, dpi);
    ::DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(iconHandle_.get()), 0, Scale(12, dpi), Scale(14, dpi),
                size, size, DST_ICON | (enabled_ ? DSS_NORMAL : DSS_DISABLED));
  }
  {
    win32::SelectedObject font(dc, captionFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, enabled_ ? ToRgb(foreColor_, 0) : ::GetSysColor(COLOR_GRAYTEXT));
    RECT caption{Scale(56, dpi), Scale(21, dpi), client.right - Scale(15, dpi), Scale(21 + 21, dpi)};
    const std::wstring text = win32::Widen(text_);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  const RECT upper{0, client.bottom - 2, client.right, client.bottom - 1};
  const RECT lower{0, client.bottom - 1, client.right, client.bottom};
  win32::UniqueBrush shadow(::CreateSolidBrush(RGB(0x80, 0x80, 0x80)));
  win32::UniqueBrush light(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
  if (shadow) ::FillRect(dc, &upper, shadow.get());
  if (light) ::FillRect(dc, &lower, light.get());
}

void InfoFrame::Changed(std::string_view key) {
  if (onPropertyChanged) onPropertyChanged(key);
  Update();
}

std::span<const Property<InfoFrame>> InfoFrame::Properties() {
  static const Property<InfoFrame> rows[] = {
      {"BackColor", &InfoFrame::backColor_, kDefaultColor},
      {"Enabled", &InfoFrame::enabled_, true},
      {"ForeColor", &InfoFrame::foreColor_, 0},
      {"GradientColor", &InfoFrame::gradientColor_, kDefaultColor},
      {"Icon", &InfoFrame::icon_, ""},
      {"Text", &InfoFrame::text_, ""},
  };
  return rows;
}

template <class T>
void InfoFrame::Set(std::string_view key, T value) {
  AssignProperty(*this, key, std::move(value));
  Changed(key);
}

void InfoFrame::SetBackColor(std::uint32_t value) { Set("BackColor", value); }
void InfoFrame::SetEnabled(bool value) { Set("Enabled", value); }
void InfoFrame::SetForeColor(std::uint32_t value) { Set("ForeColor", value); }
void InfoFrame::SetGradientColor(std::uint32_t value) { Set("GradientColor", value); }
void InfoFrame::SetIcon(std::string_view value) { Set("Icon", std::string(value)); }
void InfoFrame::SetText(std::string_view value) { Set("Text", std::string(value)); }

void InfoFrame::Refresh() {
  if (Hwnd() != nullptr) ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

void InfoFrame::ReadProperties(const PropertyStore& store) {
  ReadPropertyTable(*this, store);
  Update();
}

void InfoFrame::WriteProperties(PropertyStore& store) const { WritePropertyTable(*this, store); }

LRESULT InfoFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = ::BeginPaint(Hwnd(), &paint);
      Paint(dc);
      ::EndPaint(Hwnd(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole band
    case WM_WINDOWPOSCHANGING: {
      // Whoever sizes the band, it stays as wide as the form and 63 units high.
      auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
      RECT client{};
      if ((position.flags & SWP_NOSIZE) == 0 && ::GetClientRect(::GetParent(Hwnd()), &client)) {
        position.cx = client.right;
        position.cy = Scale(kHeight, DpiForWindow(Hwnd()));
      }
      return DefaultHandling(message, wParam, lParam);
    }
    case WM_LBUTTONDOWN:
      ::SetCapture(Hwnd());
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release on the band.
      if (::GetCapture() != Hwnd()) return 0;
      ::ReleaseCapture();
      RECT client{};
      ::GetClientRect(Hwnd(), &client);
      if (::PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) && onClick) onClick();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (onDblClick) onDblClick();
      return 0;
    case kDpiChangedAfterParent:
      Update();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::controls
