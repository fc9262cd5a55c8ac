#include "designer/property_pages/property_page.h"

#include "controls/control_common.h"
#include "controls/dpi.h"
#include "controls/font_description.h"
#include "support/win32/wide_string.h"

#include <algorithm>

namespace vellumark::controls::pages {
namespace {

// Layout in 96-DPI units: a label column and an input column, one row per
// input below the index row.
constexpr int kMargin = 8;
constexpr int kLabelWidth = 84;
constexpr int kInputLeft = kMargin + kLabelWidth + 4;
constexpr int kInputWidth = PropertyPage::kWidth - kInputLeft - kMargin;
constexpr int kRowHeight = 28;
constexpr int kFieldHeight = 21;
constexpr int kIndexWidth = 52;
constexpr int kComboListHeight = 120;

constexpr int kIdIndexText = 100;
constexpr int kIdIndexScroll = 101;
constexpr int kIdFirstInput = 110;

}  // namespace

SIZE PropertyPage::Size96(PageKind kind) {
  const int rows = 1 + static_cast<int>(PageInputs(kind).size());
  return SIZE{kWidth, kMargin + rows * kRowHeight};
}

PropertyPage::PropertyPage(HWND parent, POINT origin96, PageKind kind) : kind_(kind) {
  const SIZE size = Size96(kind);
  const RECT bounds{origin96.x, origin96.y, origin96.x + size.cx, origin96.y + size.cy};
  if (!CreateHostWindow(parent, ScaledBounds(parent, bounds), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        WS_EX_CONTROLPARENT))
    return;
  disabledBrush_.reset(::CreateSolidBrush(ToRgb(kDisabledInputColor, ::GetSysColor(COLOR_SCROLLBAR))));
  CreateChildren();
  Fill();
}

PropertyPage::~PropertyPage() { DestroyHostWindow(); }

void PropertyPage::CreateChildren() {
  const int dpi = DpiForWindow(Hwnd());
  font_ = CreateFontFromDescription(FontDescription{}, dpi);
  const auto create = [&](DWORD exStyle, const wchar_t* className, std::wstring_view text, DWORD style, int x, int y,
                          int width, int height, int id) {
    const HWND window = ::CreateWindowExW(exStyle, className, std::wstring(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                          Scale(x, dpi), Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), Hwnd(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return window;
  };
  const auto labelTop = [](int row) { return kMargin + row * kRowHeight + 3; };
  const auto fieldTop = [](int row) { return kMargin + row * kRowHeight; };

  indexLabel_ = create(0, L"STATIC", L"Index:", SS_LEFT, kMargin, labelTop(0), kLabelWidth, 16, -1);
  indexText_ = create(WS_EX_CLIENTEDGE, L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kInputLeft,
                      fieldTop(0), kIndexWidth, kFieldHeight, kIdIndexText);
  indexScroll_ = create(0, L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, kInputLeft + kIndexWidth + 6, fieldTop(0) + 2,
                        kInputWidth - kIndexWidth - 6, 17, kIdIndexScroll);

  int row = 1;
  int id = kIdFirstInput;
  for (const InputDefinition& definition : PageInputs(kind_)) {
    Row created;
    created.label = create(0, L"STATIC", win32::Widen(definition.label), SS_LEFT, kMargin, labelTop(row), kLabelWidth, 16, -1);
    switch (definition.kind) {
      case InputKind::kText: {
        const DWORD number = definition.field == Field::kMinWidth ? ES_NUMBER : 0;
        created.input = create(WS_EX_CLIENTEDGE, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | number, kInputLeft,
                               fieldTop(row), kInputWidth, kFieldHeight, id);
        break;
      }
      case InputKind::kCombo:
        created.input = create(0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kInputLeft,
                               fieldTop(row), kInputWidth, kFieldHeight + kComboListHeight, id);
        for (const std::string& entry : ChoiceList(kind_, definition.field)) {
          ::SendMessageW(created.input, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(entry).c_str()));
        }
        break;
      case InputKind::kCheck:
        created.input = create(0, L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP, kInputLeft, fieldTop(row) + 2, 16,
                               17, id);
        break;
    }
    rows_.push_back(created);
    ++row;
    ++id;
  }
}

HWND PropertyPage::Input(std::string_view name) const {
  if (name == "TextIndex") return indexText_;
  if (name == "HScrollIndex") return indexScroll_;
  const std::span<const InputDefinition> definitions = PageInputs(kind_);
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (definitions[i].name == name) return rows_[i].input;
  }
  return nullptr;
}

bool PropertyPage::SetObject(ItemList* items) {
  if (items == items_) return true;
  if (!ApplyPending()) return false;
  items_ = items;
  Fill();
  return true;
}

void PropertyPage::Fill() {
  filling_ = true;
  const int count = items_ != nullptr ? items_->Count() : 0;
  const bool enabled = InputsEnabled(count);
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
  scroll.nMax = ScrollMaximum(count);
  if (enabled) {
    index_ = std::clamp(index_, 0, count - 1);
    scroll.nPos = index_;
    ::SetWindowTextW(indexText_, std::to_wstring(index_).c_str());
    const std::vector<InputValue> values = FillInputs(kind_, items_->Item(index_));
    const std::span<const InputDefinition> definitions = PageInputs(kind_);
    for (std::size_t i = 0; i < definitions.size(); ++i) {
      const HWND input = rows_[i].input;
      switch (definitions[i].kind) {
        case InputKind::kText: ::SetWindowTextW(input, win32::Widen(values[i].text).c_str()); break;
        case InputKind::kCombo: ::SendMessageW(input, CB_SETCURSEL, static_cast<WPARAM>(values[i].position), 0); break;
        case InputKind::kCheck:
          ::SendMessageW(input, BM_SETCHECK, values[i].checked ? BST_CHECKED : BST_UNCHECKED, 0);
          break;
      }
    }
  } else {
    index_ = 0;
    ::SetWindowTextW(indexText_, L"");
    for (const Row& row : rows_) {
      ::SetWindowTextW(row.input, L"");
      ::SendMessageW(row.input, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      ::SendMessageW(row.input, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  ::SetScrollInfo(indexScroll_, SB_CTL, &scroll, TRUE);
  SetInputsEnabled(enabled);
  changed_ = false;
  filling_ = false;
}

void PropertyPage::SetInputsEnabled(bool enabled) {
  enabled_ = enabled;
  ::EnableWindow(indexText_, enabled);
  ::EnableWindow(indexScroll_, enabled && items_->Count() > 1);
  for (const Row& row : rows_) ::EnableWindow(row.input, enabled);
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

std::vector<InputValue> PropertyPage::ReadInputValues() const {
  std::vector<InputValue> values;
  const std::span<const InputDefinition> definitions = PageInputs(kind_);
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    const HWND input = rows_[i].input;
    InputValue value;
    switch (definitions[i].kind) {
      case InputKind::kText: {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(input)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(input, text.data(), static_cast<int>(text.size()))));
        value.text = win32::Narrow(text);
        break;
      }
      case InputKind::kCombo: value.position = static_cast<int>(::SendMessageW(input, CB_GETCURSEL, 0, 0)); break;
      case InputKind::kCheck: value.checked = ::SendMessageW(input, BM_GETCHECK, 0, 0) == BST_CHECKED; break;
    }
    values.push_back(std::move(value));
  }
  return values;
}

bool PropertyPage::Apply(std::string& error) {
  if (items_ == nullptr || !InputsEnabled(items_->Count())) {
    changed_ = false;
    return true;
  }
  const std::optional<ItemValues> edited = ReadInputs(kind_, ReadInputValues(), items_->Item(index_), error);
  if (!edited) return false;
  ApplyItem(*items_, index_, *edited);
  // The inputs show what the control took.
  Fill();
  if (onApplied) onApplied();
  return true;
}

bool PropertyPage::ApplyPending() {
  if (!changed_) return true;
  std::string error;
  if (Apply(error)) return true;
  if (onRefused) onRefused(error);
  return false;
}

bool PropertyPage::ShowItem(int index) {
  if (!ApplyPending()) {
    // The scroll bar returns to the item whose edits are pending; the edits
    // stay in the inputs, to be corrected.
    ::SetScrollPos(indexScroll_, SB_CTL, index_, TRUE);
    return false;
  }
  index_ = index;
  Fill();
  return true;
}

bool PropertyPage::InsertItemAfterCurrent() {
  if (items_ == nullptr || !ApplyPending()) return false;
  const int at = InsertItem(*items_, items_->Count() == 0 ? -1 : index_);
  if (at < 0) return false;
  index_ = at;
  Fill();
  if (onApplied) onApplied();
  return true;
}

bool PropertyPage::RemoveCurrentItem() {
  // Pending edits belong to the item going away, so they go with it.
  if (items_ == nullptr || !RemoveItem(*items_, index_)) return false;
  Fill();
  if (onApplied) onApplied();
  return true;
}

void PropertyPage::MarkChanged() {
  if (filling_ || !enabled_) return;
  changed_ = true;
  if (onChanged) onChanged();
}

void PropertyPage::OnCommand(int id, int code) {
  if (id < kIdFirstInput || id >= kIdFirstInput + static_cast<int>(rows_.size())) return;
  const InputKind kind = PageInputs(kind_)[static_cast<std::size_t>(id - kIdFirstInput)].kind;
  if ((kind == InputKind::kText && code == EN_CHANGE) || (kind == InputKind::kCombo && code == CBN_SELCHANGE) ||
      (kind == InputKind::kCheck && code == BN_CLICKED)) {
    MarkChanged();
  }
}

void PropertyPage::OnScroll(int code) {
  if (items_ == nullptr) return;
  const int last = ScrollMaximum(items_->Count());
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(indexScroll_, SB_CTL, &scroll);
  int target = index_;
  switch (code) {
    case SB_LINELEFT: target = index_ - 1; break;
    case SB_LINERIGHT: target = index_ + 1; break;
    case SB_PAGELEFT: target = index_ - 5; break;
    case SB_PAGERIGHT: target = index_ + 5; break;
    case SB_LEFT: target = 0; break;
    case SB_RIGHT: target = last; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = scroll.nTrackPos; break;
    default: return;
  }
  target = std::clamp(target, 0, last);
  if (target != index_) ShowItem(target);
}

bool PropertyPage::IsColoredInput(HWND control) const {
  if (enabled_) return false;
  if (control == indexText_) return true;
  return std::any_of(rows_.begin(), rows_.end(), [control](const Row& row) { return row.input == control; });
}

LRESULT PropertyPage::OnColor(HDC dc) {
  const COLORREF color = ToRgb(kDisabledInputColor, ::GetSysColor(COLOR_SCROLLBAR));
  ::SetBkColor(dc, color);
  ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(disabledBrush_.get());
}

LRESULT PropertyPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == indexScroll_) OnScroll(LOWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (IsColoredInput(reinterpret_cast<HWND>(lParam))) {
        return OnColor(reinterpret_cast<HDC>(wParam));
      }
      return DefaultHandling(message, wParam, lParam);
    default: return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::controls::pages
