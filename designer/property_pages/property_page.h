// PropertyPage: the page that edits the items of one control, one item at a
// time: a read-only index field (TextIndex) with a scroll bar
// (HScrollIndex) that chooses the item, and one labelled input per item
// property (page_model.h). Editing any input marks the page changed; Apply
// writes the inputs back into the chosen item and lets the control show it.
//
// Edits are never dropped silently: moving to another item, inserting or
// removing one applies the pending edits first, and stays on the item when
// they are refused (onRefused says why).
#pragma once

#include "controls/host_window.h"
#include "designer/property_pages/item_list.h"
#include "support/win32/unique_handle.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::controls::pages {

class PropertyPage : public HostWindow<PropertyPage> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkPropertyPage";
  static constexpr UINT kClassStyle = 0;
  // Size of the page in 96-DPI units.
  static constexpr int kWidth = 300;
  static SIZE Size96(PageKind kind);

  // Creates the page as a child of `parent` with its top left corner at
  // `origin96`; Hwnd() is null when that failed.
  PropertyPage(HWND parent, POINT origin96, PageKind kind);
  ~PropertyPage();

  PageKind Kind() const { return kind_; }

  // The selection changed: the page now edits `items` (null: nothing).
  // Without items every input is disabled; otherwise the inputs show the
  // item whose number is in the index field (the last one when the new
  // control has fewer). Pending edits are applied to the previous control
  // first; false (and the page unchanged) when they were refused.
  bool SetObject(ItemList* items);
  ItemList* Object() const { return items_; }

  int CurrentIndex() const { return index_; }
  // Shows item `index` (clamped to the items), applying pending edits
  // first; false when they were refused.
  bool ShowItem(int index);
  bool Changed() const { return changed_; }
  // Writes the inputs into the shown item; false (and nothing written)
  // when an input holds a value the item cannot take.
  bool Apply(std::string& error);
  // Inserts a new item after the shown one and shows it; removes the shown
  // item. False when pending edits were refused or nothing could be done.
  bool InsertItemAfterCurrent();
  bool RemoveCurrentItem();

  // The window of an input or of "TextIndex" / "HScrollIndex"; null for
  // other names.
  HWND Input(std::string_view name) const;

  // The page became changed by an edit.
  std::function<void()> onChanged;
  // Items of the control were written (Apply, insert, remove).
  std::function<void()> onApplied;
  // Pending edits could not be applied; the text says why.
  std::function<void(const std::string& error)> onRefused;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  struct Row {
    HWND label = nullptr;
    HWND input = nullptr;
  };

  void CreateChildren();
  void Fill();
  void SetInputsEnabled(bool enabled);
  std::vector<InputValue> ReadInputValues() const;
  bool ApplyPending();
  void MarkChanged();
  void OnCommand(int id, int code);
  void OnScroll(int code);
  LRESULT OnColor(HDC dc);
  bool IsColoredInput(HWND control) const;

  PageKind kind_;
  ItemList* items_ = nullptr;
  int index_ = 0;
  bool changed_ = false;
  bool filling_ = false;
  bool enabled_ = true;
  win32::UniqueFont font_;
  win32::UniqueBrush disabledBrush_;
  HWND indexLabel_ = nullptr;
  HWND indexText_ = nullptr;
  HWND indexScroll_ = nullptr;
  std::vector<Row> rows_;
};

}  // namespace vellumark::controls::pages
