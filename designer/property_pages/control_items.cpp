#include "designer/property_pages/control_items.h"

namespace vellumark::controls::pages {
namespace {

// System menu entries and drop-down button entries carry the same values
// under the same names.
template <typename MenuItem>
ItemValues MenuItemValues(const MenuItem* item) {
  ItemValues values;
  if (item != nullptr) {
    values.text = item->Text();
    values.style = item->Style();
    values.checked = item->Checked();
    values.enabled = item->Enabled();
    values.tag = item->Tag();
  }
  return values;
}

template <typename MenuItem>
void WriteMenuItem(MenuItem* item, const ItemValues& values) {
  if (item == nullptr) return;
  item->SetText(values.text);
  item->SetStyle(values.style);
  item->SetChecked(values.checked);
  item->SetEnabled(values.enabled);
  item->SetTag(values.tag);
}

}  // namespace

ItemValues StatusBarItems::Item(int index) const {
  ItemValues values;
  if (const Panel* panel = bar_.PanelAt(index)) {
    values.text = panel->Text();
    values.minWidth = panel->MinWidth();
    values.alignment = panel->Alignment();
    values.autoSize = panel->AutoSize();
    values.bevel = panel->Bevel();
    values.visible = panel->Visible();
    values.toolTipText = panel->ToolTipText();
    values.tag = panel->Tag();
  }
  return values;
}

void StatusBarItems::WriteItem(int index, const ItemValues& values) {
  Panel* panel = bar_.PanelAt(index);
  if (panel == nullptr) return;
  panel->SetText(values.text);
  panel->SetMinWidth(values.minWidth);
  panel->SetAlignment(values.alignment);
  panel->SetAutoSize(values.autoSize);
  panel->SetBevel(values.bevel);
  panel->SetVisible(values.visible);
  panel->SetToolTipText(values.toolTipText);
  panel->SetTag(values.tag);
}

ItemValues SystemMenuItems::Item(int index) const { return MenuItemValues(menu_.SystemMenuItemAt(index)); }

void SystemMenuItems::WriteItem(int index, const ItemValues& values) {
  WriteMenuItem(menu_.SystemMenuItemAt(index), values);
}

ItemValues PopupMenuItems::Item(int index) const { return MenuItemValues(button_.PopupMenuItemAt(index)); }

void PopupMenuItems::WriteItem(int index, const ItemValues& values) {
  WriteMenuItem(button_.PopupMenuItemAt(index), values);
}

}  // namespace vellumark::controls::pages
