#include "designer/form_preview.h"

#include "controls/control_common.h"
#include "controls/dpi.h"
#include "designer/property_pages/control_items.h"
#include "designer/property_pages/item_keys.h"
#include "support/win32/wide_string.h"
#include "support/win32/window_helpers.h"

#include <algorithm>
#include <utility>

namespace vellumark::designer {
namespace {

constexpr DWORD kPreviewStyle = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr int kOutlineGap = 2;
constexpr int kOutlineWidth = 2;

// The outline around the selected control: four thin windows in the
// highlight colour, above every control.
const wchar_t* OutlineClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = controls::ModuleInstance();
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_HIGHLIGHT + 1));
    windowClass.lpszClassName = L"VellumarkSelectionOutline";
    return ::RegisterClassExW(&windowClass);
  }();
  return reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(atom));
}

// The signed client coordinates packed into a mouse message's lParam.
POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

using controls::ControlKind;

std::optional<controls::pages::PageKind> PageOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatusBar: return controls::pages::PageKind::kPanels;
    case ControlKind::kSystemMenu: return controls::pages::PageKind::kSystemMenuItems;
    case ControlKind::kDropDownButton: return controls::pages::PageKind::kPopupMenuItems;
    default: return std::nullopt;
  }
}

FormPreview::FormPreview(HWND parent, POINT origin, const controls::FormDescription& form) {
  const controls::PropertyStore* window = nullptr;
  for (const std::string& name : form.Names()) {
    if (controls::KindOfName(name) == ControlKind::kForm) {
      window = form.Find(name);
      names_.push_back(name);
      break;
    }
  }
  const controls::PropertyStore none;
  if (window == nullptr) window = &none;
  dpi_ = controls::DpiForWindow(parent);
  RECT frame{0, 0, controls::Scale(window->ReadNumber("ClientWidth", 320), dpi_),
             controls::Scale(window->ReadNumber("ClientHeight", 240), dpi_)};
  ::AdjustWindowRectEx(&frame, kPreviewStyle, FALSE, 0);
  const RECT bounds{origin.x, origin.y, origin.x + frame.right - frame.left, origin.y + frame.bottom - frame.top};
  if (!CreateHostWindow(parent, bounds, kPreviewStyle, 0, win32::Widen(window->ReadText("Caption", "")).c_str())) {
    return;
  }
  font_ = win32::MessageFont(dpi_);
  const std::wstring icon = win32::Widen(window->ReadText("Icon", ""));
  if (!icon.empty()) {
    icon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), icon.c_str(), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  }
  controls_ = std::make_unique<controls::FormControls>(Hwnd(), form, dpi_);
  controls_->ApplyFont(font_.get(), dpi_);
  for (const controls::FormControls::Control& control : controls_->Controls()) {
    names_.push_back(control.name);
    std::unique_ptr<controls::pages::ItemList> list;
    if (auto* button = controls_->DropDownButtonOf(control.name)) {
      list = std::make_unique<controls::pages::PopupMenuItems>(*button);
    } else if (auto* bar = controls_->StatusBarOf(control.name)) {
      list = std::make_unique<controls::pages::StatusBarItems>(*bar);
    } else if (auto* menu = controls_->SystemMenuOf(control.name)) {
      list = std::make_unique<controls::pages::SystemMenuItems>(*menu);
    }
    if (list) items_.push_back({control.name, std::move(list)});
  }
  for (HWND& edge : outline_) {
    edge = ::CreateWindowExW(0, OutlineClass(), L"", WS_CHILD, 0, 0, 0, 0, Hwnd(), nullptr, controls::ModuleInstance(),
                             nullptr);
  }
}

FormPreview::~FormPreview() {
  // The controls go first, while the form's window they live on exists.
  items_.clear();
  controls_.reset();
  DestroyHostWindow();
}

controls::pages::ItemList* FormPreview::ItemsOf(std::string_view name) {
  for (const Items& items : items_) {
    if (items.name == name) return items.list.get();
  }
  return nullptr;
}

HWND FormPreview::WindowOf(std::string_view name) const { return controls_ ? controls_->WindowOf(name) : nullptr; }

controls::DropDownButton* FormPreview::DropDownButtonOf(std::string_view name) {
  return controls_ ? controls_->DropDownButtonOf(name) : nullptr;
}

controls::StatusBar* FormPreview::StatusBarOf(std::string_view name) {
  return controls_ ? controls_->StatusBarOf(name) : nullptr;
}

void FormPreview::Select(std::string_view name) {
  const HWND window = WindowOf(name);
  for (HWND edge : outline_) ::ShowWindow(edge, window != nullptr ? SW_SHOWNA : SW_HIDE);
  if (window == nullptr) return;
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  const int gap = controls::Scale(kOutlineGap, dpi_);
  const int width = std::max(1, controls::Scale(kOutlineWidth, dpi_));
  ::InflateRect(&rect, gap + width, gap + width);
  const RECT edges[4] = {{rect.left, rect.top, rect.right, rect.top + width},
                         {rect.left, rect.bottom - width, rect.right, rect.bottom},
                         {rect.left, rect.top, rect.left + width, rect.bottom},
                         {rect.right - width, rect.top, rect.right, rect.bottom}};
  for (std::size_t i = 0; i < outline_.size(); ++i) {
    ::SetWindowPos(outline_[i], HWND_TOP, edges[i].left, edges[i].top, edges[i].right - edges[i].left,
                   edges[i].bottom - edges[i].top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void FormPreview::StoreItems(controls::FormDescription& form) {
  for (const Items& placed : items_) {
    std::vector<controls::pages::ItemValues> items;
    for (int i = 0; i < placed.list->Count(); ++i) items.push_back(placed.list->Item(i));
    controls::pages::StoreItems(placed.list->Kind(), items, form.Control(placed.name));
  }
}

// The smallest control under the point (a frame holds the controls inside
// it); the form itself when there is none.
void FormPreview::OnClickAt(POINT point) {
  const controls::FormControls::Control* hit = nullptr;
  long hitArea = 0;
  for (const controls::FormControls::Control& placed : controls_->Controls()) {
    if (placed.window == nullptr) continue;
    RECT rect{};
    ::GetWindowRect(placed.window, &rect);
    ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    if (!::PtInRect(&rect, point)) continue;
    const long area = static_cast<long>(rect.right - rect.left) * (rect.bottom - rect.top);
    if (hit == nullptr || area < hitArea) {
      hit = &placed;
      hitArea = area;
    }
  }
  if (onClick) onClick(hit != nullptr ? hit->name : names_.empty() ? std::string() : names_.front());
}

LRESULT FormPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN) {
        OnClickAt(PointOf(lParam));
      }
      return 0;
    case WM_LBUTTONDOWN:
      OnClickAt(PointOf(lParam));
      return 0;
    case WM_CLOSE:
      // "Close" in the preview's system menu would destroy the form being
      // edited; the designer's own window is the one to close.
      return 0;
    case WM_NCLBUTTONDOWN:
      // The preview stays where it is: dragging its caption is not offered.
      if (wParam == HTCAPTION) {
        OnClickAt(POINT{-1, -1});
        return 0;
      }
      return DefaultHandling(message, wParam, lParam);
    default: return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::designer
