// FormGenerate: the modal "Generate" dialog in which the user confirms the
// options of a Generate run: the interval in days, the update note and the
// template set. It opens filled from the settings and lists the complete
// template sets; OK checks the interval first, then the template, and only
// when both hold stores the three settings and closes with OK() true (a
// store that cannot be written is reported and the dialog stays). Cancel,
// Escape and the close box store nothing.
//
//   FormGenerate form(settings, templates);
//   if (!form.ShowModal(mainWindow)) return false;  // abandoned; nothing stored
#pragma once

#include "generate/templates.h"
#include "runner/settings.h"
#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

#include <functional>
#include <string_view>

namespace vellumark {

// Shows a message box with the exclamation icon, an OK button and the
// application title, owned by `owner`; returns when it is closed.
using ShowMessageBox = std::function<void(HWND owner, std::string_view text)>;
void ShowExclamationMessage(HWND owner, std::string_view text);

inline constexpr std::string_view kErrorEnumeratingTemplates = "Error enumerating templates";

class FormGenerate {
 public:
  // Child window identifiers, in tab order.
  enum ControlId : int {
    kLabelInterval = 1001,
    kTextInterval,
    kLabelUpdated,
    kTextUpdated,
    kLabelTemplate,
    kComboTemplate,
    kCommandOK = IDOK,
    kCommandCancel = IDCANCEL,
  };

  // `settings` and `templates` must outlive the object. `showMessage`
  // shows the dialog's messages (tests record them instead).
  FormGenerate(Settings& settings, const Templates& templates, ShowMessageBox showMessage = ShowExclamationMessage);
  FormGenerate(const FormGenerate&) = delete;
  FormGenerate& operator=(const FormGenerate&) = delete;

  // Shows the dialog centred on `owner` (which is disabled meanwhile) and
  // returns once it has closed, with OK().
  bool ShowModal(HWND owner);

  // True only when the last ShowModal ended with a successful OK.
  bool OK() const { return ok_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnOK();
  void CreateControls();
  void Layout();
  void Fill();
  HWND Control(ControlId id) const { return ::GetDlgItem(dialog_, id); }

  Settings& settings_;
  const Templates& templates_;
  ShowMessageBox showMessage_;
  HWND dialog_ = nullptr;
  int dpi_ = 96;
  win32::UniqueFont font_;
  bool enumerateFailed_ = false;
  bool ok_ = false;
};

}  // namespace vellumark
