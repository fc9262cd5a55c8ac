// The items of one control as the pages reach them: count, read, write,
// batching and showing a change. The status bar, system menu and
// drop-down button each have one (control_items.h); tests use a fake.
//
// The edits below batch their writes between SetPreventUpdate(true) and
// SetPreventUpdate(false), then let the control show the result once.
#pragma once

#include "designer/property_pages/page_model.h"

namespace vellumark::controls::pages {

class ItemList {
 public:
  virtual ~ItemList() = default;

  virtual PageKind Kind() const = 0;
  virtual int Count() const = 0;
  // The largest count the control accepts.
  virtual int MaxCount() const = 0;
  // Item `index` (0..Count()-1).
  virtual ItemValues Item(int index) const = 0;
  // Stores every property the kind has through the item's own setters.
  virtual void WriteItem(int index, const ItemValues& values) = 0;
  virtual void SetCount(int count) = 0;
  virtual void SetPreventUpdate(bool value) = 0;
  // Shows item `index` (-1: every item) in the control.
  virtual void ShowChange(int index) = 0;
};

// Writes `values` into item `index` and shows that item; false (nothing
// written) for an index outside the items.
bool ApplyItem(ItemList& items, int index, const ItemValues& values);

// Inserts a new default item after item `after` (-1: at the front) and
// returns its index; -1 when the control holds its largest count already.
int InsertItem(ItemList& items, int after);

// Removes item `index`; the items after it move down by one. False for an
// index outside the items.
bool RemoveItem(ItemList& items, int index);

}  // namespace vellumark::controls::pages
