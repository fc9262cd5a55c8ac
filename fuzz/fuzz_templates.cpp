// Templates::Fill on arbitrary template text and replacement values,
// against a plain model of the filling rules: lines end at CR or CR LF and
// get the indent and CR LF, the last line end is dropped unless kept, each
// placeholder is replaced left to right without rescanning, then the first
// plural choice "||one,many||" is resolved.
//
// Input: indent byte, flags byte, then fields separated by 0xFF: the
// template text, then placeholder and value pairs.
#include "fuzz/require.h"
#include "generate/templates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vellumark;
using fuzz::Require;

// Results the model does not build, to keep each run small.
constexpr std::size_t kModelLimit = std::size_t{1} << 18;

// Stops early (with an oversized result) past kModelLimit.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, pos)) {
    out.append(text, pos, at - pos);
    out += to;
    pos = at + from.size();
    if (out.size() > kModelLimit) return out;
  }
  out.append(text, pos);
  return out;
}

std::optional<std::string> ModelFill(std::string_view fileText, int indent, bool keepnewline, int count,
                      const Replacements& replacements) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < fileText.size(); ++i) {
    if (fileText[i] != '\r') {
      current += fileText[i];
      continue;
    }
    lines.push_back(current);
    current.clear();
    if (i + 1 < fileText.size() && fileText[i + 1] == '\n') ++i;
  }
  if (!current.empty()) lines.push_back(current);

  std::string text;
  for (const std::string& line : lines) text += std::string(indent, ' ') + line + "\r\n";
  // A text that is nothing but one empty line keeps its line end.
  if (!keepnewline && text.size() > 2) text.resize(text.size() - 2);

  for (const auto& [placeholder, value] : replacements) {
    if (!placeholder.empty()) text = ReplaceAll(text, placeholder, value);
    if (text.size() > kModelLimit) return std::nullopt;
  }
  if (count < 0) return text;
  const std::size_t open = text.find("||");
  if (open == std::string::npos) return text;
  const std::size_t close = text.find("||", open + 2);
  if (close == std::string::npos) return text;
  const std::string choice = text.substr(open + 2, close - open - 2);
  const std::size_t comma = choice.find(',');
  if (comma == std::string::npos || choice.find(',', comma + 1) != std::string::npos) return text;
  return ReplaceAll(text, "||" + choice + "||", count == 1 ? choice.substr(0, comma) : choice.substr(comma + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int indent = data[0] % 40 - 4;  // some negative ones
  const bool keepnewline = (data[1] & 1) != 0;
  const int count = (data[1] >> 1) % 4 - 1;  // -1, 0, 1 or 2
  std::vector<std::string> fields(1);
  for (std::size_t i = 2; i < size; ++i) {
    if (data[i] == 0xFF) {
      fields.emplace_back();
    } else {
      fields.back() += static_cast<char>(data[i]);
    }
  }
  Replacements replacements;
  for (std::size_t i = 1; i + 1 < fields.size(); i += 2) replacements.emplace_back(fields[i], fields[i + 1]);

  const std::optional<std::string> expected =
      ModelFill(fields[0], indent > 0 ? indent : 0, keepnewline, count, replacements);
  if (!expected) return 0;
  Require(Templates::Fill(fields[0], indent, keepnewline, count, replacements) == *expected,
          "Fill follows the filling rules");
  return 0;
}
