#include "controls/status_bar.h"

#include "controls/dpi.h"
#include "controls/window_messages.h"
#include "support/win32/wide_string.h"

#include <commctrl.h>

namespace vellumark::controls {
namespace {

// The system's status bar shows at most this many parts.
constexpr int kMaxPanels = 256;

}  // namespace

void Panel::Changed(std::string_view name, bool layout) {
  if (owner_->onPropertyChanged) owner_->onPropertyChanged(ItemKey(name, index_));
  owner_->UpdatePanels(layout ? -1 : index_);
}

void Panel::SetAlignment(int value) {
  if (value < 0 || value > 2) return;
  alignment_ = value;
  Changed("PanelAlignment", false);
}

void Panel::SetAutoSize(int value) {
  if (value < 0 || value > 2) return;
  autoSize_ = value;
  Changed("PanelAutoSize", true);
}

void Panel::SetBevel(int value) {
  if (value < 0 || value > 2) return;
  bevel_ = value;
  Changed("PanelBevel", false);
}

void Panel::SetMinWidth(int value) {
  if (value < 1) return;
  minWidth_ = value;
  Changed("PanelMinWidth", true);
}

void Panel::SetTag(std::string_view value) {
  tag_ = value;
  Changed("PanelTag", false);
}

void Panel::SetText(std::string_view value) {
  text_ = value;
  // A contents-sized panel follows its text, so the layout runs again.
  Changed("PanelText", autoSize_ == kContents);
}

void Panel::SetToolTipText(std::string_view value) {
  toolTipText_ = value;
  Changed("PanelToolTipText", false);
}

void Panel::SetVisible(bool value) {
  visible_ = value;
  Changed("PanelVisible", true);
}

StatusBar::StatusBar(const Placement& placement) {
  ResetProperties(*this);
  InitCommonControlClasses(ICC_BAR_CLASSES);
  if (!CreateHostWindow(placement.parent, ScaledBounds(placement.parent, placement.bounds),
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN))
    return;
  Update(true);
}

StatusBar::~StatusBar() { DestroyHostWindow(); }

void StatusBar::CreateWindows() {
  RemoveToolTips();
  bar_.reset();
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  DWORD style = WS_CHILD | WS_VISIBLE;
  const HWND parent = ::GetParent(Hwnd());
  if (parent != nullptr && (::GetWindowLongPtrW(parent, GWL_STYLE) & WS_THICKFRAME) != 0) style |= SBARS_SIZEGRIP;
  bar_.reset(::CreateWindowExW(0, STATUSCLASSNAMEW, L"", style, 0, 0, client.right, client.bottom, Hwnd(), nullptr,
                               ModuleInstance(), nullptr));
  fontHandle_.reset();
  if (!toolTip_) {
    // Owned by the host window, so it never outlives the control; its tools
    // are rebuilt for each new bar window.
    toolTip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                     ModuleInstance(), nullptr));
  }
}

void StatusBar::ResizePanels(int count) {
  panels_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    if (!panels_[i]) panels_[i] = std::make_unique<Panel>(*this, i);
}

void StatusBar::Update(bool recreate) {
  if (Hwnd() == nullptr) return;
  ::EnableWindow(Hwnd(), enabled_);
  if (recreate || !bar_) CreateWindows();
  if (!bar_) return;
  const HWND bar = bar_.get();
  ::EnableWindow(bar, enabled_);
  if (auto font = CreateFontFromDescription(font_, DpiForWindow(Hwnd()))) {
    ::SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    fontHandle_ = std::move(font);
  }
  ::SendMessageW(bar, SB_SIMPLE, style_ == 1, 0);
  if (style_ == 1) {
    if (toolTip_) ::SendMessageW(toolTip_.get(), TTM_ACTIVATE, FALSE, 0);
    const std::wstring text = win32::Widen(simpleText_);
    ::SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  } else {
    if (toolTip_) ::SendMessageW(toolTip_.get(), TTM_ACTIVATE, showTips_, 0);
    ResizePanels(Count());
  }
  if (recreate) UpdatePanels(-1);
  else Layout();
}

