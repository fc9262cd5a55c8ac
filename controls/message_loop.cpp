#include "controls/message_loop.h"

#include "controls/window_messages.h"

namespace vellumark::controls {
namespace {

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// Keys that dialog navigation would otherwise take before the control.
bool IsSpecialKey(WPARAM key) {
  return key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE || key == VK_SPACE ||
         (key >= VK_PRIOR && key <= VK_DOWN);
}

}  // namespace

bool PreTranslateMessage(HWND dialogWindow, MSG& message) {
  if (IsKeyMessage(message.message) && IsSpecialKey(message.wParam) && message.hwnd != nullptr) {
    switch (::SendMessageW(message.hwnd, kPreTranslateKey, message.wParam, 0)) {
      case kKeyHandled:
        return true;
      case kKeyDispatch:
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
        return true;
      default:
        break;
    }
  }
  return dialogWindow != nullptr && ::IsDialogMessageW(dialogWindow, &message);
}

int RunMessageLoop(HWND dialogWindow) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(dialogWindow, message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace vellumark::controls
