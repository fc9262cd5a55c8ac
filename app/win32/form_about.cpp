#include "app/win32/form_about.h"

#include "controls/dpi.h"
#include "controls/host_window.h"
#include "controls/window_messages.h"
#include "support/win32/wide_string.h"
#include "support/win32/window_helpers.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <utility>

namespace vellumark::gui {
namespace {

// Layout in 96-DPI units.
constexpr int kMargin = 11;         // window edge to frame and button
constexpr int kPadding = 12;        // frame to its contents
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;        // icon to texts
constexpr int kTextWidth = 300;     // least width of the text column
constexpr int kLineGap = 6;         // product name to legal notice
constexpr int kParagraphGap = 10;   // legal notice to web address
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

struct AboutControl {
  FormAbout::ControlId id;
  const wchar_t* windowClass;
  DWORD style;
};

// Creation order is the tab order: the link, then OK.
constexpr std::array<AboutControl, 9> kControls{{
    {FormAbout::kImageIcon, L"STATIC", SS_ICON | SS_REALSIZECONTROL},
    {FormAbout::kLabelApplication, L"STATIC", SS_LEFT | SS_NOPREFIX},
    {FormAbout::kLabelCopyright, L"STATIC", SS_LEFT | SS_NOPREFIX},
    {FormAbout::kLabelWebsite, L"BUTTON", BS_OWNERDRAW | WS_TABSTOP},
    {FormAbout::kLineTop, L"STATIC", SS_ETCHEDHORZ},
    {FormAbout::kLineRight, L"STATIC", SS_ETCHEDVERT},
    {FormAbout::kLineBottom, L"STATIC", SS_ETCHEDHORZ},
    {FormAbout::kLineLeft, L"STATIC", SS_ETCHEDVERT},
    {FormAbout::kCommandOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP},
}};

// Width and height of one line of `text` in `font`.
SIZE LineSize(HDC dc, HFONT font, const std::wstring& text) {
  const win32::SelectedObject selected(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  size.cy = metrics.tmHeight;
  return size;
}

// Height of `text` wrapped at words within `width`.
int WrappedHeight(HDC dc, HFONT font, const std::wstring& text, int width) {
  if (text.empty()) return 0;
  const win32::SelectedObject selected(dc, font);
  RECT bounds{0, 0, width, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return bounds.bottom;
}

// The system's link colour, or the usual link blue when a colour scheme
// makes that colour unreadable on the window's face.
COLORREF LinkColor() {
  const auto brightness = [](COLORREF color) {
    return (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
  };
  const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
  const int difference = brightness(link) - brightness(::GetSysColor(COLOR_BTNFACE));
  return difference > 125 || difference < -125 ? link : RGB(0, 102, 204);
}

void Place(HWND control, int left, int top, int width, int height) {
  ::SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void OpenWebAddress(HWND owner, std::string_view address) {
  ::ShellExecuteW(owner, L"open", win32::Widen(address).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void FormAbout::ShowModal(HWND owner) {
  win32::ShowControllessDialog(controls::ModuleInstance(), owner, &FormAbout::DialogProc,
                               reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK FormAbout::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return win32::DispatchToForm(dialog, message, wParam, lParam, &FormAbout::dialog_, &FormAbout::HandleMessage);
}

INT_PTR FormAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set: OK
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != kLabelWebsite) return FALSE;
      DrawLink(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_SETCURSOR:
      // The hand over the link, as browsers show it.
      if (reinterpret_cast<HWND>(wParam) != Control(kLabelWebsite) || LOWORD(lParam) != HTCLIENT) return FALSE;
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      ::SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case controls::kDpiChanged:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void FormAbout::OnInitDialog() {
  ::SetWindowTextW(dialog_, win32::Widen(caption_).c_str());
  for (const AboutControl& control : kControls) {
    ::CreateWindowExW(0, control.windowClass, L"", WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, dialog_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), controls::ModuleInstance(), nullptr);
  }
  ::SendMessageW(dialog_, DM_SETDEFID, kCommandOK, 0);
  ::SetWindowTextW(Control(kCommandOK), L"OK");
  ::SendMessageW(Control(kImageIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  ::SetWindowTextW(Control(kLabelApplication), win32::Widen(application_).c_str());
  ::SetWindowTextW(Control(kLabelCopyright), win32::Widen(copyright_).c_str());
  ::SetWindowTextW(Control(kLabelWebsite), win32::Widen(website_).c_str());
  // An empty address leaves nothing to click or to reach with Tab.
  ::EnableWindow(Control(kLabelWebsite), !website_.empty());
  linkKeys_.Create(Control(kLabelWebsite), [this](HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkMessage(link, message, wParam, lParam);
  });
  dpi_ = controls::DpiForWindow(dialog_);
  CreateFonts();
  Layout();
  win32::CentreOnOwner(dialog_, ::GetWindow(dialog_, GW_OWNER));
  ::SetFocus(Control(kCommandOK));
}

void FormAbout::CreateFonts() {
  LOGFONTW font = win32::MessageLogFont(dpi_);
  font_.reset(::CreateFontIndirectW(&font));
  font.lfUnderline = TRUE;
  linkFont_.reset(::CreateFontIndirectW(&font));
  font.lfUnderline = FALSE;
  font.lfWeight = FW_BOLD;
  boldFont_.reset(::CreateFontIndirectW(&font));
  for (const AboutControl& control : kControls) {
    const HFONT used = control.id == kLabelApplication ? boldFont_.get() : font_.get();
    ::SendMessageW(Control(control.id), WM_SETFONT, reinterpret_cast<WPARAM>(used), FALSE);
  }
}

void FormAbout::Layout() {
  const auto scaled = [this](int value96) { return controls::Scale(value96, dpi_); };
  const win32::WindowDc dc(dialog_);
  const std::wstring application = win32::Widen(application_);
  const std::wstring copyright = win32::Widen(copyright_);
  const std::wstring website = win32::Widen(website_);
  const SIZE applicationSize = LineSize(dc.get(), boldFont_.get(), application);
  const SIZE websiteSize = LineSize(dc.get(), font_.get(), website);
  // The column widens for a long name or address, so both show in full.
  const int column =
      std::max({scaled(kTextWidth), static_cast<int>(applicationSize.cx), static_cast<int>(websiteSize.cx)});

  const int frameLeft = scaled(kMargin);
  const int frameTop = scaled(kMargin);
  const int iconLeft = frameLeft + scaled(kPadding);
  const int iconTop = frameTop + scaled(kPadding);
  const int iconSize = scaled(kIconSize);
  const int textLeft = iconLeft + iconSize + scaled(kIconGap);
  const int copyrightTop = iconTop + applicationSize.cy + scaled(kLineGap);
  const int copyrightHeight = WrappedHeight(dc.get(), font_.get(), copyright, column);
  const int websiteTop = copyrightTop + copyrightHeight + scaled(kParagraphGap);
  const int frameRight = textLeft + column + scaled(kPadding);
  const int frameBottom =
      std::max(iconTop + iconSize, websiteTop + static_cast<int>(websiteSize.cy)) + scaled(kPadding);
  const int frameWidth = frameRight - frameLeft;
  const int frameHeight = frameBottom - frameTop;
  const int buttonTop = frameBottom + scaled(kMargin);

  Place(Control(kImageIcon), iconLeft, iconTop, iconSize, iconSize);
  Place(Control(kLabelApplication), textLeft, iconTop, column, applicationSize.cy);
  Place(Control(kLabelCopyright), textLeft, copyrightTop, column, copyrightHeight);
  // Only the address text itself is clickable.
  Place(Control(kLabelWebsite), textLeft, websiteTop, website.empty() ? 0 : websiteSize.cx, websiteSize.cy);
  Place(Control(kLineTop), frameLeft, frameTop, frameWidth, 2);
  Place(Control(kLineBottom), frameLeft, frameBottom - 2, frameWidth, 2);
  Place(Control(kLineLeft), frameLeft, frameTop, 2, frameHeight);
  Place(Control(kLineRight), frameRight - 2, frameTop, 2, frameHeight);
  Place(Control(kCommandOK), frameRight - scaled(kButtonWidth), buttonTop, scaled(kButtonWidth), scaled(kButtonHeight));

  RECT frame{};
  RECT client{};
  ::GetWindowRect(dialog_, &frame);
  ::GetClientRect(dialog_, &client);
  ::SetWindowPos(dialog_, nullptr, 0, 0, (frame.right - frame.left) - client.right + frameRight + scaled(kMargin),
                 (frame.bottom - frame.top) - client.bottom + buttonTop + scaled(kButtonHeight) + scaled(kMargin),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(dialog_, nullptr, TRUE);
}

void FormAbout::DrawLink(const DRAWITEMSTRUCT& item) const {
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = win32::Widen(website_);
  RECT bounds = item.rcItem;
  {
    const win32::SelectedObject font(item.hDC, linkFont_.get());
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, LinkColor());
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &bounds,
                DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    ::DrawFocusRect(item.hDC, &item.rcItem);
  }
}

void FormAbout::OnCommand(int id, int code) {
  switch (id) {
    case kLabelWebsite:
      if (code == BN_CLICKED && !website_.empty()) {
        const win32::BusyPointer busy;
        openAddress(dialog_, website_);
      }
      break;
    case kCommandOK:
    case IDCANCEL:
      ::EndDialog(dialog_, id);
      break;
    default:
      break;
  }
}

// Enter on the focused link opens the address, as on links elsewhere,
// instead of pressing the default button.
LRESULT FormAbout::LinkMessage(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* queued = reinterpret_cast<const MSG*>(lParam);
  if (message == WM_GETDLGCODE && queued != nullptr && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN) {
    return controls::Subclassing::Default(link, message, wParam, lParam) | DLGC_WANTMESSAGE;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    OnCommand(kLabelWebsite, BN_CLICKED);
    return 0;
  }
  return controls::Subclassing::Default(link, message, wParam, lParam);
}

void FormAbout::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  // The old fonts stay alive until every control has the new ones.
  win32::UniqueFont font = std::move(font_);
  win32::UniqueFont bold = std::move(boldFont_);
  win32::UniqueFont link = std::move(linkFont_);
  CreateFonts();
  ::SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

}  // namespace vellumark::gui