void StatusBar::Layout() {
  if (!bar_ || panels_.empty()) {
    if (bar_) {
      // No panels: one empty part over the whole bar instead of stale ones.
      const int right = -1;
      ::SendMessageW(bar_.get(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
      ::SendMessageW(bar_.get(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    }
    return;
  }
  const int dpi = DpiForWindow(Hwnd());
  std::vector<int> widths;
  {
    win32::WindowDc dc(bar_.get());
    win32::SelectedObject selected(dc.get(), fontHandle_.get());
    for (const auto& panel : panels_) {
      int width = 0;
      if (!panel->visible_) {
        width = 0;
      } else if (panel->autoSize_ == Panel::kContents) {
        const std::wstring text = win32::Widen(panel->text_);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        width = extent.cx + Scale(7, dpi);
      } else {
        width = Scale(panel->minWidth_, dpi);
      }
      widths.push_back(width);
    }
  }
  int total = 0;
  int springs = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    total += widths[i];
    if (panels_[i]->autoSize_ == Panel::kSpring) ++springs;
  }
  for (int& width : widths) {
    if (width > 0) {
      width -= 2;
      break;
    }
  }
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  // The free width goes to the spring panels, shared out evenly (the first
  // ones take the remainder), so the bar is filled exactly.
  const int free = client.right - total + 2;
  int springIndex = 0;
  std::vector<int> rights;
  int position = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    if (panels_[i]->autoSize_ == Panel::kSpring && free > 0) {
      position += free / springs + (springIndex < free % springs ? 1 : 0);
      ++springIndex;
    }
    position += widths[i];
    panels_[i]->actualWidth_ = position - (rights.empty() ? 0 : rights.back());
    rights.push_back(position);
  }
  ::SendMessageW(bar_.get(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void StatusBar::ShowPanelText(const Panel& panel) {
  WPARAM flags = 0;
  switch (panel.bevel_) {
    case Panel::kNoBevel: flags = SBT_NOBORDERS; break;
    case Panel::kInset: flags = 0; break;
    case Panel::kRaised: flags = SBT_POPOUT; break;
    default: return;
  }
  // Tabs before the text centre (one) or right-align (two) it in its part.
  const std::wstring text = std::wstring(static_cast<std::size_t>(panel.alignment_), L'\t') + win32::Widen(panel.text_);
  ::SendMessageW(bar_.get(), SB_SETTEXTW, static_cast<WPARAM>(panel.index_) | flags,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::UpdatePanels(int index) {
  if (!bar_ || preventUpdate_) return;
  Layout();
  if (style_ == 1) return;  // panel texts stay stored and come back with the panel style
  if (index == -1) {
    for (const auto& panel : panels_) ShowPanelText(*panel);
  } else if (index >= 0 && index < Count()) {
    ShowPanelText(*panels_[index]);
  }
  UpdateToolTips(index == -1);
}

void StatusBar::UpdateToolTips(bool rebuild) {
  if (!toolTip_) return;
  const HWND tip = toolTip_.get();
  if (rebuild) RemoveToolTips();
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = bar_.get();
  for (const auto& panel : panels_) {
    const std::wstring text = win32::Widen(panel->toolTipText_);
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = static_cast<UINT_PTR>(panel->index_);
    ::SendMessageW(bar_.get(), SB_GETRECT, static_cast<WPARAM>(panel->index_), reinterpret_cast<LPARAM>(&tool.rect));
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    if (rebuild) {
      ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      ++toolCount_;
    } else {
      ::SendMessageW(tip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
}

void StatusBar::RemoveToolTips() {
  if (!toolTip_ || !bar_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = bar_.get();
  for (int i = toolCount_ - 1; i >= 0; --i) {
    tool.uId = static_cast<UINT_PTR>(i);
    ::SendMessageW(toolTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  toolCount_ = 0;
}

std::span<const Property<StatusBar>> StatusBar::Properties() {
  static const Property<StatusBar> rows[] = {
      {"Count", Accessor<StatusBar>{&StatusBar::Count, &StatusBar::ResizePanels}, 0, Fixed<0, kMaxPanels>},
      {"Enabled", &StatusBar::enabled_, true},
      {"Font", &StatusBar::font_},
      {"ShowTips", &StatusBar::showTips_, true},
      {"SimpleText", &StatusBar::simpleText_, ""},
      {"Style", &StatusBar::style_, 0, Fixed<0, 1>},
  };
  return rows;
}

void StatusBar::Changed(std::string_view key) {
  if (onPropertyChanged) onPropertyChanged(key);
}

void StatusBar::SetCount(int value) {
  if (!AssignProperty(*this, "Count", value)) return;
  Changed("Count");
  Update(false);
  UpdatePanels(-1);
}

void StatusBar::SetEnabled(bool value) {
  AssignProperty(*this, "Enabled", value);
  Changed("Enabled");
  Update(false);
}

void StatusBar::SetFont(const FontDescription& value) {
  AssignProperty(*this, "Font", value);
  Changed("Font");
  Update(false);
  UpdatePanels(-1);
}

Panel* StatusBar::PanelAt(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return panels_[static_cast<std::size_t>(index)].get();
}

void StatusBar::SetShowTips(bool value) {
  AssignProperty(*this, "ShowTips", value);
  Changed("ShowTips");
  Update(false);
}

void StatusBar::SetSimpleText(std::string_view value) {
  AssignProperty(*this, "SimpleText", std::string(value));
  Changed("SimpleText");
  Update(false);
}

void StatusBar::SetStyle(int value) {
  if (!AssignProperty(*this, "Style", value)) return;
  Changed("Style");
  Update(false);
  if (style_ == 0) UpdatePanels(-1);
}

void StatusBar::Refresh() {
  if (bar_) ::InvalidateRect(bar_.get(), nullptr, TRUE);
}

void StatusBar::ReadProperties(const PropertyStore& store) {
  preventUpdate_ = true;
  ReadPropertyTable(*this, store);
  for (const auto& panel : panels_) {
    const int i = panel->index_;
    panel->SetAlignment(store.ReadNumber(ItemKey("PanelAlignment", i), Panel::kLeft));
    panel->SetAutoSize(store.ReadNumber(ItemKey("PanelAutoSize", i), Panel::kNoAutoSize));
    panel->SetBevel(store.ReadNumber(ItemKey("PanelBevel", i), Panel::kInset));
    panel->SetMinWidth(store.ReadNumber(ItemKey("PanelMinWidth", i), 100));
    panel->SetTag(store.ReadText(ItemKey("PanelTag", i), ""));
    panel->SetText(store.ReadText(ItemKey("PanelText", i), ""));
    panel->SetToolTipText(store.ReadText(ItemKey("PanelToolTipText", i), ""));
    panel->SetVisible(store.ReadBool(ItemKey("PanelVisible", i), true));
  }
  preventUpdate_ = false;
  Update(true);
}

void StatusBar::WriteProperties(PropertyStore& store) const {
  WritePropertyTable(*this, store);
  for (const auto& panel : panels_) {
    const int i = panel->index_;
    store.WriteNumber(ItemKey("PanelAlignment", i), panel->alignment_);
    store.WriteNumber(ItemKey("PanelAutoSize", i), panel->autoSize_);
    store.WriteNumber(ItemKey("PanelBevel", i), panel->bevel_);
    store.WriteNumber(ItemKey("PanelMinWidth", i), panel->minWidth_);
    store.WriteText(ItemKey("PanelTag", i), panel->tag_);
    store.WriteText(ItemKey("PanelText", i), panel->text_);
    store.WriteText(ItemKey("PanelToolTipText", i), panel->toolTipText_);
    store.WriteBool(ItemKey("PanelVisible", i), panel->visible_);
  }
}

void StatusBar::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != bar_.get()) return;
  const bool dbl = header.code == NM_DBLCLK || header.code == NM_RDBLCLK;
  const int button = (header.code == NM_RCLICK || header.code == NM_RDBLCLK) ? 2 : 1;
  if (header.code != NM_CLICK && header.code != NM_RCLICK && !dbl) return;
  // The bar reports where it was clicked, in its own client coordinates.
  const POINT point = reinterpret_cast<const NMMOUSE&>(header).pt;
  for (const auto& panel : panels_) {
    RECT part{};
    if (!::SendMessageW(bar_.get(), SB_GETRECT, static_cast<WPARAM>(panel->index_), reinterpret_cast<LPARAM>(&part)))
      continue;
    if (panel->actualWidth_ <= 0 || !::PtInRect(&part, point)) continue;
    const auto& handler = dbl ? onPanelDblClick : onPanelClick;
    if (handler) handler(*panel, button);
    return;
  }
}

void StatusBar::OnDpiChanged() {
  fontHandle_.reset();
  Update(false);
  UpdatePanels(-1);
}

LRESULT StatusBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_SIZE:
      if (bar_) {
        ::SendMessageW(bar_.get(), SB_SETMINHEIGHT, HIWORD(lParam) > 2 ? HIWORD(lParam) - 2 : 0, 0);
        ::MoveWindow(bar_.get(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        UpdatePanels(-1);
      }
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case kDpiChangedAfterParent:
      OnDpiChanged();
      return 0;
    case WM_DESTROY:
      toolTip_.reset();
      bar_.reset();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::controls
