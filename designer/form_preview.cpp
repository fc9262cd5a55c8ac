#include "designer/form_preview.h"

#include "controls/control_common.h"
#include "controls/dpi.h"
#include "controls/font_description.h"
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

RECT BoundsOf(const controls::PropertyStore& store) {
  const int left = store.ReadNumber("Left", 0);
  const int top = store.ReadNumber("Top", 0);
  return RECT{left, top, left + store.ReadNumber("Width", 0), top + store.ReadNumber("Height", 0)};
}

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

ControlKind KindOfName(std::string_view name) {
  static constexpr std::pair<std::string_view, ControlKind> kPrefixes[] = {
      {"Form", ControlKind::kForm},
      {"InfoFrame", ControlKind::kInfoFrame},
      {"DropDownButton", ControlKind::kDropDownButton},
      {"StatusBar", ControlKind::kStatusBar},
      {"SystemMenu", ControlKind::kSystemMenu},
      {"ProgressBar", ControlKind::kProgressBar},
      {"Frame", ControlKind::kFrame},
      {"List", ControlKind::kList},
      {"Command", ControlKind::kCommand},
      {"Check", ControlKind::kCheck},
      {"Option", ControlKind::kOption},
      {"Text", ControlKind::kText},
      {"Label", ControlKind::kLabel},
      {"Combo", ControlKind::kCombo},
  };
  for (const auto& [prefix, kind] : kPrefixes) {
    if (name.starts_with(prefix)) return kind;
  }
  return ControlKind::kOther;
}

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
    if (KindOfName(name) == ControlKind::kForm) {
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
  CreateControls(form);
  for (HWND& edge : outline_) {
    edge = ::CreateWindowExW(0, OutlineClass(), L"", WS_CHILD, 0, 0, 0, 0, Hwnd(), nullptr, controls::ModuleInstance(),
                             nullptr);
  }
}

FormPreview::~FormPreview() {
  // The controls go first, while the form's window they live on exists.
  placed_.clear();
  systemMenus_.clear();
  statusBars_.clear();
  progressBars_.clear();
  buttons_.clear();
  infoFrames_.clear();
  DestroyHostWindow();
}

void FormPreview::CreateControls(const controls::FormDescription& form) {
  const controls::FontDescription fontDescription = controls::FontDescriptionOf(font_.get(), dpi_);
  for (const std::string& name : form.Names()) {
    const ControlKind kind = KindOfName(name);
    if (kind == ControlKind::kForm) continue;
    const controls::PropertyStore& store = *form.Find(name);
    const controls::Placement placement{Hwnd(), BoundsOf(store)};
    Placed placed{name, kind, nullptr, nullptr};
    switch (kind) {
      case ControlKind::kInfoFrame: {
        auto& frame = infoFrames_.emplace_back(std::make_unique<controls::InfoFrame>(placement));
        frame->ReadProperties(store);
        placed.window = frame->Hwnd();
        break;
      }
      case ControlKind::kDropDownButton: {
        auto& button = buttons_.emplace_back(std::make_unique<controls::DropDownButton>(placement));
        button->ReadProperties(store);
        button->SetFont(fontDescription);
        placed.window = button->Hwnd();
        placed.items = std::make_unique<controls::pages::PopupMenuItems>(*button);
        break;
      }
      case ControlKind::kProgressBar: {
        auto& bar = progressBars_.emplace_back(std::make_unique<controls::ProgressBar>(placement));
        bar->ReadProperties(store);
        placed.window = bar->Hwnd();
        break;
      }
      case ControlKind::kStatusBar: {
        auto& bar = statusBars_.emplace_back(std::make_unique<controls::StatusBar>(placement));
        bar->ReadProperties(store);
        bar->SetFont(fontDescription);
        placed.window = bar->Hwnd();
        placed.items = std::make_unique<controls::pages::StatusBarItems>(*bar);
        break;
      }
      case ControlKind::kSystemMenu: {
        auto& menu = systemMenus_.emplace_back(std::make_unique<controls::SystemMenu>(Hwnd()));
        menu->ReadProperties(store);
        placed.items = std::make_unique<controls::pages::SystemMenuItems>(*menu);
        break;
      }
      default: placed.window = CreateStandIn(store, kind); break;
    }
    names_.push_back(name);
    placed_.push_back(std::move(placed));
  }
}

HWND FormPreview::CreateStandIn(const controls::PropertyStore& store, ControlKind kind) {
  const wchar_t* className = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
  switch (kind) {
    case ControlKind::kFrame: className = L"BUTTON"; style = BS_GROUPBOX; break;
    case ControlKind::kList: className = L"LISTBOX"; style = WS_VSCROLL | LBS_NOINTEGRALHEIGHT; exStyle = WS_EX_CLIENTEDGE; break;
    case ControlKind::kCommand: className = L"BUTTON"; style = BS_PUSHBUTTON; break;
    case ControlKind::kCheck: className = L"BUTTON"; style = BS_AUTOCHECKBOX; break;
    case ControlKind::kOption: className = L"BUTTON"; style = BS_AUTORADIOBUTTON; break;
    case ControlKind::kText: className = L"EDIT"; style = ES_AUTOHSCROLL; exStyle = WS_EX_CLIENTEDGE; break;
    case ControlKind::kCombo: className = L"COMBOBOX"; style = CBS_DROPDOWNLIST; break;
    case ControlKind::kLabel: style = SS_LEFT; break;
    default: style = SS_GRAYFRAME; break;
  }
  const RECT bounds = controls::ScaledBounds(Hwnd(), BoundsOf(store));
  const std::wstring caption = win32::Widen(store.ReadText("Caption", store.ReadText("Text", "")));
  HWND window = ::CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
                                  bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, Hwnd(), nullptr,
                                  controls::ModuleInstance(), nullptr);
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return window;
}

const FormPreview::Placed* FormPreview::Find(std::string_view name) const {
  for (const Placed& placed : placed_) {
    if (placed.name == name) return &placed;
  }
  return nullptr;
}

controls::pages::ItemList* FormPreview::ItemsOf(std::string_view name) {
  const Placed* placed = Find(name);
  return placed != nullptr ? placed->items.get() : nullptr;
}

HWND FormPreview::WindowOf(std::string_view name) const {
  const Placed* placed = Find(name);
  return placed != nullptr ? placed->window : nullptr;
}

controls::DropDownButton* FormPreview::DropDownButtonOf(std::string_view name) {
  const HWND window = WindowOf(name);
  for (const auto& button : buttons_) {
    if (window != nullptr && button->Hwnd() == window) return button.get();
  }
  return nullptr;
}

controls::StatusBar* FormPreview::StatusBarOf(std::string_view name) {
  const HWND window = WindowOf(name);
  for (const auto& bar : statusBars_) {
    if (window != nullptr && bar->Hwnd() == window) return bar.get();
  }
  return nullptr;
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
  for (const Placed& placed : placed_) {
    if (!placed.items) continue;
    std::vector<controls::pages::ItemValues> items;
    for (int i = 0; i < placed.items->Count(); ++i) items.push_back(placed.items->Item(i));
    controls::pages::StoreItems(placed.items->Kind(), items, form.Control(placed.name));
  }
}

// The smallest control under the point (a frame holds the controls inside
// it); the form itself when there is none.
void FormPreview::OnClickAt(POINT point) {
  const Placed* hit = nullptr;
  long hitArea = 0;
  for (const Placed& placed : placed_) {
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
