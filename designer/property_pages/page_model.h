// What the three item pages show and how their inputs map to an item's
// properties, without any window: the pages' inputs and labels, the choice
// lists of their combo boxes, filling the inputs from an item and reading
// them back, and when the inputs are usable.
//
//   auto inputs = FillInputs(PageKind::kPanels, panel);   // one value per input
//   inputs[0].text = "Ready";                              // TextText
//   std::string error;
//   if (auto edited = ReadInputs(PageKind::kPanels, inputs, panel, error)) apply(*edited);
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::controls::pages {

// Panels edits a status bar's panels, SystemMenuItems a system menu's
// entries, PopupMenuItems a drop-down button's menu entries.
enum class PageKind { kPanels, kSystemMenuItems, kPopupMenuItems };

enum class Field { kText, kMinWidth, kAlignment, kAutoSize, kBevel, kVisible, kToolTipText, kTag, kStyle, kChecked, kEnabled };

enum class InputKind { kText, kCombo, kCheck };

// One input of a page: its control name, its label and the item property
// it edits.
struct InputDefinition {
  std::string_view name;
  std::string_view label;
  InputKind kind;
  Field field;
};

// Every property an item of any kind has; each kind uses its own subset
// (panels: text to visible; menu entries: text, tag, style, checked,
// enabled). The defaults are those of a new item.
struct ItemValues {
  std::string text;
  std::string tag;
  std::string toolTipText;
  int minWidth = 100;
  int alignment = 0;
  int autoSize = 0;
  int bevel = 1;
  bool visible = true;
  int style = 0;
  bool checked = false;
  bool enabled = true;

  bool operator==(const ItemValues&) const = default;
};

// The value shown by one input: text boxes use `text`, combo boxes
// `position` (-1: nothing chosen), check boxes `checked`.
struct InputValue {
  std::string text;
  int position = -1;
  bool checked = false;

  bool operator==(const InputValue&) const = default;
};

// Inputs are disabled and take this colour (system colour 0) while the
// control has no items.
inline constexpr std::uint32_t kDisabledInputColor = 0x80000000;

// "Panels", "SystemMenuItems" or "PopupMenuItems".
std::string_view PageName(PageKind kind);

// The page's inputs in the order they are laid out.
std::span<const InputDefinition> PageInputs(PageKind kind);

// The entries of the combo box editing `field` ("0 - sbrLeft", ...); the
// list position equals the value. Empty for a field without a list.
std::vector<std::string> ChoiceList(PageKind kind, Field field);

// One value per input of PageInputs(kind), taken from `item`.
std::vector<InputValue> FillInputs(PageKind kind, const ItemValues& item);

// `item` with the properties the page edits replaced by the inputs. Nothing
// (and a sentence for people in `error`) when an input holds a value the
// item cannot take, such as a MinWidth that is no whole number from 1 to
// 32767; the caller then keeps the item as it was.
std::optional<ItemValues> ReadInputs(PageKind kind, std::span<const InputValue> inputs, const ItemValues& item,
                                     std::string& error);

// Inputs are usable only while the control has items.
inline bool InputsEnabled(int count) { return count > 0; }

// The index scroll bar runs from 0 to this value.
inline int ScrollMaximum(int count) { return count > 0 ? count - 1 : 0; }

}  // namespace vellumark::controls::pages
