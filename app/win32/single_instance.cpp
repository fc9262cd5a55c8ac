#include "app/win32/single_instance.h"

namespace vellumark::gui {

SingleInstance::SingleInstance() {
  mutex_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Tarnwell.Vellumark.Instance"));
  another_ = mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace vellumark::gui
