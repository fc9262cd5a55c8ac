// What the favorites enumerator reports during a walk. Handlers run
// synchronously; an exception thrown by one leaves the walk and reaches the
// caller of Favorites::Read.
#pragma once

#include "favorites/favorite_items.h"

#include <string_view>

namespace vellumark {

class FavoritesEvents {
 public:
  virtual ~FavoritesEvents() = default;

  // `level` of the folder events is that of the folder holding `folder`.
  virtual void AfterFolderChange(int level, FolderItem& folder) = 0;
  virtual void BeforeFolderChange(int level, FolderItem& folder) = 0;
  // `file` is the full path of the shortcut file.
  virtual void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) = 0;
  // A shortcut file without a readable, non-empty URL.
  virtual void FavoriteError(std::string_view file) = 0;
};

}  // namespace vellumark
