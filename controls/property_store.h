// Persisted properties of forms and controls: a small key -> value store per
// control, and the form description that holds one store per control.
//
// A form description is plain UTF-8 text, one property per line:
//
//   # The main window's status bar
//   [StatusBarVellumark]
//   Count = 3
//   PanelText(0) = "Folders: 12"
//   ShowTips = True
//   BackColor = 0x8000000F
//
// A "[Name]" line starts the properties of the control called Name. Values
// are quoted texts (escapes \" \\ \n \r \t), whole numbers (decimal, or
// hexadecimal after "0x", up to 32 bits) or True/False. Blank lines and lines
// starting with "#" are ignored. Nothing here touches the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellumark::controls {

// The key of an item property: ItemKey("PanelText", 0) == "PanelText(0)".
std::string ItemKey(std::string_view name, int index);

class PropertyStore {
 public:
  struct Number {
    std::int64_t value = 0;
    bool hexadecimal = false;  // written back as 0x... (colours)
    bool operator==(const Number&) const = default;
  };
  using Value = std::variant<bool, Number, std::string>;
  struct Entry {
    std::string key;
    Value value;
  };

  // Each reader gives `defaultValue` when the key is missing or holds
  // another kind of value (or a number outside the reader's range).
  std::string ReadText(std::string_view key, std::string_view defaultValue) const;
  std::int32_t ReadNumber(std::string_view key, std::int32_t defaultValue) const;
  std::uint32_t ReadColor(std::string_view key, std::uint32_t defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;

  // Writing a key that exists replaces its value in place; a new key is
  // appended, so a control's keys keep the order it writes them in.
  void WriteText(std::string_view key, std::string_view value);
  void WriteNumber(std::string_view key, std::int64_t value);
  void WriteColor(std::string_view key, std::uint32_t value);
  void WriteBool(std::string_view key, bool value);
  void Write(std::string_view key, Value value);

  bool Contains(std::string_view key) const { return Find(key) != nullptr; }
  const std::vector<Entry>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  const Value* Find(std::string_view key) const;
  std::vector<Entry> entries_;
};

class FormDescription {
 public:
  // The store of the named control, created empty when missing.
  PropertyStore& Control(std::string_view name);
  // The store of the named control, or null.
  const PropertyStore* Find(std::string_view name) const;
  // Control names in the order they appear.
  std::vector<std::string> Names() const;

  // The description in `text`; nullopt on a malformed line, with
  // "line N: reason" in `error` when given.
  static std::optional<FormDescription> Parse(std::string_view text, std::string* error = nullptr);
  // The text form that Parse reads back to an equal description.
  std::string ToText() const;

 private:
  std::vector<std::pair<std::string, PropertyStore>> controls_;
};

}  // namespace vellumark::controls
