// FormAbout: the modal About window. It shows the product name and version,
// the legal notice, the program icon inside a frame and the maker's web
// address as a link: a click on the address (or Enter or Space when it has
// the focus) opens it in the user's browser. Only the address text itself is
// clickable; an empty address gives a link of width 0 that can be neither
// clicked nor focused. OK (the default button), Escape and the close box
// close the window.
//
//   FormAbout about;
//   about.SetCaption("About Vellumark");
//   about.SetApplication("Vellumark 1.0");
//   about.SetCopyright(legalNotice);
//   about.SetIcon2(icon);            // not owned; kept alive by the caller
//   about.SetWebsite("https://...");
//   about.ShowModal(mainWindow);     // returns when closed; repaint afterwards
#pragma once

#include "controls/subclassing.h"
#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

#include <functional>
#include <string>
#include <string_view>

namespace vellumark::gui {

// Asks the shell to open `address` (verb "open", no parameters or working
// folder, shown maximized) with `owner` as the owning window. Failures are
// not reported.
void OpenWebAddress(HWND owner, std::string_view address);

class FormAbout {
 public:
  // Child window identifiers, in tab order where they take the focus.
  enum ControlId : int {
    kImageIcon = 1101,
    kLabelApplication,
    kLabelCopyright,
    kLabelWebsite,
    kLineTop,
    kLineRight,
    kLineBottom,
    kLineLeft,
    kCommandOK = IDOK,
  };

  FormAbout() = default;
  FormAbout(const FormAbout&) = delete;
  FormAbout& operator=(const FormAbout&) = delete;

  const std::string& Application() const { return application_; }
  void SetApplication(std::string_view text) { application_ = text; }
  const std::string& Copyright() const { return copyright_; }
  void SetCopyright(std::string_view text) { copyright_ = text; }
  HICON Icon2() const { return icon_; }
  void SetIcon2(HICON icon) { icon_ = icon; }
  const std::string& Website() const { return website_; }
  void SetWebsite(std::string_view address) { website_ = address; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view text) { caption_ = text; }

  // Shows the window centred on `owner` (disabled meanwhile) and returns
  // once it has closed.
  void ShowModal(HWND owner);

  // How a click on the address opens it; OpenWebAddress unless replaced.
  std::function<void(HWND owner, std::string_view address)> openAddress = OpenWebAddress;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(int id, int code);
  LRESULT LinkMessage(HWND link, UINT message, WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void DrawLink(const DRAWITEMSTRUCT& item) const;
  void CreateFonts();
  void Layout();
  HWND Control(ControlId id) const { return ::GetDlgItem(dialog_, id); }

  std::string application_;
  std::string copyright_;
  HICON icon_ = nullptr;
  std::string website_;
  std::string caption_;

  HWND dialog_ = nullptr;
  int dpi_ = 96;
  win32::UniqueFont font_;
  win32::UniqueFont boldFont_;
  win32::UniqueFont linkFont_;
  controls::Subclassing linkKeys_;
};

}  // namespace vellumark::gui
