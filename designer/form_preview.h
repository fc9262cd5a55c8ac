// FormPreview: a form description shown as the form will look: a window
// with the form's caption and client size holding the real custom
// controls (info frame, drop-down button, progress bar, status bar, system
// menu) read from their stored properties, and plain stand-ins for the
// standard controls (frames, lists, buttons, check boxes, ...), each at
// its place. The kind of a control comes from its name (StatusBarMain is
// a status bar); the section named Form... describes the form itself.
//
// Clicking a control (or the form) raises onClick with its name; the
// selected control is outlined.
#pragma once

#include "controls/form_builder.h"
#include "controls/host_window.h"
#include "designer/property_pages/item_list.h"
#include "support/win32/unique_handle.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::designer {

// The page that edits the items of a control of this kind, if any.
std::optional<controls::pages::PageKind> PageOf(controls::ControlKind kind);

class FormPreview : public controls::HostWindow<FormPreview> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkFormPreview";
  static constexpr UINT kClassStyle = 0;

  // Shows `form` in a child window of `parent` whose top left corner is at
  // `origin` (pixels); Hwnd() is null when that failed.
  FormPreview(HWND parent, POINT origin, const controls::FormDescription& form);
  ~FormPreview();

  // Control names in the description's order, the form's first.
  const std::vector<std::string>& Names() const { return names_; }
  // The items of a status bar, system menu or drop-down button; null for
  // other controls and unknown names.
  controls::pages::ItemList* ItemsOf(std::string_view name);
  // The window shown for a control; null for the form, the system menu and
  // unknown names.
  HWND WindowOf(std::string_view name) const;
  controls::DropDownButton* DropDownButtonOf(std::string_view name);
  controls::StatusBar* StatusBarOf(std::string_view name);

  // Outlines the named control ("" or the form: nothing outlined).
  void Select(std::string_view name);

  // Writes the items of every status bar, system menu and drop-down button
  // into their stores in `form`.
  void StoreItems(controls::FormDescription& form);

  std::function<void(const std::string& name)> onClick;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  // The item list of a control whose items a page edits.
  struct Items {
    std::string name;
    std::unique_ptr<controls::pages::ItemList> list;
  };

  void OnClickAt(POINT point);

  int dpi_ = 96;
  win32::UniqueFont font_;
  win32::UniqueIcon icon_;
  std::vector<std::string> names_;
  std::unique_ptr<controls::FormControls> controls_;
  std::vector<Items> items_;
  // Child windows: they go with the preview's window, so they are not owned here.
  std::array<HWND, 4> outline_{};
};

}  // namespace vellumark::designer
