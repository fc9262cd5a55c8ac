// Facts about the keyboard and its lock keys, read when the object is
// created; the lock statuses are read again by Refresh().
#pragma once

#include <cstdint>
#include <string>

namespace vellumark {

class Keyboard {
 public:
  Keyboard();

  bool CapsLockStatus() const { return capsLock_; }
  std::uint8_t FunctionKeys() const { return functionKeys_; }
  // "IBM enhanced (101 or 102 keys)" and the like; "" for unknown types.
  const std::string& KeyboardType() const { return keyboardType_; }
  // The active layout's name, eight hexadecimal digits ("00000409"); "" if unreadable.
  const std::string& LayoutID() const { return layoutId_; }
  bool NumLockStatus() const { return numLock_; }
  std::uint8_t RepeatDelay() const { return repeatDelay_; }  // 0..3
  std::uint8_t RepeatSpeed() const { return repeatSpeed_; }  // 0..31
  bool ScrollLockStatus() const { return scrollLock_; }

  // True while the Tab key is down (so a focus change came from Tab).
  bool IsTabKey() const;
  // Reads the three lock statuses again.
  void Refresh();

  // The description of a platform keyboard type (1..7); "" for others.
  static std::string KeyboardTypeDescription(int type);

 private:
  bool capsLock_ = false;
  std::uint8_t functionKeys_ = 0;
  std::string keyboardType_;
  std::string layoutId_;
  bool numLock_ = false;
  std::uint8_t repeatDelay_ = 0;
  std::uint8_t repeatSpeed_ = 0;
  bool scrollLock_ = false;
};

}  // namespace vellumark
