#include "favorites/favorites.h"

#include "favorites/internet_shortcut.h"
#include "support/path.h"
#include "support/special_folders.h"
#include "support/time_zone.h"
#include "support/wildcard.h"

#include <optional>

namespace vellumark {

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

FolderListing Favorites::List(std::string_view folder, bool recursive) {
  FolderListing node;
  node.path = path::AddFolderSeparator(folder);
  std::optional<std::vector<DirectoryEntry>> entries = services_.ListFolder(node.path);
  if (!entries) return node;
  for (DirectoryEntry& entry : *entries) {
    if (recursive && IsTakenFolder(entry)) {
      FolderListing child = List(node.path + entry.name, true);
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
        folders.push_back({entry.name, List(root_ + entry.name, true).count});
      } else if (IsTakenFile(entry)) {
        ++rootCount;
      }
    }
  }
  folders.push_back({"/", rootCount});
  return folders;
}

std::vector<std::string> Favorites::EntryNames() {
  root_ = path::AddFolderSeparator(rootLookup_());
  std::vector<std::string> names;
  if (std::optional<std::vector<DirectoryEntry>> entries = services_.ListFolder(root_)) {
    for (DirectoryEntry& entry : *entries) {
      if (IsTakenFolder(entry)) names.push_back(std::move(entry.name));
    }
  }
  names.emplace_back("/");
  return names;
}

void Favorites::Read(const FolderListing& listing, FavoritesEvents& events) {
  const std::string_view relative =
      std::string_view(listing.path).substr(std::min(root_.size(), listing.path.size()));
  Raise(listing, path::CountSeparators(relative), CurrentUtcOffsetMinutes(), events);
}

void Favorites::Raise(const FolderListing& node, int level, int utcOffsetMinutes, FavoritesEvents& events) {
  for (const FolderListing& subfolder : node.subfolders) {
    FolderItem item;
    item.Count = subfolder.count;
    item.Modified = ToLocal(subfolder.entry.lastWriteUtc, utcOffsetMinutes);
    item.Name = subfolder.entry.name;
    events.BeforeFolderChange(level, item);
    Raise(subfolder, level + 1, utcOffsetMinutes, events);
    events.AfterFolderChange(level, item);
  }
  if (node.files.empty()) return;
  const std::unique_ptr<FolderFiles> folderFiles = services_.OpenFolderFiles(node.path);
  for (const DirectoryEntry& entry : node.files) {
    const std::string file = node.path + entry.name;
    const std::optional<std::string> bytes = folderFiles->ReadFile(entry.name);
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
