#include "controls/form_builder.h"

#include "controls/control_common.h"
#include "controls/dpi.h"
#include "controls/font_description.h"
#include "support/win32/wide_string.h"

#include <utility>

namespace vellumark::controls {

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

RECT BoundsOf(const PropertyStore& store) {
  const int left = store.ReadNumber("Left", 0);
  const int top = store.ReadNumber("Top", 0);
  return RECT{left, top, left + store.ReadNumber("Width", 0), top + store.ReadNumber("Height", 0)};
}

RECT ScaleBounds(const RECT& bounds96, int dpi) {
  return RECT{Scale(bounds96.left, dpi), Scale(bounds96.top, dpi), Scale(bounds96.right, dpi),
              Scale(bounds96.bottom, dpi)};
}

FormControls::FormControls(HWND parent, const FormDescription& form, int dpi, const OwnControl& own)
    : parent_(parent) {
  for (const std::string& name : form.Names()) {
    const ControlKind kind = KindOfName(name);
    if (kind == ControlKind::kForm) continue;
    const PropertyStore& store = *form.Find(name);
    Control control{name, kind, nullptr, BoundsOf(store)};
    const RECT bounds = ScaleBounds(control.bounds96, dpi);
    if (own) control.window = own(name, store, bounds);
    if (control.window == nullptr) {
      switch (kind) {
        case ControlKind::kInfoFrame: control.window = MakeCustom(infoFrames_, name, store, control.bounds96); break;
        case ControlKind::kDropDownButton: control.window = MakeCustom(buttons_, name, store, control.bounds96); break;
        case ControlKind::kProgressBar: control.window = MakeCustom(progressBars_, name, store, control.bounds96); break;
        case ControlKind::kStatusBar: control.window = MakeCustom(statusBars_, name, store, control.bounds96); break;
        case ControlKind::kSystemMenu: {
          auto& menu = systemMenus_.emplace_back(Named<SystemMenu>{name, std::make_unique<SystemMenu>(parent)});
          menu.control->ReadProperties(store);
          break;
        }
        default: control.window = MakeStandard(store, kind, bounds); break;
      }
    }
    controls_.push_back(std::move(control));
  }
}

// The controls go while the parent they live on still exists.
FormControls::~FormControls() {
  systemMenus_.clear();
  statusBars_.clear();
  progressBars_.clear();
  buttons_.clear();
  infoFrames_.clear();
}

template <typename Custom>
HWND FormControls::MakeCustom(std::vector<Named<Custom>>& customs, const std::string& name, const PropertyStore& store,
                              const RECT& bounds96) {
  auto& made = customs.emplace_back(Named<Custom>{name, std::make_unique<Custom>(Placement{parent_, bounds96})});
  made.control->ReadProperties(store);
  return made.control->Hwnd();
}

HWND FormControls::MakeStandard(const PropertyStore& store, ControlKind kind, const RECT& bounds) {
  const wchar_t* className = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
  switch (kind) {
    case ControlKind::kFrame: className = L"BUTTON"; style = BS_GROUPBOX; break;
    case ControlKind::kList:
      className = L"LISTBOX";
      style = WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kCommand: className = L"BUTTON"; style = BS_PUSHBUTTON | WS_TABSTOP; break;
    case ControlKind::kCheck: className = L"BUTTON"; style = BS_CHECKBOX | WS_TABSTOP; break;
    case ControlKind::kOption: className = L"BUTTON"; style = BS_AUTORADIOBUTTON | WS_TABSTOP; break;
    case ControlKind::kText:
      className = L"EDIT";
      style = ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kCombo: className = L"COMBOBOX"; style = CBS_DROPDOWNLIST | WS_TABSTOP; break;
    case ControlKind::kLabel: style = SS_LEFT; break;
    default: style = SS_GRAYFRAME; break;
  }
  const std::wstring caption = win32::Widen(store.ReadText("Caption", store.ReadText("Text", "")));
  return ::CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent_, nullptr,
                           ModuleInstance(), nullptr);
}

bool FormControls::AllMade() const {
  for (const Control& control : controls_) {
    if (control.window == nullptr && control.kind != ControlKind::kSystemMenu) return false;
  }
  return true;
}

HWND FormControls::WindowOf(std::string_view name) const {
  for (const Control& control : controls_) {
    if (control.name == name) return control.window;
  }
  return nullptr;
}

template <typename Custom>
Custom* FormControls::Find(const std::vector<Named<Custom>>& customs, std::string_view name) {
  for (const Named<Custom>& custom : customs) {
    if (custom.name == name) return custom.control.get();
  }
  return nullptr;
}

InfoFrame* FormControls::InfoFrameOf(std::string_view name) const { return Find(infoFrames_, name); }

DropDownButton* FormControls::DropDownButtonOf(std::string_view name) const { return Find(buttons_, name); }

ProgressBar* FormControls::ProgressBarOf(std::string_view name) const { return Find(progressBars_, name); }

StatusBar* FormControls::StatusBarOf(std::string_view name) const { return Find(statusBars_, name); }

SystemMenu* FormControls::SystemMenuOf(std::string_view name) const { return Find(systemMenus_, name); }

void FormControls::ApplyFont(HFONT font, int dpi) {
  for (const Control& control : controls_) {
    if (control.window != nullptr) ::SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  const FontDescription description = FontDescriptionOf(font, dpi);
  for (const Named<DropDownButton>& button : buttons_) button.control->SetFont(description);
  for (const Named<StatusBar>& bar : statusBars_) bar.control->SetFont(description);
}

void FormControls::Place(int dpi, int clientWidth) {
  for (const Control& control : controls_) {
    if (control.window == nullptr) continue;
    const RECT bounds = ScaleBounds(control.bounds96, dpi);
    if (control.kind == ControlKind::kInfoFrame) {
      // The header band spans the whole client width.
      ::SetWindowPos(control.window, nullptr, 0, bounds.top, clientWidth, Scale(InfoFrame::kHeight, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      ::MoveWindow(control.window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   TRUE);
    }
  }
}

}  // namespace vellumark::controls
