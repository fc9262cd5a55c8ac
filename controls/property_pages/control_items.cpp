#include "controls/property_pages/control_items.h"

namespace vellumark::controls::pages {

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

ItemValues SystemMenuItems::Item(int index) const {
  ItemValues values;
  if (const SystemMenuItem* item = menu_.SystemMenuItemAt(index)) {
    values.text = item->Text();
    values.style = item->Style();
    values.checked = item->Checked();
    values.enabled = item->Enabled();
    values.tag = item->Tag();
  }
  return values;
}

void SystemMenuItems::WriteItem(int index, const ItemValues& values) {
  SystemMenuItem* item = menu_.SystemMenuItemAt(index);
  if (item == nullptr) return;
  item->SetText(values.text);
  item->SetStyle(values.style);
  item->SetChecked(values.checked);
  item->SetEnabled(values.enabled);
  item->SetTag(values.tag);
}

ItemValues PopupMenuItems::Item(int index) const {
  ItemValues values;
  if (const PopupMenuItem* item = button_.PopupMenuItemAt(index)) {
    values.text = item->Text();
    values.style = item->Style();
    values.checked = item->Checked();
    values.enabled = item->Enabled();
    values.tag = item->Tag();
  }
  return values;
}

void PopupMenuItems::WriteItem(int index, const ItemValues& values) {
  PopupMenuItem* item = button_.PopupMenuItemAt(index);
  if (item == nullptr) return;
  item->SetText(values.text);
  item->SetStyle(values.style);
  item->SetChecked(values.checked);
  item->SetEnabled(values.enabled);
  item->SetTag(values.tag);
}

}  // namespace vellumark::controls::pages
