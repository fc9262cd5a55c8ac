// DropDownButton: an owner-drawn push button with a caption and a small
// arrow that opens a popup menu of its entries; choosing an entry raises
// onItemClick with it. The button opens with a click, Enter, Space or
// Alt+Down, and with its mnemonic ("&Process" -> Alt+P).
#pragma once

#include "controls/control_common.h"
#include "controls/font_description.h"
#include "controls/host_window.h"
#include "controls/menu_item.h"
#include "controls/property_store.h"
#include "controls/property_table.h"
#include "controls/subclassing.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellumark::controls {

class DropDownButton;

// One entry of the menu. Owned by its DropDownButton; the reference back
// does not keep the button alive.
class PopupMenuItem final : public MenuItem {
 public:
  PopupMenuItem(DropDownButton& owner, int index) : MenuItem("PopupMenuItem", index), owner_(&owner) {}

 private:
  void Changed(const std::string& key) override;

  DropDownButton* owner_;
};

class DropDownButton : public HostWindow<DropDownButton> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkDropDownButton";
  static constexpr UINT kClassStyle = 0;

  // Creates the host and button windows; Hwnd() is null when that failed.
  explicit DropDownButton(const Placement& placement);
  ~DropDownButton();

  // The persisted properties in the order they are written.
  static std::span<const Property<DropDownButton>> Properties();

  int ArrowStyle() const { return arrowStyle_; }  // 0 down (menu below), 1 right (menu to the right)
  void SetArrowStyle(int value);                  // values outside 0..1 are ignored
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t value);
  HWND ControlHwnd() const { return button_.get(); }
  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int value);  // values outside 0..32767 are ignored
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const FontDescription& Font() const { return font_; }
  void SetFont(const FontDescription& value);
  std::uint32_t ForeColor() const { return foreColor_; }
  void SetForeColor(std::uint32_t value);
  // Entry number `index`, or null outside 0..Count()-1.
  PopupMenuItem* PopupMenuItemAt(int index);
  const std::string& Text() const { return text_; }
  void SetText(std::string_view value);

  void Refresh();

  // The menu the button opens, built from the entries: command identifier
  // = entry index, separators for separator entries, grayed and checked as
  // the entries say.
  win32::UniqueMenu BuildPopupMenu() const;
  // Raises onClick, then shows the menu at the button (below it, or to its
  // right for ArrowStyle 1) until the user chooses or cancels.
  void OpenMenu();

  // Keys "ArrowStyle", "BackColor", "Count", "Enabled", "Font", "ForeColor",
  // "Text", then per entry "PopupMenuItemChecked(i)", "PopupMenuItemEnabled(i)",
  // "PopupMenuItemStyle(i)", "PopupMenuItemTag(i)", "PopupMenuItemText(i)".
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

  // Raised each time the menu is about to open, before it is built.
  std::function<void()> onClick;
  // Raised when the user chooses a text entry.
  std::function<void(PopupMenuItem& item)> onItemClick;
  PropertyChanged onPropertyChanged;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  template <class T>
  void Set(std::string_view key, T value);
  void Changed(std::string_view key);
  void Update();
  void ResizeItems(int count);
  LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void Draw(const DRAWITEMSTRUCT& item);
  void FillBackground(HDC dc, RECT& rect) const;
  void DrawCaption(HDC dc, RECT& rect, COLORREF color) const;
  void DrawArrow(HDC dc, int x, int y, COLORREF color) const;

  win32::UniqueWindow button_;
  win32::UniqueFont fontHandle_;
  Subclassing buttonSubclass_;
  std::vector<std::unique_ptr<PopupMenuItem>> items_;
  int arrowStyle_ = 0;
  std::uint32_t backColor_ = 0;
  bool enabled_ = false;
  FontDescription font_;
  std::uint32_t foreColor_ = 0;
  std::string text_;
  // Drawing state: pushed look while the left button is held inside; the
  // extra frame while an event is being raised; where the mouse was last.
  bool pressed_ = false;
  bool inEvent_ = false;
  bool inside_ = false;
  bool outside_ = false;
};

}  // namespace vellumark::controls
