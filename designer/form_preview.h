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

#include "controls/drop_down_button.h"
#include "controls/host_window.h"
#include "controls/info_frame.h"
#include "controls/progress_bar.h"
#include "controls/property_store.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
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

enum class ControlKind {
  kForm, kInfoFrame, kDropDownButton, kStatusBar, kSystemMenu, kProgressBar,
  kFrame, kList, kCommand, kCheck, kOption, kText, kLabel, kCombo, kOther
};

// The kind a control's name gives: "DropDownButtonProcess" -> kDropDownButton.
ControlKind KindOfName(std::string_view name);

// The page that edits the items of a control of this kind, if any.
std::optional<controls::pages::PageKind> PageOf(ControlKind kind);

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
  struct Placed {
    std::string name;
    ControlKind kind;
    HWND window = nullptr;
    std::unique_ptr<controls::pages::ItemList> items;
  };

  void CreateControls(const controls::FormDescription& form);
  HWND CreateStandIn(const controls::PropertyStore& store, ControlKind kind);
  const Placed* Find(std::string_view name) const;
  void OnClickAt(POINT point);

  int dpi_ = 96;
  win32::UniqueFont font_;
  win32::UniqueIcon icon_;
  std::vector<std::string> names_;
  std::vector<Placed> placed_;
  std::vector<std::unique_ptr<controls::InfoFrame>> infoFrames_;
  std::vector<std::unique_ptr<controls::DropDownButton>> buttons_;
  std::vector<std::unique_ptr<controls::ProgressBar>> progressBars_;
  std::vector<std::unique_ptr<controls::StatusBar>> statusBars_;
  std::vector<std::unique_ptr<controls::SystemMenu>> systemMenus_;
  // Child windows: they go with the preview's window, so they are not owned here.
  std::array<HWND, 4> outline_{};
};

}  // namespace vellumark::designer
