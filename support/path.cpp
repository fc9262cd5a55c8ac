#include "support/path.h"

#include <algorithm>

namespace vellumark::path {

std::string AddFolderSeparator(std::string_view folder, char separator) {
  std::string result(folder);
  if (!result.empty() && result.back() != separator) result += separator;
  return result;
}

static bool IsRoot(std::string_view folder, char separator) {
  if (folder.size() == 1) return folder[0] == separator;
  return folder.size() == 3 && folder[1] == ':' && folder[2] == separator;
}

std::string RemoveFolderSeparator(std::string_view folder, char separator) {
  if (!folder.empty() && folder.back() == separator && !IsRoot(folder, separator)) {
    folder.remove_suffix(1);
  }
  return std::string(folder);
}

std::string_view LastComponent(std::string_view path, char separator) {
  std::string_view body = path;
  if (!body.empty() && body.back() == separator) body.remove_suffix(1);
  const auto cut = body.find_last_of(separator);
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view ParentOf(std::string_view path, char separator) {
  std::string_view body = path;
  if (!body.empty() && body.back() == separator) body.remove_suffix(1);
  const auto cut = body.find_last_of(separator);
  if (cut == std::string_view::npos) return {};
  const bool root = cut == 0 || (cut == 2 && body[1] == ':');
  return body.substr(0, root ? cut + 1 : cut);
}

int CountSeparators(std::string_view text, char separator) {
  return static_cast<int>(std::count(text.begin(), text.end(), separator));
}

}  // namespace vellumark::path
