// The items the favorites enumerator hands out.
#pragma once

#include "support/local_date_time.h"

#include <string>

namespace vellumark {

// One internet shortcut. Name is the file name without ".url"; URL the
// shortcut's address, whole; Modified the file's local last-write time.
// Handlers may replace Name and URL (with encoded forms) during an event.
struct FavoriteItem {
  std::string Name;
  std::string URL;
  LocalDateTime Modified;
};

// One subfolder met during a walk. Count is the number of shortcut files in
// its whole subtree (with the enumerator's filter). The same object reaches
// the folder's BeforeFolderChange and AfterFolderChange, so a Name changed
// in the first is seen in the second.
struct FolderItem {
  int Count = 0;
  LocalDateTime Modified;
  std::string Name;
};

// One entry of the folder list: a top-level folder with the favorites of
// its subtree, or "/" with those lying directly in the Favorites folder.
struct MainFolders {
  std::string Name;
  int Count = 0;

  friend bool operator==(const MainFolders&, const MainFolders&) = default;
};

}  // namespace vellumark
