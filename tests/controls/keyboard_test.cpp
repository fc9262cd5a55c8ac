#include "support/win32/keyboard.h"
#include "support/win32/windows_gate.h"

#include <gtest/gtest.h>

#include <array>

namespace vellumark {
namespace {

// Sets this thread's key state: the given keys toggled or down.
void SetKeys(std::initializer_list<int> toggled, std::initializer_list<int> down) {
  std::array<BYTE, 256> state{};
  for (int key : toggled) state[key] |= 0x01;
  for (int key : down) state[key] |= 0x80;
  ::SetKeyboardState(state.data());
}

TEST(KeyboardLocks, StatusesFollowTheKeysOnlyAfterRefresh) {
  SetKeys({VK_CAPITAL, VK_SCROLL}, {VK_NUMLOCK});
  Keyboard keyboard;
  EXPECT_TRUE(keyboard.CapsLockStatus());
  EXPECT_FALSE(keyboard.NumLockStatus());  // down, but not toggled
  EXPECT_TRUE(keyboard.ScrollLockStatus());
  SetKeys({VK_NUMLOCK}, {});
  EXPECT_TRUE(keyboard.CapsLockStatus());
  keyboard.Refresh();
  EXPECT_FALSE(keyboard.CapsLockStatus());
  EXPECT_TRUE(keyboard.NumLockStatus());
  EXPECT_FALSE(keyboard.ScrollLockStatus());
  SetKeys({}, {});
}

}  // namespace
}  // namespace vellumark
