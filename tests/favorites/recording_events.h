// A favorites-event handler that writes each event as one line of text.
#pragma once

#include "favorites/favorites_events.h"

#include <string>
#include <vector>

namespace vellumark::testing {

class RecordingEvents : public FavoritesEvents {
 public:
  void AfterFolderChange(int level, FolderItem& folder) override {
    log.push_back("after " + std::to_string(level) + " " + folder.Name + " " + std::to_string(folder.Count));
  }
  void BeforeFolderChange(int level, FolderItem& folder) override {
    log.push_back("before " + std::to_string(level) + " " + folder.Name + " " + std::to_string(folder.Count));
  }
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override {
    log.push_back("favorite " + std::to_string(level) + " " + favorite.Name + " " + favorite.URL);
    files.emplace_back(file);
  }
  void FavoriteError(std::string_view file) override {
    log.push_back("error");
    files.emplace_back(file);
  }

  std::vector<std::string> log;
  std::vector<std::string> files;  // of FavoriteChange and FavoriteError
};

}  // namespace vellumark::testing
