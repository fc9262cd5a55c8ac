#include "controls/drop_down_button.h"

#include "controls/dpi.h"
#include "controls/window_messages.h"
#include "support/win32/wide_string.h"

#include <windowsx.h>

namespace vellumark::controls {
namespace {

constexpr int kMaxItems = 32767;
// The frame drawn around a focused button and during events: a near-black.
constexpr COLORREF kFocusFrame = RGB(4, 0, 0);

void FrameWith(HDC dc, const RECT& rect, COLORREF color) {
  win32::UniqueBrush brush(::CreateSolidBrush(color));
  if (brush) ::FrameRect(dc, &rect, brush.get());
}

}  // namespace

void PopupMenuItem::Changed(const std::string& key) {
  if (owner_->onPropertyChanged) owner_->onPropertyChanged(key);
}

DropDownButton::DropDownButton(const Placement& placement) {
  ResetProperties(*this);
  if (!CreateHostWindow(placement.parent, ScaledBounds(placement.parent, placement.bounds),
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT))
    return;
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  button_.reset(::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0,
                                  client.right, client.bottom, Hwnd(), nullptr, ModuleInstance(), nullptr));
  if (!button_) return;
  buttonSubclass_.Create(button_.get(), [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ButtonProcedure(window, message, wParam, lParam);
  });
  Update();
}

DropDownButton::~DropDownButton() { DestroyHostWindow(); }

void DropDownButton::ResizeItems(int count) {
  items_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    if (!items_[i]) items_[i] = std::make_unique<PopupMenuItem>(*this, i);
}

void DropDownButton::Update() {
  if (Hwnd() == nullptr) return;
  ::EnableWindow(Hwnd(), enabled_);
  if (!button_) return;
  ::EnableWindow(button_.get(), enabled_);
  // The button's own text carries the mnemonic for dialog navigation.
  ::SetWindowTextW(button_.get(), win32::Widen(text_).c_str());
  if (auto font = CreateFontFromDescription(font_, DpiForWindow(Hwnd()))) fontHandle_ = std::move(font);
  ResizeItems(Count());
  Refresh();
}

void DropDownButton::Changed(std::string_view key) {
  if (onPropertyChanged) onPropertyChanged(key);
  Update();
}

std::span<const Property<DropDownButton>> DropDownButton::Properties() {
  static const Property<DropDownButton> rows[] = {
      {"ArrowStyle", &DropDownButton::arrowStyle_, 0, Fixed<0, 1>},
      {"BackColor", &DropDownButton::backColor_, 0x8000000F},
      {"Count", Accessor<DropDownButton>{&DropDownButton::Count, &DropDownButton::ResizeItems}, 0, Fixed<0, kMaxItems>},
      {"Enabled", &DropDownButton::enabled_, true},
      {"Font", &DropDownButton::font_},
      {"ForeColor", &DropDownButton::foreColor_, 0x80000012},
      {"Text", &DropDownButton::text_, ""},
  };
  return rows;
}

template <class T>
void DropDownButton::Set(std::string_view key, T value) {
  if (AssignProperty(*this, key, std::move(value))) Changed(key);
}

void DropDownButton::SetArrowStyle(int value) { Set("ArrowStyle", value); }
void DropDownButton::SetBackColor(std::uint32_t value) { Set("BackColor", value); }
void DropDownButton::SetCount(int value) { Set("Count", value); }
void DropDownButton::SetEnabled(bool value) { Set("Enabled", value); }
void DropDownButton::SetFont(const FontDescription& value) { Set("Font", value); }
void DropDownButton::SetForeColor(std::uint32_t value) { Set("ForeColor", value); }
void DropDownButton::SetText(std::string_view value) { Set("Text", std::string(value)); }

PopupMenuItem* DropDownButton::PopupMenuItemAt(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

void DropDownButton::Refresh() {
  if (button_) ::InvalidateRect(button_.get(), nullptr, TRUE);
}

win32::UniqueMenu DropDownButton::BuildPopupMenu() const {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  for (const auto& item : items_) {
    const auto id = static_cast<UINT_PTR>(item->Index());
    if (item->Style() == PopupMenuItem::kSeparator) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, id, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (!item->Enabled()) flags |= MF_GRAYED;
    if (item->Checked()) flags |= MF_CHECKED;
    ::AppendMenuW(menu.get(), flags, id, win32::Widen(item->Text()).c_str());
  }
  return menu;
}

void DropDownButton::OpenMenu() {
  pressed_ = false;
  inEvent_ = true;
  if (onClick) onClick();
  inEvent_ = false;
  if (!button_) return;
  const win32::UniqueMenu menu = BuildPopupMenu();
  if (!menu) return;
  RECT bounds{};
  ::GetWindowRect(button_.get(), &bounds);
  const POINT anchor = arrowStyle_ == 1 ? POINT{bounds.right, bounds.top} : POINT{bounds.left, bounds.bottom};
  // The choice comes back as WM_COMMAND to the button window.
  ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, anchor.x, anchor.y, 0, button_.get(),
                   nullptr);
  Refresh();
}

void DropDownButton::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != 0 || lParam != 0) return;  // menu commands only
  const int id = LOWORD(wParam);
  PopupMenuItem* item = PopupMenuItemAt(id);
  if (item == nullptr || item->Style() == PopupMenuItem::kSeparator) return;
  inEvent_ = true;
  if (onItemClick) onItemClick(*item);
  inEvent_ = false;
  if (button_) ::SetFocus(button_.get());
  Refresh();
}

