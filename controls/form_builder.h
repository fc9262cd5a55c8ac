// FormControls: the controls of a form description made on a window. The
// program's main window, the designer's preview and the control gallery
// all build their controls here.
//
// A control's kind comes from its name ("StatusBarMain" is a status bar);
// the section named Form... describes the form itself and makes nothing.
// The custom controls read their stored properties; the standard ones
// (frames, lists, buttons, check boxes, ...) are Windows controls with the
// stored caption. Controls are made in the description's order, which is
// also the tab order.
#pragma once

#include "controls/drop_down_button.h"
#include "controls/info_frame.h"
#include "controls/progress_bar.h"
#include "controls/property_store.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
#include "support/win32/windows_gate.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::controls {

enum class ControlKind {
  kForm, kInfoFrame, kDropDownButton, kStatusBar, kSystemMenu, kProgressBar,
  kFrame, kList, kCommand, kCheck, kOption, kText, kLabel, kCombo, kOther
};

// The kind a control's name gives: "DropDownButtonProcess" -> kDropDownButton.
ControlKind KindOfName(std::string_view name);

// A control's rectangle in 96-DPI units from its "Left", "Top", "Width"
// and "Height" properties.
RECT BoundsOf(const PropertyStore& store);

// `bounds96` in pixels at `dpi`.
RECT ScaleBounds(const RECT& bounds96, int dpi);

class FormControls {
 public:
  struct Control {
    std::string name;
    ControlKind kind = ControlKind::kOther;
    HWND window = nullptr;  // none for a system menu
    RECT bounds96{};
  };

  // Makes the window of a control the caller makes itself (the program's
  // own list, say) at `bounds` (pixels); returns null to leave the control
  // to the builder.
  using OwnControl = std::function<HWND(const std::string& name, const PropertyStore& store, const RECT& bounds)>;

  // Makes the controls of `form` on `parent`, whose DPI is `dpi`.
  FormControls(HWND parent, const FormDescription& form, int dpi, const OwnControl& own = {});
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;
  ~FormControls();

  // True when every control but the system menus has its window.
  bool AllMade() const;
  const std::vector<Control>& Controls() const { return controls_; }
  // Null for unknown names and for controls of another kind.
  HWND WindowOf(std::string_view name) const;
  InfoFrame* InfoFrameOf(std::string_view name) const;
  DropDownButton* DropDownButtonOf(std::string_view name) const;
  ProgressBar* ProgressBarOf(std::string_view name) const;
  StatusBar* StatusBarOf(std::string_view name) const;
  SystemMenu* SystemMenuOf(std::string_view name) const;

  // Gives every control `font`, a font made for `dpi`.
  void ApplyFont(HFONT font, int dpi);
  // Moves every control to its place at `dpi`; an info frame spans
  // `clientWidth` pixels, the width of the parent's client area.
  void Place(int dpi, int clientWidth);

 private:
  template <typename Custom>
  struct Named {
    std::string name;
    std::unique_ptr<Custom> control;
  };
  template <typename Custom>
  static Custom* Find(const std::vector<Named<Custom>>& customs, std::string_view name);
  template <typename Custom>
  HWND MakeCustom(std::vector<Named<Custom>>& customs, const std::string& name, const PropertyStore& store,
                  const RECT& bounds96);
  HWND MakeStandard(const PropertyStore& store, ControlKind kind, const RECT& bounds);

  HWND parent_;
  std::vector<Control> controls_;
  std::vector<Named<InfoFrame>> infoFrames_;
  std::vector<Named<DropDownButton>> buttons_;
  std::vector<Named<ProgressBar>> progressBars_;
  std::vector<Named<StatusBar>> statusBars_;
  std::vector<Named<SystemMenu>> systemMenus_;
};

}  // namespace vellumark::controls
