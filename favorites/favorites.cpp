#include "favorites/favorites.h"

#include "favorites/internet_shortcut.h"
#include "support/path.h"
#include "support/special_folders.h"
#include "support/time_zone.h"
#include "support/wildcard.h"

#include <optional>

namespace vellumark {

// A folder as listed at the start of a walk, with the counts of its subtree.
struct Favorites::FolderNode {
  DirectoryEntry entry;  // the folder's own entry (empty for the walk's start)
  std::string path;      // with a trailing separator
  std::vector<FolderNode> subfolders;
  std::vector<DirectoryEntry> files;
  int count = 0;  // shortcut files here and below
};

namespace {

constexpr std::string_view kShortcutExtension = ".url";

}  // namespace

Favorites::Favorites(FileServices& services)
    : Favorites(services, [] { return GetSpecialFolder(special_folder::kFavorites); }) {}

Favorites::Favorites(FileServices& services, RootLookup rootLookup)
    : services_(services), rootLookup_(std::move(rootLookup)) {}

bool Favorites::IsTakenFile(const DirectoryEntry& entry) const {
  return (entry.attributes & (attribute::kDirectory | attributes_)) == 0 && MatchesWildcard(entry.name, "*.url");
}

bool Favorites::IsTakenFolder(const DirectoryEntry& entry) const {
  return (entry.attributes & attribute::kDirectory) != 0 && (entry.attributes & attributes_) == 0 &&
         !entry.name.empty() && entry.name.front() != '.';
}

Favorites::FolderNode Favorites::ListTree(const std::string& folder, bool recursive) {
  FolderNode node;
  node.path = path::AddFolderSeparator(folder);
  std::optional<std::vector<DirectoryEntry>> entries = services_.ListFolder(node.path);
  if (!entries) return node;
  for (DirectoryEntry& entry : *entries) {
    if (recursive && IsTakenFolder(entry)) {
      FolderNode child = ListTree(node.path + entry.name, true);
      child.entry = std::move(entry);
      node.count += child.count;
      node.subfolders.push_back(std::move(child));
    } else if (IsTakenFile(entry)) {
      node.files.push_back(std::move(entry));
    }
  }
  node.count += static_cast<int>(node.files.size());
  return node;
}

std::vector<MainFolders> Favorites::Initialize() {
  root_ = path::AddFolderSeparator(rootLookup_());
  std::vector<MainFolders> folders;
  int rootCount = 0;
  if (std::optional<std::vector<DirectoryEntry>> entries = services_.ListFolder(root_)) {
    for (const DirectoryEntry& entry : *entries) {
      if (IsTakenFolder(entry)) {
        folders.push_back({entry.name, ListTree(root_ + entry.name, true).count});
      } else if (IsTakenFile(entry)) {
        ++rootCount;
      }
    }
  }
  folders.push_back({"/", rootCount});
  return folders;
}

void Favorites::Read(std::string_view folder, bool recursive, FavoritesEvents& events) {
  FolderNode tree = ListTree(std::string(folder), recursive);
  const std::string_view relative = std::string_view(tree.path).substr(std::min(root_.size(), tree.path.size()));
  Raise(tree, path::CountSeparators(relative), CurrentUtcOffsetMinutes(), events);
}

void Favorites::Raise(FolderNode& node, int level, int utcOffsetMinutes, FavoritesEvents& events) {
  for (FolderNode& subfolder : node.subfolders) {
    FolderItem item;
    item.Count = subfolder.count;
    item.Modified = ToLocal(subfolder.entry.lastWriteUtc, utcOffsetMinutes);
    item.Name = subfolder.entry.name;
    events.BeforeFolderChange(level, item);
    Raise(subfolder, level + 1, utcOffsetMinutes, events);
    events.AfterFolderChange(level, item);
  }
  for (const DirectoryEntry& entry : node.files) {
    const std::string file = node.path + entry.name;
    const std::optional<std::string> bytes = services_.ReadFile(file);
    std::string url = bytes ? ReadShortcutUrl(*bytes) : std::string();
    if (url.empty()) {
      events.FavoriteError(file);
      continue;
    }
    FavoriteItem item;
    item.Modified = ToLocal(entry.lastWriteUtc, utcOffsetMinutes);
    item.Name = entry.name.substr(0, entry.name.size() - kShortcutExtension.size());
    item.URL = std::move(url);
    events.FavoriteChange(level, item, file);
  }
}

}  // namespace vellumark
