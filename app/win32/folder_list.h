// ListFoldersFolders: the folder list, a list view with a check box per
// entry and the favorite count kept with each entry. Ticks changed by the
// user or through SetTicked raise onTickChanged; a tick change the user
// makes while `refuseUserTicks` answers true is refused.
#pragma once

#include "support/win32/windows_gate.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::gui {

class FolderList {
 public:
  // Creates the list view as child `id` of `parent` at `bounds` (pixels).
  FolderList(HWND parent, int id, const RECT& bounds);
  FolderList(const FolderList&) = delete;
  FolderList& operator=(const FolderList&) = delete;

  HWND Hwnd() const { return list_; }

  void Clear();
  // Appends an unticked entry.
  void Add(std::string_view text, int count);

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Text(int index) const { return entries_[static_cast<std::size_t>(index)].text; }
  int FavoriteCount(int index) const { return entries_[static_cast<std::size_t>(index)].count; }
  void SetFavoriteCount(int index, int count) { entries_[static_cast<std::size_t>(index)].count = count; }

  bool IsTicked(int index) const;
  // With `notify` false the change does not raise onTickChanged.
  void SetTicked(int index, bool ticked, bool notify = true);
  int TickedCount() const;
  // Makes the entry the current (focused and selected) item and shows it.
  void SetCurrent(int index);
  // The first entry whose text equals `text` without regard to letter case;
  // -1 when there is none.
  int FindExact(std::string_view text) const;

  // Places the list again (after a DPI change) and fits its column.
  void Move(const RECT& bounds);

  // Handles the list's WM_NOTIFY; returns the answer for the parent.
  LRESULT OnNotify(const NMHDR& header);

  std::function<void(int index)> onTickChanged;
  std::function<bool()> refuseUserTicks;

 private:
  struct Entry {
    std::string text;
    int count = 0;
  };

  void FitColumn();

  HWND list_ = nullptr;  // a child window: destroyed with its parent
  std::vector<Entry> entries_;
  bool changingInCode_ = false;
  bool notifyChange_ = true;
};

}  // namespace vellumark::gui
