// The item lists of the status bar, the system menu and the drop-down
// button as the pages reach them, through the controls' public members.
#pragma once

#include "controls/drop_down_button.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
#include "designer/property_pages/item_list.h"

namespace vellumark::controls::pages {

// Panels of a status bar; a change is shown through UpdatePanels.
class StatusBarItems final : public ItemList {
 public:
  // The status bar shows at most this many parts.
  static constexpr int kMaxPanels = 256;

  explicit StatusBarItems(StatusBar& bar) : bar_(bar) {}
  PageKind Kind() const override { return PageKind::kPanels; }
  int Count() const override { return bar_.Count(); }
  int MaxCount() const override { return kMaxPanels; }
  ItemValues Item(int index) const override;
  void WriteItem(int index, const ItemValues& values) override;
  void SetCount(int count) override { bar_.SetCount(count); }
  void SetPreventUpdate(bool value) override { bar_.SetPreventUpdate(value); }
  void ShowChange(int index) override { bar_.UpdatePanels(index); }

 private:
  StatusBar& bar_;
};

// Entries of a system menu; a change is shown through UpdateSystemMenuItems.
class SystemMenuItems final : public ItemList {
 public:
  explicit SystemMenuItems(SystemMenu& menu) : menu_(menu) {}
  PageKind Kind() const override { return PageKind::kSystemMenuItems; }
  int Count() const override { return menu_.Count(); }
  int MaxCount() const override { return SystemMenu::kMaxCount; }
  ItemValues Item(int index) const override;
  void WriteItem(int index, const ItemValues& values) override;
  void SetCount(int count) override { menu_.SetCount(count); }
  void SetPreventUpdate(bool value) override { menu_.SetPreventUpdate(value); }
  void ShowChange(int index) override { menu_.UpdateSystemMenuItems(index); }

 private:
  SystemMenu& menu_;
};

// Menu entries of a drop-down button. The button builds its menu from the
// entries each time it opens, so there is nothing to show at once.
class PopupMenuItems final : public ItemList {
 public:
  static constexpr int kMaxItems = 32767;

  explicit PopupMenuItems(DropDownButton& button) : button_(button) {}
  PageKind Kind() const override { return PageKind::kPopupMenuItems; }
  int Count() const override { return button_.Count(); }
  int MaxCount() const override { return kMaxItems; }
  ItemValues Item(int index) const override;
  void WriteItem(int index, const ItemValues& values) override;
  void SetCount(int count) override { button_.SetCount(count); }
  void SetPreventUpdate(bool) override {}
  void ShowChange(int) override {}

 private:
  DropDownButton& button_;
};

}  // namespace vellumark::controls::pages
