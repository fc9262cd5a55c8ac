#include "support/program_folder.h"

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

namespace vellumark {

std::string ProgramFolder() {
  // The buffer grows until the whole (possibly long) path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 0x8000) return "";
    path.resize(path.size() * 2);
  }
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return "";
  return win32::Narrow(path.substr(0, separator)) + '\\';
}

}  // namespace vellumark
