#include "app/win32/folder_list.h"

#include "support/win32/wide_string.h"

#include <commctrl.h>

namespace vellumark::gui {
namespace {

constexpr UINT kTickMask = LVIS_STATEIMAGEMASK;

bool TickOf(UINT state) { return (state & kTickMask) == INDEXTOSTATEIMAGEMASK(2); }

// Restores a flag at the end of scope.
class FlagScope {
 public:
  FlagScope(bool& flag, bool value) : flag_(flag), previous_(flag) { flag_ = value; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { flag_ = previous_; }

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

FolderList::FolderList(HWND parent, int id, const RECT& bounds) {
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr) return;
  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = bounds.right - bounds.left;
  ListView_InsertColumn(list_, 0, &column);
  FitColumn();
}

void FolderList::Clear() {
  FlagScope inCode(changingInCode_, true);
  ListView_DeleteAllItems(list_);
  entries_.clear();
}

void FolderList::Add(std::string_view text, int count) {
  FlagScope inCode(changingInCode_, true);
  FlagScope quiet(notifyChange_, false);
  std::wstring wide = win32::Widen(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = Count();
  item.pszText = wide.data();
  entries_.push_back({std::string(text), count});
  if (ListView_InsertItem(list_, &item) < 0) entries_.pop_back();
  FitColumn();
}

bool FolderList::IsTicked(int index) const { return TickOf(ListView_GetItemState(list_, index, kTickMask)); }

void FolderList::SetTicked(int index, bool ticked, bool notify) {
  FlagScope inCode(changingInCode_, true);
  FlagScope quiet(notifyChange_, notify);
  ListView_SetItemState(list_, index, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1), kTickMask);
}

int FolderList::TickedCount() const {
  int ticked = 0;
  for (int i = 0; i < Count(); ++i) ticked += IsTicked(i) ? 1 : 0;
  return ticked;
}

void FolderList::SetCurrent(int index) {
  FlagScope inCode(changingInCode_, true);
  ListView_SetItemState(list_, index, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  ListView_EnsureVisible(list_, index, FALSE);
}

int FolderList::FindExact(std::string_view text) const {
  const std::wstring wanted = win32::Widen(text);
  for (int i = 0; i < Count(); ++i) {
    const std::wstring entry = win32::Widen(Text(i));
    if (::CompareStringOrdinal(entry.c_str(), static_cast<int>(entry.size()), wanted.c_str(),
                               static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
      return i;
    }
  }
  return -1;
}

void FolderList::Move(const RECT& bounds) {
  ::MoveWindow(list_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
  FitColumn();
}

void FolderList::FitColumn() {
  RECT client{};
  ::GetClientRect(list_, &client);
  ListView_SetColumnWidth(list_, 0, client.right);
}

LRESULT FolderList::OnNotify(const NMHDR& header) {
  if (header.code == LVN_ITEMCHANGING) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool tickChanges = (change.uChanged & LVIF_STATE) != 0 && (change.uNewState & kTickMask) != 0 &&
                             TickOf(change.uNewState) != TickOf(change.uOldState);
    if (tickChanges && !changingInCode_ && refuseUserTicks && refuseUserTicks()) {
      ::MessageBeep(MB_ICONEXCLAMATION);
      return TRUE;
    }
    return FALSE;
  }
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool tickChanged = (change.uChanged & LVIF_STATE) != 0 && (change.uOldState & kTickMask) != 0 &&
                             TickOf(change.uNewState) != TickOf(change.uOldState);
    if (tickChanged && notifyChange_ && change.iItem >= 0 && onTickChanged) onTickChanged(change.iItem);
  }
  return 0;
}

}  // namespace vellumark::gui