void DropDownButton::OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
  if (wParam != MK_LBUTTON) {
    inside_ = false;
    outside_ = false;
    return;
  }
  RECT client{};
  ::GetClientRect(window, &client);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const bool isInside = ::PtInRect(&client, point) != FALSE;
  if (isInside && !inside_) {
    pressed_ = true;
    inside_ = true;
    outside_ = false;
    ::InvalidateRect(window, nullptr, FALSE);
  } else if (!isInside && !outside_) {
    pressed_ = false;
    inside_ = false;
    outside_ = true;
    ::InvalidateRect(window, nullptr, FALSE);
  }
}

LRESULT DropDownButton::ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kPreTranslateKey:
      // Enter, Space and the navigation keys go to the button itself; Tab
      // and Escape stay with dialog navigation.
      return wParam == VK_TAB || wParam == VK_ESCAPE ? kKeyNotWanted : kKeyDispatch;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) OpenMenu();
      return 0;
    case WM_KEYUP:
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN && (lParam & (1 << 29)) != 0) {
        OpenMenu();
        return 0;
      }
      break;
    case BM_CLICK:
      OpenMenu();
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      ::SetFocus(window);
      break;
    case WM_LBUTTONUP:
      if (pressed_) OpenMenu();
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(window, wParam, lParam);
      return 0;
    default:
      break;
  }
  return Subclassing::Default(window, message, wParam, lParam);
}

void DropDownButton::FillBackground(HDC dc, RECT& rect) const {
  ::InflateRect(&rect, -2, -2);
  win32::UniqueBrush brush(::CreateSolidBrush(ToRgb(backColor_, ::GetSysColor(COLOR_BTNFACE))));
  if (brush) ::FillRect(dc, &rect, brush.get());
}

void DropDownButton::DrawCaption(HDC dc, RECT& rect, COLORREF color) const {
  win32::SelectedObject font(dc, fontHandle_ ? static_cast<HGDIOBJ>(fontHandle_.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, color);
  rect.bottom -= 1;
  const std::wstring text = win32::Widen(text_);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DropDownButton::DrawArrow(HDC dc, int x, int y, COLORREF color) const {
  win32::UniqueBrush brush(::CreateSolidBrush(color));
  if (!brush) return;
  const auto fill = [&](int left, int top, int right, int bottom) {
    const RECT rect{left, top, right, bottom};
    ::FillRect(dc, &rect, brush.get());
  };
  if (arrowStyle_ == 0) {  // pointing down, tip at (x, y)
    fill(x - 2, y - 2, x + 3, y - 1);
    fill(x - 1, y - 1, x + 2, y);
    fill(x, y, x + 1, y + 1);
  } else if (arrowStyle_ == 1) {  // pointing right
    fill(x, y - 3, x + 1, y + 2);
    fill(x + 1, y - 2, x + 2, y + 1);
    fill(x + 2, y - 1, x + 3, y);
  }
}

void DropDownButton::Draw(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const bool plainFace = ToRgb(backColor_, face) == face;
  const int shift = pressed_ ? 1 : 0;
  const COLORREF caption = ToRgb(foreColor_, ::GetSysColor(COLOR_BTNTEXT));
  if ((item.itemState & ODS_DISABLED) != 0) {
    ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    FillBackground(dc, rect);
    if (plainFace) {
      ::OffsetRect(&rect, 1, 1);
      DrawCaption(dc, rect, ::GetSysColor(COLOR_WINDOW));
      ::OffsetRect(&rect, -1, -1);
    }
    DrawCaption(dc, rect, ::GetSysColor(COLOR_GRAYTEXT));
    DrawArrow(dc, rect.right - 9, (rect.top + rect.bottom) / 2 + 3, ::GetSysColor(COLOR_GRAYTEXT));
    return;
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    FrameWith(dc, rect, kFocusFrame);
    ::InflateRect(&rect, -1, -1);
    if (pressed_ && plainFace) FrameWith(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
    else ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    FillBackground(dc, rect);
    ::InflateRect(&rect, -1, -1);
    ::DrawFocusRect(dc, &rect);
    ::InflateRect(&rect, 2, 2);
  } else {
    if (inEvent_) {
      FrameWith(dc, rect, kFocusFrame);
      ::InflateRect(&rect, -1, -1);
    }
    ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    FillBackground(dc, rect);
    if (inEvent_) ::InflateRect(&rect, 1, 1);
  }
  ::OffsetRect(&rect, shift, shift);
  DrawCaption(dc, rect, caption);
  DrawArrow(dc, rect.right - 9, (rect.top + rect.bottom) / 2 + 2, ::GetSysColor(COLOR_WINDOWTEXT));
}

void DropDownButton::ReadProperties(const PropertyStore& store) {
  ReadPropertyTable(*this, store);
  for (const auto& item : items_) item->ReadProperties(store);
  Update();
}

void DropDownButton::WriteProperties(PropertyStore& store) const {
  WritePropertyTable(*this, store);
  for (const auto& item : items_) item->WriteProperties(store);
}

LRESULT DropDownButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_SETFOCUS:
      if (button_) ::SetFocus(button_.get());
      return 0;
    case WM_SIZE:
      if (button_) ::MoveWindow(button_.get(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_COMMAND:
      return 0;  // the button's own notifications; the menu's come to the button
    case kDpiChangedAfterParent:
      Update();
      return 0;
    case WM_DESTROY:
      buttonSubclass_.Destroy();
      button_.reset();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::controls
