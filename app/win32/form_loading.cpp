#include "app/win32/form_loading.h"

#include "controls/dpi.h"
#include "support/win32/wide_string.h"
#include "support/win32/window_helpers.h"

#include <algorithm>

namespace vellumark::gui {
namespace {

// Layout in 96-DPI units.
constexpr int kLeastWidth = 240;
constexpr int kHeight = 64;
constexpr int kShapeInset = 6;     // window edge to the framing shape
constexpr int kTextPadding = 24;   // framing shape to the text, left and right

}  // namespace

FormLoading::~FormLoading() { Close(); }

void FormLoading::SetText(std::string_view text) {
  text_ = text;
  if (Hwnd() == nullptr) return;
  ::SetWindowTextW(label_, win32::Widen(text_).c_str());
  Layout();
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool FormLoading::Show() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  if (Hwnd() == nullptr) {
    if (!CreateHostWindow(nullptr, RECT{0, 0, 0, 0}, WS_POPUP | WS_DLGFRAME, WS_EX_TOOLWINDOW)) return false;
    label_ = ::CreateWindowExW(0, L"STATIC", win32::Widen(text_).c_str(),
                               WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0, 0, 0, Hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelLoading)),
                               controls::ModuleInstance(), nullptr);
    font_ = win32::MessageFont(controls::DpiForWindow(Hwnd()));
    ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    Layout();
  }
  ::ShowWindow(Hwnd(), SW_SHOW);
  // The caller keeps the thread busy, so paint everything now.
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return true;
}

void FormLoading::Close() {
  if (Hwnd() == nullptr) return;
  DestroyHostWindow();
  label_ = nullptr;
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void FormLoading::Layout() {
  const int dpi = controls::DpiForWindow(Hwnd());
  const std::wstring text = win32::Widen(text_);
  SIZE textSize{};
  {
    const win32::WindowDc dc(label_);
    const win32::SelectedObject font(dc.get(), font_.get());
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &textSize);
  }
  const int inset = controls::Scale(kShapeInset, dpi);
  const int padding = controls::Scale(kTextPadding, dpi);
  const int clientWidth =
      std::max(controls::Scale(kLeastWidth, dpi), static_cast<int>(textSize.cx) + 2 * (inset + padding));
  const int clientHeight = controls::Scale(kHeight, dpi);

  RECT bounds{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&bounds, static_cast<DWORD>(::GetWindowLongPtrW(Hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)));
  const LONG width = bounds.right - bounds.left;
  const LONG height = bounds.bottom - bounds.top;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& screen = info.rcMonitor;
  ::SetWindowPos(Hwnd(), nullptr, (screen.left + screen.right - width) / 2, (screen.top + screen.bottom - height) / 2,
                 width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(label_, nullptr, inset + padding, inset + 2, clientWidth - 2 * (inset + padding),
                 clientHeight - 2 * (inset + 2), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormLoading::PaintShape(HDC dc) {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  const int inset = controls::Scale(kShapeInset, controls::DpiForWindow(Hwnd()));
  RECT shape{client.left + inset, client.top + inset, client.right - inset, client.bottom - inset};
  ::DrawEdge(dc, &shape, EDGE_ETCHED, BF_RECT);
}

LRESULT FormLoading::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // painted with the shape
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = ::BeginPaint(Hwnd(), &paint);
      PaintShape(dc);
      ::EndPaint(Hwnd(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintShape(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::gui
