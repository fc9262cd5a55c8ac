#include "designer/property_pages/item_list.h"

#include <vector>

namespace vellumark::controls::pages {
namespace {

// Runs `writes` with the control's updates held back, then shows `shown`.
template <typename Writes>
void Batched(ItemList& items, int shown, Writes writes) {
  items.SetPreventUpdate(true);
  writes();
  items.SetPreventUpdate(false);
  items.ShowChange(shown);
}

}  // namespace

bool ApplyItem(ItemList& items, int index, const ItemValues& values) {
  if (index < 0 || index >= items.Count()) return false;
  Batched(items, index, [&] { items.WriteItem(index, values); });
  return true;
}

int InsertItem(ItemList& items, int after) {
  const int count = items.Count();
  if (count >= items.MaxCount()) return -1;
  const int at = after < -1 ? 0 : (after >= count ? count : after + 1);
  std::vector<ItemValues> moved;
  for (int i = at; i < count; ++i) moved.push_back(items.Item(i));
  Batched(items, -1, [&] {
    items.SetCount(count + 1);
    items.WriteItem(at, ItemValues{});
    for (std::size_t i = 0; i < moved.size(); ++i) items.WriteItem(at + 1 + static_cast<int>(i), moved[i]);
  });
  return at;
}

bool RemoveItem(ItemList& items, int index) {
  const int count = items.Count();
  if (index < 0 || index >= count) return false;
  std::vector<ItemValues> moved;
  for (int i = index + 1; i < count; ++i) moved.push_back(items.Item(i));
  Batched(items, -1, [&] {
    for (std::size_t i = 0; i < moved.size(); ++i) items.WriteItem(index + static_cast<int>(i), moved[i]);
    items.SetCount(count - 1);
  });
  return true;
}

}  // namespace vellumark::controls::pages
