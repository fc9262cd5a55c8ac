// A control's persisted properties as one table: each row gives the key,
// where the value lives, its default and, for numbers, the values accepted.
// The setters, reading a property store and writing one all go through the
// rows, so a stored value outside the range is refused as a setter refuses it.
#pragma once

#include "controls/font_description.h"
#include "controls/property_store.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace vellumark::controls {

struct Range {
  std::int64_t low;
  std::int64_t high;
};

// A number held elsewhere than in a member, such as a count of items.
template <class C>
struct Accessor {
  int (C::*get)() const;
  void (C::*set)(int);
};

template <class C>
struct Property {
  using Place = std::variant<int C::*, std::uint32_t C::*, bool C::*, std::string C::*, FontDescription C::*, Accessor<C>>;
  std::string_view key;
  Place place;
  std::variant<std::int64_t, std::string_view> defaultValue = std::int64_t{0};
  // The accepted numbers, which may depend on the control's other values;
  // null: every value.
  Range (*range)(const C&) = nullptr;
};

template <std::int64_t Low, std::int64_t High, class C>
Range Fixed(const C&) {
  return {Low, High};
}

namespace property_table_detail {

template <class C>
bool Accepts(const Property<C>& row, const C& control, std::int64_t value) {
  if (row.range == nullptr) return true;
  const Range range = row.range(control);
  return value >= range.low && value <= range.high;
}

template <class C, class T>
void Put(const Property<C>& row, C& control, T value) {
  std::visit(
      [&](auto place) {
        using Place = decltype(place);
        if constexpr (std::is_same_v<Place, Accessor<C>>) {
          if constexpr (std::is_same_v<T, int>) (control.*place.set)(value);
        } else if constexpr (std::is_same_v<std::remove_reference_t<decltype(control.*place)>, T>) {
          control.*place = std::move(value);
        }
      },
      row.place);
}

template <class C>
const Property<C>* Row(std::string_view key) {
  for (const auto& row : C::Properties())
    if (row.key == key) return &row;
  return nullptr;
}

}  // namespace property_table_detail

// Stores `value` as property `key` when its row accepts it; false when refused.
template <class C, class T>
bool AssignProperty(C& control, std::string_view key, T value) {
  const auto* row = property_table_detail::Row<C>(key);
  if (row == nullptr) return false;
  if constexpr (std::is_same_v<T, int>)
    if (!property_table_detail::Accepts(*row, control, value)) return false;
  property_table_detail::Put(*row, control, std::move(value));
  return true;
}

// Gives every property its default.
template <class C>
void ResetProperties(C& control) {
  for (const auto& row : C::Properties()) {
    if (const auto* text = std::get_if<std::string_view>(&row.defaultValue)) {
      property_table_detail::Put(row, control, std::string(*text));
      continue;
    }
    const std::int64_t number = std::get<std::int64_t>(row.defaultValue);
    property_table_detail::Put(row, control, static_cast<int>(number));
    property_table_detail::Put(row, control, static_cast<std::uint32_t>(number));
    property_table_detail::Put(row, control, number != 0);
    property_table_detail::Put(row, control, FontDescription{});
  }
}

// Gives every property its default, then the stored value where the store
// holds one the control accepts.
template <class C>
void ReadPropertyTable(C& control, const PropertyStore& store) {
  ResetProperties(control);
  for (const auto& row : C::Properties()) {
    std::visit(
        [&](auto place) {
          using Place = decltype(place);
          if constexpr (std::is_same_v<Place, Accessor<C>>) {
            const int value = store.ReadNumber(row.key, (control.*place.get)());
            if (property_table_detail::Accepts(row, control, value)) (control.*place.set)(value);
          } else {
            auto& member = control.*place;
            using T = std::remove_reference_t<decltype(member)>;
            if constexpr (std::is_same_v<T, std::string>) {
              member = store.ReadText(row.key, member);
            } else if constexpr (std::is_same_v<T, FontDescription>) {
              member = FontDescription::FromText(store.ReadText(row.key, member.ToText())).value_or(member);
            } else if constexpr (std::is_same_v<T, bool>) {
              member = store.ReadBool(row.key, member);
            } else if constexpr (std::is_same_v<T, std::uint32_t>) {
              member = store.ReadColor(row.key, member);
            } else {
              const int value = store.ReadNumber(row.key, member);
              if (property_table_detail::Accepts(row, control, value)) member = value;
            }
          }
        },
        row.place);
  }
}

// Writes every property in the table's order.
template <class C>
void WritePropertyTable(const C& control, PropertyStore& store) {
  for (const auto& row : C::Properties()) {
    std::visit(
        [&](auto place) {
          using Place = decltype(place);
          if constexpr (std::is_same_v<Place, Accessor<C>>) {
            store.WriteNumber(row.key, (control.*place.get)());
          } else {
            const auto& member = control.*place;
            using T = std::remove_cvref_t<decltype(member)>;
            if constexpr (std::is_same_v<T, std::string>) store.WriteText(row.key, member);
            else if constexpr (std::is_same_v<T, FontDescription>) store.WriteText(row.key, member.ToText());
            else if constexpr (std::is_same_v<T, bool>) store.WriteBool(row.key, member);
            else if constexpr (std::is_same_v<T, std::uint32_t>) store.WriteColor(row.key, member);
            else store.WriteNumber(row.key, member);
          }
        },
        row.place);
  }
}

}  // namespace vellumark::controls
