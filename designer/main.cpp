// vellumark-designer: edits the item lists of the custom controls in a form
// description. Usage: vellumark-designer [FORM-FILE [CONTROL]]; without a
// file it asks for one.
#include "controls/message_loop.h"
#include "designer/designer_window.h"
#include "support/win32/common_dialogs.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 1; list != nullptr && i < count; ++i) arguments.push_back(vellumark::win32::Narrow(list[i]));
  if (list != nullptr) ::LocalFree(list);
  return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // Laid out once at the system's DPI; the system scales the window on
  // monitors with another DPI.
  ::SetProcessDPIAware();
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&classes);

  std::vector<std::string> arguments = Arguments();
  vellumark::designer::DesignerWindow window(true);
  if (window.Hwnd() == nullptr) return 1;
  if (arguments.empty()) {
    vellumark::CommonDialogs dialogs;
    dialogs.OwnerHwnd = window.Hwnd();
    dialogs.Filter = "Form descriptions (*.form)|*.form|All files (*.*)|*.*";
    dialogs.Title = "Open Form Description";
    if (!dialogs.ShowOpen()) return 0;
    arguments.push_back(dialogs.FileName);
  }
  std::string error;
  if (!window.Open(arguments[0], error)) {
    ::MessageBoxW(nullptr, vellumark::win32::Widen(error).c_str(), L"Vellumark Designer", MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  if (arguments.size() > 1) window.Select(arguments[1]);
  ::ShowWindow(window.Hwnd(), show);
  ::UpdateWindow(window.Hwnd());
  return vellumark::controls::RunMessageLoop(window.Hwnd());
}
