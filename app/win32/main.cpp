// vellumark.exe: the main window and its message loop.
#include "app/win32/form_vellumark.h"
#include "controls/control_common.h"
#include "controls/dpi.h"
#include "support/win32/windows_gate.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

// The folder browser needs OLE on this thread for as long as windows live.
class OleSession {
 public:
  OleSession() : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialized_) ::OleUninitialize();
  }

 private:
  bool initialized_;
};

int RunMessageLoop(vellumark::gui::FormVellumark& form) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  vellumark::controls::EnablePerMonitorDpiAwareness();
  vellumark::controls::InitCommonControlClasses(ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                ICC_STANDARD_CLASSES);
  const OleSession ole;
  vellumark::gui::FormVellumark form;
  if (!form.Load()) return 1;
  return RunMessageLoop(form);
}
