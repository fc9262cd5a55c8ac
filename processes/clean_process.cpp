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

  const std::uint32_t attributes = services_.GetAttributes(file);
  if (attributes == attribute::kInvalid) return false;
  // The attributes are cleared for the rewrite only (read-only, hidden and
  // system files cannot be replaced) and put back afterwards in any case.
  const std::uint32_t kept = attributes & ~attribute::kDirectory;
  const bool clear = (kept & ~attribute::kArchive) != 0;
  if (clear && !services_.SetAttributes(file, 0)) return false;
  const bool replaced = services_.ReplaceFile(file, *cleaned);
  const bool restored = services_.SetAttributes(file, kept);
  return replaced && restored;
}

}  // namespace vellumark
