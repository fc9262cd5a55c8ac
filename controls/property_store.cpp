#include "controls/property_store.h"

#include "support/ascii.h"

#include <charconv>
#include <limits>

namespace vellumark::controls {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) { return ascii::Trimmed(text, kBlanks); }

std::optional<std::string> ParseQuoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (c == '"') return std::nullopt;
    if (c == '\\') {
      if (i + 2 >= text.size()) return std::nullopt;
      switch (text[++i]) {
        case '"': c = '"'; break;
        case '\\': c = '\\'; break;
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 't': c = '\t'; break;
        default: return std::nullopt;
      }
    }
    out += c;
  }
  return out;
}

std::optional<PropertyStore::Number> ParseNumber(std::string_view text) {
  PropertyStore::Number number;
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    number.hexadecimal = true;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  if (negative && (number.hexadecimal || magnitude > 0x80000000u)) return std::nullopt;
  number.value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return number;
}

std::optional<PropertyStore::Value> ParseValue(std::string_view text) {
  if (!text.empty() && text.front() == '"') {
    if (auto quoted = ParseQuoted(text)) return PropertyStore::Value(std::move(*quoted));
    return std::nullopt;
  }
  if (ascii::EqualsIgnoringCase(text, "True")) return PropertyStore::Value(true);
  if (ascii::EqualsIgnoringCase(text, "False")) return PropertyStore::Value(false);
  if (auto number = ParseNumber(text)) return PropertyStore::Value(*number);
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

std::string FormatValue(const PropertyStore::Value& value) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (const auto* text = std::get_if<std::string>(&value)) return Quote(*text);
  const auto& number = std::get<PropertyStore::Number>(value);
  if (!number.hexadecimal || number.value < 0) return std::to_string(number.value);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  for (auto rest = static_cast<std::uint64_t>(number.value); rest != 0 || digits.empty(); rest /= 16)
    digits.insert(digits.begin(), kDigits[rest % 16]);
  return "0x" + digits;
}

bool ValidKey(std::string_view key) {
  if (key.empty()) return false;
  for (const char c : key)
    if (c == '=' || c == '[' || c == ']' || c == '"' || c == '#' || kBlanks.find(c) != std::string_view::npos ||
        c == '\n')
      return false;
  return true;
}

}  // namespace

std::string ItemKey(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

const PropertyStore::Value* PropertyStore::Find(std::string_view key) const {
  for (const auto& entry : entries_)
    if (entry.key == key) return &entry.value;
  return nullptr;
}

std::string PropertyStore::ReadText(std::string_view key, std::string_view defaultValue) const {
  const Value* value = Find(key);
  const auto* text = value ? std::get_if<std::string>(value) : nullptr;
  return text ? *text : std::string(defaultValue);
}

std::int32_t PropertyStore::ReadNumber(std::string_view key, std::int32_t defaultValue) const {
  const Value* value = Find(key);
  const auto* number = value ? std::get_if<Number>(value) : nullptr;
  if (number == nullptr || number->value < std::numeric_limits<std::int32_t>::min() ||
      number->value > std::numeric_limits<std::int32_t>::max())
    return defaultValue;
  return static_cast<std::int32_t>(number->value);
}

std::uint32_t PropertyStore::ReadColor(std::string_view key, std::uint32_t defaultValue) const {
  const Value* value = Find(key);
  const auto* number = value ? std::get_if<Number>(value) : nullptr;
  if (number == nullptr || number->value < std::numeric_limits<std::int32_t>::min() ||
      number->value > std::numeric_limits<std::uint32_t>::max())
    return defaultValue;
  return static_cast<std::uint32_t>(number->value);
}

bool PropertyStore::ReadBool(std::string_view key, bool defaultValue) const {
  const Value* value = Find(key);
  const auto* flag = value ? std::get_if<bool>(value) : nullptr;
  return flag ? *flag : defaultValue;
}

void PropertyStore::Write(std::string_view key, Value value) {
  for (auto& entry : entries_) {
    if (entry.key == key) {
      entry.value = std::move(value);
      return;
    }
  }
  entries_.push_back({std::string(key), std::move(value)});
}

void PropertyStore::WriteText(std::string_view key, std::string_view value) { Write(key, std::string(value)); }
void PropertyStore::WriteNumber(std::string_view key, std::int64_t value) { Write(key, Number{value, false}); }
void PropertyStore::WriteColor(std::string_view key, std::uint32_t value) { Write(key, Number{value, true}); }
void PropertyStore::WriteBool(std::string_view key, bool value) { Write(key, value); }

PropertyStore& FormDescription::Control(std::string_view name) {
  for (auto& [controlName, store] : controls_)
    if (controlName == name) return store;
  return controls_.emplace_back(std::string(name), PropertyStore{}).second;
}

const PropertyStore* FormDescription::Find(std::string_view name) const {
  for (const auto& [controlName, store] : controls_)
    if (controlName == name) return &store;
  return nullptr;
}

std::vector<std::string> FormDescription::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : controls_) names.push_back(entry.first);
  return names;
}

std::optional<FormDescription> FormDescription::Parse(std::string_view text, std::string* error) {
  FormDescription form;
  PropertyStore* current = nullptr;
  int lineNumber = 0;
  const auto fail = [&](std::string_view reason) -> std::optional<FormDescription> {
    if (error) *error = "line " + std::to_string(lineNumber) + ": " + std::string(reason);
    return std::nullopt;
  };
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty() || lineNumber == 0) {
    ++lineNumber;
    const auto end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || !ValidKey(line.substr(1, line.size() - 2))) return fail("bad control name");
      const std::string_view name = line.substr(1, line.size() - 2);
      if (form.Find(name) != nullptr) return fail("control named twice");
      current = &form.Control(name);
      continue;
    }
    if (current == nullptr) return fail("property before the first [control] line");
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return fail("missing '='");
    const std::string_view key = Trim(line.substr(0, equals));
    if (!ValidKey(key)) return fail("bad key");
    if (current->Contains(key)) return fail("key given twice");
    auto value = ParseValue(Trim(line.substr(equals + 1)));
    if (!value) return fail("bad value");
    current->Write(key, std::move(*value));
  }
  return form;
}

std::string FormDescription::ToText() const {
  std::string out;
  for (const auto& [name, store] : controls_) {
    if (!out.empty()) out += "\n";
    out += "[" + name + "]\n";
    for (const auto& entry : store.Entries()) out += entry.key + " = " + FormatValue(entry.value) + "\n";
  }
  return out;
}

}  // namespace vellumark::controls
