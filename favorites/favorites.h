// Reads the favorites tree: the folder list with counts (Initialize) and
// walks of one folder that report every subfolder and shortcut (Read).
//
// Entries whose attributes share a bit with Attributes() are skipped by
// every operation, folders whose name starts with "." too. Shortcuts are
// the files matching "*.url" in any letter case. Within a folder all
// subfolders (each walked completely) come before the folder's own
// shortcuts, in the file services' order.
//
// Example: the root holds folder A; A holds shortcut x and folder B; B
// holds shortcut y. Read(A, true) raises BeforeFolderChange(1, B),
// FavoriteChange(2, y), AfterFolderChange(1, B), FavoriteChange(1, x).
#pragma once

#include "favorites/favorite_items.h"
#include "favorites/favorites_events.h"
#include "support/file_services.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

// A folder's subtree as listed at the start of a walk: the subfolders (each
// listed completely) and the shortcut files, with the count of shortcut
// files here and below.
struct FolderListing {
  DirectoryEntry entry;  // the folder's own entry (empty for the walk's start)
  std::string path;      // with a trailing separator
  std::vector<FolderListing> subfolders;
  std::vector<DirectoryEntry> files;
  int count = 0;
};

class Favorites {
 public:
  // Gives the Favorites folder's path, or "" when there is none.
  using RootLookup = std::function<std::string()>;

  // Looks the root up as the special Favorites folder.
  explicit Favorites(FileServices& services = NativeFileServices());
  Favorites(FileServices& services, RootLookup rootLookup);

  std::uint32_t Attributes() const { return attributes_; }
  void SetAttributes(std::uint32_t attributes) { attributes_ = attributes; }

  // Finds the root (remembered, with a trailing separator) and returns one
  // entry per top-level folder, in listing order, then "/" with the
  // shortcuts lying directly in the root. A root that cannot be listed
  // gives the single entry "/" with count 0.
  std::vector<MainFolders> Initialize();

  // The root found by the last Initialize ("" before).
  const std::string& Root() const { return root_; }

  // The names of the list's entries, as Initialize gives them, without
  // counting any folder's favorites.
  std::vector<std::string> EntryNames();

  // Lists `folder` (a full path inside the root, with or without trailing
  // separator) and, when `recursive`, its subfolders.
  FolderListing List(std::string_view folder, bool recursive);

  // Walks a listing and raises the events, reading each shortcut when its
  // event is raised. Levels count the separators of the folder's path
  // after the root: the root 0, a top-level folder 1. A non-recursive
  // listing raises no folder events.
  void Read(const FolderListing& listing, FavoritesEvents& events);
  void Read(std::string_view folder, bool recursive, FavoritesEvents& events) {
    Read(List(folder, recursive), events);
  }

 private:
  void Raise(const FolderListing& node, int level, int utcOffsetMinutes, FavoritesEvents& events);
  bool IsTakenFile(const DirectoryEntry& entry) const;
  bool IsTakenFolder(const DirectoryEntry& entry) const;

  FileServices& services_;
  RootLookup rootLookup_;
  std::uint32_t attributes_ = 0;
  std::string root_;
};

}  // namespace vellumark
