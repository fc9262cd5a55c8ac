#include "controls/progress_bar.h"

#include <commctrl.h>

namespace vellumark::controls {

ProgressBar::ProgressBar(const Placement& placement) {
  InitCommonControlClasses(ICC_PROGRESS_CLASS);
  if (!CreateHostWindow(placement.parent, ScaledBounds(placement.parent, placement.bounds), WS_CHILD | WS_VISIBLE))
    return;
  Update(true);
}

ProgressBar::~ProgressBar() { DestroyHostWindow(); }

void ProgressBar::CreateBar() {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (orientation_ != 0) style |= PBS_VERTICAL;
  if (scrolling_ != 0) style |= PBS_SMOOTH;
  bar_.reset(::CreateWindowExW(WS_EX_CLIENTEDGE, PROGRESS_CLASSW, L"", style, 0, 0, client.right, client.bottom,
                               Hwnd(), nullptr, ModuleInstance(), nullptr));
}

void ProgressBar::Update(bool recreate) {
  if (Hwnd() == nullptr) return;
  if (recreate || !bar_) CreateBar();
  if (!bar_) return;
  const HWND bar = bar_.get();
  auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(bar, GWL_EXSTYLE)) & ~DWORD{WS_EX_CLIENTEDGE};
  if (appearance_ == 1) exStyle |= WS_EX_CLIENTEDGE;
  ::SetWindowLongPtrW(bar, GWL_EXSTYLE, exStyle);
  auto style = static_cast<DWORD>(::GetWindowLongPtrW(bar, GWL_STYLE)) & ~DWORD{WS_BORDER};
  if (borderStyle_ == 1) style |= WS_BORDER;
  ::SetWindowLongPtrW(bar, GWL_STYLE, style);
  ::SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ::SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(ToRgb(foreColor_, CLR_DEFAULT)));
  ::SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  if (value_ > max_) value_ = max_;
  if (value_ < min_) value_ = min_;
  ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(value_), 0);
}

void ProgressBar::Changed(std::string_view key, bool recreate) {
  if (onPropertyChanged) onPropertyChanged(key);
  Update(recreate);
}

void ProgressBar::SetAppearance(int value) {
  if (value < 0 || value > 1) return;
  appearance_ = value;
  Changed("Appearance", false);
}

void ProgressBar::SetBorderStyle(int value) {
  if (value < 0 || value > 1) return;
  borderStyle_ = value;
  Changed("BorderStyle", false);
}

void ProgressBar::SetForeColor(std::uint32_t value) {
  foreColor_ = value;
  Changed("ForeColor", false);
}

void ProgressBar::SetMax(std::int32_t value) {
  if (value <= min_) return;
  max_ = value;
  Changed("Max", false);
}

void ProgressBar::SetMin(std::int32_t value) {
  if (value < 0 || value >= max_) return;
  min_ = value;
  Changed("Min", false);
}

void ProgressBar::SetOrientation(int value) {
  if (value < 0 || value > 1) return;
  orientation_ = value;
  Changed("Orientation", true);
}

void ProgressBar::SetScrolling(int value) {
  if (value < 0 || value > 1) return;
  scrolling_ = value;
  Changed("Scrolling", true);
}

void ProgressBar::SetValue(std::int32_t value) {
  if (value < min_ || value > max_) return;
  value_ = value;
  Changed("Value", false);
}

void ProgressBar::Refresh() {
  if (bar_) ::InvalidateRect(bar_.get(), nullptr, TRUE);
}

void ProgressBar::ReadProperties(const PropertyStore& store) {
  appearance_ = store.ReadNumber("Appearance", 0);
  borderStyle_ = store.ReadNumber("BorderStyle", 0);
  foreColor_ = store.ReadColor("ForeColor", 0x8000000D);
  max_ = store.ReadNumber("Max", 100);
  min_ = store.ReadNumber("Min", 0);
  orientation_ = store.ReadNumber("Orientation", 0);
  scrolling_ = store.ReadNumber("Scrolling", 0);
  value_ = store.ReadNumber("Value", 0);
  Update(true);
}

void ProgressBar::WriteProperties(PropertyStore& store) const {
  store.WriteNumber("Appearance", appearance_);
  store.WriteNumber("BorderStyle", borderStyle_);
  store.WriteColor("ForeColor", foreColor_);
  store.WriteNumber("Max", max_);
  store.WriteNumber("Min", min_);
  store.WriteNumber("Orientation", orientation_);
  store.WriteNumber("Scrolling", scrolling_);
  store.WriteNumber("Value", value_);
}

LRESULT ProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_SIZE:
      if (bar_) ::MoveWindow(bar_.get(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      bar_.reset();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::controls
