// Whether another instance of the program runs in this session: the first
// instance holds a named mutex until it ends.
#pragma once

#include "support/win32/unique_handle.h"

namespace vellumark::gui {

class SingleInstance {
 public:
  SingleInstance();
  // True when an earlier instance holds the name.
  bool AnotherIsRunning() const { return another_; }

 private:
  win32::UniqueHandle mutex_;
  bool another_ = false;
};

}  // namespace vellumark::gui
