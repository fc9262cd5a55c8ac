// Writes a control's items back into its store in the form description,
// under the keys the control reads them from ("PanelText(0)", ...).
//
// The store is changed as little as a person editing the file by hand
// would: a key already present gets its new value in place, a key holding
// the default value is added only when it was there before, and the keys
// of items beyond the new count are dropped, so no removed item comes back
// when the form is loaded again. Other keys are left as they are.
#pragma once

#include "controls/property_store.h"
#include "designer/property_pages/page_model.h"

#include <span>

namespace vellumark::controls::pages {

void StoreItems(PageKind kind, std::span<const ItemValues> items, PropertyStore& store);

}  // namespace vellumark::controls::pages
