#include "processes/clean_process.h"

#include "favorites/internet_shortcut.h"

#include <optional>

namespace vellumark {

bool CleanProcess::Prepare(RunState&) {
  unwritten_.clear();
  return true;
}

void CleanProcess::FavoriteChange(int, FavoriteItem&, std::string_view file) {
  const std::string path(file);
  if (!Rewrite(path)) unwritten_.push_back(path);
}

bool CleanProcess::Rewrite(const std::string& file) {
  const std::optional<std::string> bytes = services_.ReadFile(file);
  if (!bytes) return false;
  // Nothing when the file's text would not survive being written back (or
  // the URL went since the walk read it): left as it is, and reported.
  const std::optional<std::string> cleaned = CleanShortcut(*bytes);
  if (!cleaned) return false;
  if (*cleaned == *bytes) return true;

  // The replacement keeps the file's attributes, read-only ones included.
  return services_.ReplaceFile(file, *cleaned);
}

}  // namespace vellumark
