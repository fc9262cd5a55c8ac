// SystemMenu: entries of ours appended to a form's system (window) menu,
// after the system's own entries; choosing one raises onItemClick with it.
// The form's window is subclassed to receive the commands.
//
// Command identifiers are (Index + 1) * 16: the system keeps the low four
// bits of WM_SYSCOMMAND for itself, and all its own commands lie at 0xF000
// and above, so at most kMaxCount entries fit below them.
#pragma once

#include "controls/control_common.h"
#include "controls/menu_item.h"
#include "controls/property_store.h"
#include "controls/subclassing.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellumark::controls {

class SystemMenu;

// One entry. Owned by its SystemMenu; the reference back does not keep it
// alive. Each setter shows the change in the menu at once (unless the
// menu's PreventUpdate is set).
class SystemMenuItem final : public MenuItem {
 public:
  SystemMenuItem(SystemMenu& owner, int index) : MenuItem("SystemMenuItem", index), owner_(&owner) {}

 private:
  void Changed(const std::string& key) override;

  SystemMenu* owner_;
};

class SystemMenu {
 public:
  static constexpr int kMaxCount = 0xEFF;

  // Works on the system menu of `form`; inert when the form has none.
  explicit SystemMenu(HWND form);
  // Removes its entries from the menu and ends the subclassing.
  ~SystemMenu();
  SystemMenu(const SystemMenu&) = delete;
  SystemMenu& operator=(const SystemMenu&) = delete;

  static UINT CommandId(int index) { return static_cast<UINT>(index + 1) << 4; }

  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int value);  // values outside 0..kMaxCount are ignored
  bool Enabled() const { return enabled_; }  // false grays every entry
  void SetEnabled(bool value);
  // Entry number `index`, or null outside 0..Count()-1.
  SystemMenuItem* SystemMenuItemAt(int index);
  bool PreventUpdate() const { return preventUpdate_; }
  void SetPreventUpdate(bool value) { preventUpdate_ = value; }
  // -1 rebuilds every entry; another index changes that entry in place.
  // Nothing while PreventUpdate() is true or without a system menu.
  void UpdateSystemMenuItems(int index);

  // Keys "Count", "Enabled", then per entry "SystemMenuItemChecked(i)",
  // "SystemMenuItemEnabled(i)", "SystemMenuItemStyle(i)",
  // "SystemMenuItemTag(i)", "SystemMenuItemText(i)".
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

  std::function<void(SystemMenuItem& item)> onItemClick;
  PropertyChanged onPropertyChanged;

 private:
  friend class SystemMenuItem;
  void Changed(std::string_view key);
  void Update();
  void ResizeItems(int count);
  void RemoveAppended();
  LRESULT FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND form_;
  HMENU menu_ = nullptr;  // belongs to the form's window
  Subclassing formSubclass_;
  std::vector<std::unique_ptr<SystemMenuItem>> items_;
  int appended_ = 0;  // entries of ours now in the menu
  bool enabled_ = true;
  bool preventUpdate_ = false;
};

}  // namespace vellumark::controls
