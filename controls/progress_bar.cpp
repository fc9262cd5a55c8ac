#include "controls/progress_bar.h"

#include <commctrl.h>

namespace vellumark::controls {

ProgressBar::ProgressBar(const Placement& placement) {
  ResetProperties(*this);
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

std::span<const Property<ProgressBar>> ProgressBar::Properties() {
  static const Property<ProgressBar> rows[] = {
      {"Appearance", &ProgressBar::appearance_, 0, Fixed<0, 1>},
      {"BorderStyle", &ProgressBar::borderStyle_, 0, Fixed<0, 1>},
      {"ForeColor", &ProgressBar::foreColor_, 0x8000000D},
      {"Max", &ProgressBar::max_, 100, [](const ProgressBar& bar) { return Range{bar.min_ + 1LL, INT32_MAX}; }},
      {"Min", &ProgressBar::min_, 0, [](const ProgressBar& bar) { return Range{0, bar.max_ - 1LL}; }},
      {"Orientation", &ProgressBar::orientation_, 0, Fixed<0, 1>},
      {"Scrolling", &ProgressBar::scrolling_, 0, Fixed<0, 1>},
      {"Value", &ProgressBar::value_, 0, [](const ProgressBar& bar) { return Range{bar.min_, bar.max_}; }},
  };
  return rows;
}

template <class T>
void ProgressBar::Set(std::string_view key, T value, bool recreate) {
  if (AssignProperty(*this, key, value)) Changed(key, recreate);
}

void ProgressBar::SetAppearance(int value) { Set("Appearance", value, false); }
void ProgressBar::SetBorderStyle(int value) { Set("BorderStyle", value, false); }
void ProgressBar::SetForeColor(std::uint32_t value) { Set("ForeColor", value, false); }
void ProgressBar::SetMax(std::int32_t value) { Set("Max", value, false); }
void ProgressBar::SetMin(std::int32_t value) { Set("Min", value, false); }
void ProgressBar::SetOrientation(int value) { Set("Orientation", value, true); }
void ProgressBar::SetScrolling(int value) { Set("Scrolling", value, true); }
void ProgressBar::SetValue(std::int32_t value) { Set("Value", value, false); }

void ProgressBar::Refresh() {
  if (bar_) ::InvalidateRect(bar_.get(), nullptr, TRUE);
}

void ProgressBar::ReadProperties(const PropertyStore& store) {
  ReadPropertyTable(*this, store);
  Update(true);
}

void ProgressBar::WriteProperties(PropertyStore& store) const { WritePropertyTable(*this, store); }

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
