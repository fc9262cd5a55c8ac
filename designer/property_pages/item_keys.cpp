#include "designer/property_pages/item_keys.h"

#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace vellumark::controls::pages {
namespace {

// One persisted item property: its key name and how to read it from an item.
struct ItemKeyDefinition {
  std::string_view name;
  PropertyStore::Value (*value)(const ItemValues&);
};

PropertyStore::Value Number(int value) { return PropertyStore::Number{value, false}; }

constexpr std::array<ItemKeyDefinition, 8> kPanelKeys{{
    {"PanelAlignment", [](const ItemValues& v) { return Number(v.alignment); }},
    {"PanelAutoSize", [](const ItemValues& v) { return Number(v.autoSize); }},
    {"PanelBevel", [](const ItemValues& v) { return Number(v.bevel); }},
    {"PanelMinWidth", [](const ItemValues& v) { return Number(v.minWidth); }},
    {"PanelTag", [](const ItemValues& v) { return PropertyStore::Value(v.tag); }},
    {"PanelText", [](const ItemValues& v) { return PropertyStore::Value(v.text); }},
    {"PanelToolTipText", [](const ItemValues& v) { return PropertyStore::Value(v.toolTipText); }},
    {"PanelVisible", [](const ItemValues& v) { return PropertyStore::Value(v.visible); }},
}};

constexpr std::array<ItemKeyDefinition, 5> kSystemMenuKeys{{
    {"SystemMenuItemChecked", [](const ItemValues& v) { return PropertyStore::Value(v.checked); }},
    {"SystemMenuItemEnabled", [](const ItemValues& v) { return PropertyStore::Value(v.enabled); }},
    {"SystemMenuItemStyle", [](const ItemValues& v) { return Number(v.style); }},
    {"SystemMenuItemTag", [](const ItemValues& v) { return PropertyStore::Value(v.tag); }},
    {"SystemMenuItemText", [](const ItemValues& v) { return PropertyStore::Value(v.text); }},
}};

constexpr std::array<ItemKeyDefinition, 5> kPopupMenuKeys{{
    {"PopupMenuItemChecked", [](const ItemValues& v) { return PropertyStore::Value(v.checked); }},
    {"PopupMenuItemEnabled", [](const ItemValues& v) { return PropertyStore::Value(v.enabled); }},
    {"PopupMenuItemStyle", [](const ItemValues& v) { return Number(v.style); }},
    {"PopupMenuItemTag", [](const ItemValues& v) { return PropertyStore::Value(v.tag); }},
    {"PopupMenuItemText", [](const ItemValues& v) { return PropertyStore::Value(v.text); }},
}};

std::span<const ItemKeyDefinition> KeysOf(PageKind kind) {
  switch (kind) {
    case PageKind::kPanels: return kPanelKeys;
    case PageKind::kSystemMenuItems: return kSystemMenuKeys;
    case PageKind::kPopupMenuItems: return kPopupMenuKeys;
  }
  return {};
}

// True when `key` is "<name>(<n>)" for one of the kind's item keys with
// n >= `count`.
bool IsKeyBeyond(std::span<const ItemKeyDefinition> keys, std::string_view key, int count) {
  const auto open = key.find('(');
  if (open == std::string_view::npos || key.back() != ')') return false;
  const std::string_view name = key.substr(0, open);
  const std::string_view digits = key.substr(open + 1, key.size() - open - 2);
  bool known = false;
  for (const ItemKeyDefinition& definition : keys) known = known || definition.name == name;
  if (!known || digits.empty()) return false;
  long long index = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  return error == std::errc() && end == digits.data() + digits.size() && index >= count;
}

void DropKeysBeyond(std::span<const ItemKeyDefinition> keys, int count, PropertyStore& store) {
  std::vector<PropertyStore::Entry> kept;
  bool dropped = false;
  for (const PropertyStore::Entry& entry : store.Entries()) {
    if (IsKeyBeyond(keys, entry.key, count)) {
      dropped = true;
    } else {
      kept.push_back(entry);
    }
  }
  if (!dropped) return;
  store.Clear();
  for (PropertyStore::Entry& entry : kept) store.Write(entry.key, std::move(entry.value));
}

}  // namespace

void StoreItems(PageKind kind, std::span<const ItemValues> items, PropertyStore& store) {
  const std::span<const ItemKeyDefinition> keys = KeysOf(kind);
  const int count = static_cast<int>(items.size());
  DropKeysBeyond(keys, count, store);
  if (count != 0 || store.Contains("Count")) store.WriteNumber("Count", count);
  const ItemValues defaults;
  for (int i = 0; i < count; ++i) {
    for (const ItemKeyDefinition& definition : keys) {
      const std::string key = ItemKey(definition.name, i);
      PropertyStore::Value value = definition.value(items[static_cast<std::size_t>(i)]);
      if (store.Contains(key) || value != definition.value(defaults)) store.Write(key, std::move(value));
    }
  }
}

}  // namespace vellumark::controls::pages
