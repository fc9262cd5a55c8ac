#include "support/special_folders.h"

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <shlobj.h>

namespace vellumark {
namespace {

// Calls a "fill this buffer, return the length" API with a MAX_PATH buffer.
template <typename Api>
std::string FromPathBuffer(Api api) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = api(buffer, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return "";
  return win32::Narrow(std::wstring_view(buffer, length));
}

}  // namespace

std::string GetSpecialFolder(int specialFolder) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, specialFolder, nullptr, SHGFP_TYPE_CURRENT, buffer))) return "";
  return win32::Narrow(buffer);
}

std::string GetTempFolder() {
  return FromPathBuffer([](wchar_t* b, UINT n) { return static_cast<UINT>(::GetTempPathW(n, b)); });
}

std::string GetSystemFolder() {
  return FromPathBuffer([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
}

std::string GetWindowsFolder() {
  return FromPathBuffer([](wchar_t* b, UINT n) { return ::GetWindowsDirectoryW(b, n); });
}

}  // namespace vellumark
