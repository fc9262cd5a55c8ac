#include "support/win32/keyboard.h"

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

namespace vellumark {
namespace {

bool Toggled(int key) { return (::GetKeyState(key) & 0x0001) != 0; }

std::uint8_t SystemParameter(UINT action) {
  UINT value = 0;
  return ::SystemParametersInfoW(action, 0, &value, 0) ? static_cast<std::uint8_t>(value) : 0;
}

}  // namespace

std::string Keyboard::KeyboardTypeDescription(int type) {
  switch (type) {
    case 1: return "IBM PC/XT or compatible (83 keys)";
    case 2: return "Olivetti \"ICO\" (102 keys)";
    case 3: return "IBM PC/AT or compatible (84 keys)";
    case 4: return "IBM enhanced (101 or 102 keys)";
    case 5: return "Nokia 1050 or compatible";
    case 6: return "Nokia 9140 or compatible";
    case 7: return "Japanese";
    default: return "";
  }
}

Keyboard::Keyboard() {
  functionKeys_ = static_cast<std::uint8_t>(::GetKeyboardType(2));
  keyboardType_ = KeyboardTypeDescription(::GetKeyboardType(0));
  wchar_t layout[KL_NAMELENGTH] = {};
  if (::GetKeyboardLayoutNameW(layout)) layoutId_ = win32::Narrow(layout);
  repeatDelay_ = SystemParameter(SPI_GETKEYBOARDDELAY);
  repeatSpeed_ = SystemParameter(SPI_GETKEYBOARDSPEED);
  Refresh();
}

bool Keyboard::IsTabKey() const { return (::GetKeyState(VK_TAB) & 0x8000) != 0; }

void Keyboard::Refresh() {
  capsLock_ = Toggled(VK_CAPITAL);
  numLock_ = Toggled(VK_NUMLOCK);
  scrollLock_ = Toggled(VK_SCROLL);
}

}  // namespace vellumark
