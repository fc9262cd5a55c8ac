// StatusBar: the system status bar (msctls_statusbar32) inside a host window
// of ours, with a list of panels laid out automatically, a tooltip per panel
// and click events. Texts of any length are handed to the system as they are.
#pragma once

#include "controls/control_common.h"
#include "controls/font_description.h"
#include "controls/host_window.h"
#include "controls/property_store.h"
#include "controls/property_table.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellumark::controls {

class StatusBar;

// One part of the bar. Owned by its StatusBar; the reference back to it
// does not keep it alive. Setters ignore values outside their range
// (Alignment, AutoSize, Bevel: 0..2; MinWidth: >= 1).
class Panel {
 public:
  enum : int { kLeft = 0, kCenter = 1, kRight = 2 };            // Alignment
  enum : int { kNoAutoSize = 0, kSpring = 1, kContents = 2 };   // AutoSize
  enum : int { kNoBevel = 0, kInset = 1, kRaised = 2 };         // Bevel

  explicit Panel(StatusBar& owner, int index) : owner_(&owner), index_(index) {}

  int ActualWidth() const { return actualWidth_; }  // pixels, from the last layout
  int Alignment() const { return alignment_; }
  void SetAlignment(int value);
  int AutoSize() const { return autoSize_; }
  void SetAutoSize(int value);
  int Bevel() const { return bevel_; }
  void SetBevel(int value);
  int Index() const { return index_; }
  int MinWidth() const { return minWidth_; }  // 96-DPI units
  void SetMinWidth(int value);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string_view value);
  const std::string& Text() const { return text_; }
  void SetText(std::string_view value);
  const std::string& ToolTipText() const { return toolTipText_; }
  void SetToolTipText(std::string_view value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

 private:
  friend class StatusBar;
  void Changed(std::string_view name, bool layout);

  StatusBar* owner_;
  int index_;
  int actualWidth_ = 0;
  int alignment_ = kLeft;
  int autoSize_ = kNoAutoSize;
  int bevel_ = kInset;
  int minWidth_ = 100;
  std::string tag_;
  std::string text_;
  std::string toolTipText_;
  bool visible_ = true;
};

class StatusBar : public HostWindow<StatusBar> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkStatusBar";
  static constexpr UINT kClassStyle = 0;

  // Creates the host, bar and tooltip windows; Hwnd() is null when that
  // failed. The bar has a size grip when the parent has a sizing border.
  explicit StatusBar(const Placement& placement);
  ~StatusBar();

  // The persisted properties in the order they are written.
  static std::span<const Property<StatusBar>> Properties();

  HWND ControlHwnd() const { return bar_.get(); }
  HWND ToolTipHwnd() const { return toolTip_.get(); }
  int Count() const { return static_cast<int>(panels_.size()); }
  void SetCount(int value);  // values outside 0..256 are ignored
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const FontDescription& Font() const { return font_; }
  void SetFont(const FontDescription& value);
  // Panel number `index`, or null outside 0..Count()-1.
  Panel* PanelAt(int index);
  bool PreventUpdate() const { return preventUpdate_; }
  void SetPreventUpdate(bool value) { preventUpdate_ = value; }
  bool ShowTips() const { return showTips_; }
  void SetShowTips(bool value);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(std::string_view value);
  int Style() const { return style_; }  // 0 panels, 1 simple
  void SetStyle(int value);             // values outside 0..1 are ignored

  void Refresh();
  // Lays the panels out again and shows panel `index` (-1: every panel);
  // nothing while PreventUpdate() is true.
  void UpdatePanels(int index);

  // Keys "Count", "Enabled", "Font", "ShowTips", "SimpleText", "Style",
  // then per panel "PanelAlignment(i)", "PanelAutoSize(i)", "PanelBevel(i)",
  // "PanelMinWidth(i)", "PanelTag(i)", "PanelText(i)",
  // "PanelToolTipText(i)", "PanelVisible(i)".
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

  // Button: 1 left, 2 right.
  std::function<void(Panel& panel, int button)> onPanelClick;
  std::function<void(Panel& panel, int button)> onPanelDblClick;
  PropertyChanged onPropertyChanged;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  friend class Panel;
  void Changed(std::string_view key);
  void Update(bool recreate);
  void CreateWindows();
  void ResizePanels(int count);
  void Layout();
  void ShowPanelText(const Panel& panel);
  void UpdateToolTips(bool rebuild);
  void RemoveToolTips();
  void OnNotify(const NMHDR& header);
  void OnDpiChanged();

  win32::UniqueWindow bar_;
  win32::UniqueWindow toolTip_;
  win32::UniqueFont fontHandle_;
  std::vector<std::unique_ptr<Panel>> panels_;
  int toolCount_ = 0;
  bool enabled_ = false;
  FontDescription font_;
  bool preventUpdate_ = false;
  bool showTips_ = false;
  std::string simpleText_;
  int style_ = 0;
};

}  // namespace vellumark::controls
