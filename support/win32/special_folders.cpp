#include "support/special_folders.h"

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <winspool.h>

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

// Calls a spooler "fill this buffer" API for the local machine's folder.
template <typename Api>
std::string FromSpooler(Api api) {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD needed = 0;
  if (!api(reinterpret_cast<BYTE*>(buffer), static_cast<DWORD>(sizeof buffer - sizeof(wchar_t)), &needed)) return "";
  return win32::Narrow(buffer);
}

// A shell browser window's answer to this message is a shared-memory handle,
// made for the asking process, that holds the item list of its folder.
constexpr UINT kGetFolderItemList = WM_USER + 12;
constexpr UINT kAnswerTimeoutMs = 2000;

}  // namespace

std::string GetExplorerFolder() {
  const HWND browser = ::FindWindowW(L"ExploreWClass", nullptr);
  if (browser == nullptr) return "";
  const DWORD process = ::GetCurrentProcessId();
  DWORD_PTR answer = 0;
  // A hung browser window must not hang the caller.
  if (!::SendMessageTimeoutW(browser, kGetFolderItemList, process, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer) ||
      answer == 0) {
    return "";
  }
  const auto shared = reinterpret_cast<HANDLE>(answer);
  std::string folder;
  if (void* items = ::SHLockShared(shared, process)) {
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(static_cast<PCIDLIST_ABSOLUTE>(items), path)) folder = win32::Narrow(path);
    ::SHUnlockShared(items);
  }
  ::SHFreeShared(shared, process);
  return folder;
}

std::string GetPrinterDriverFolder() {
  return FromSpooler([](BYTE* b, DWORD n, DWORD* needed) {
    return ::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, b, n, needed);
  });
}

std::string GetPrintProcessorFolder() {
  return FromSpooler([](BYTE* b, DWORD n, DWORD* needed) {
    return ::GetPrintProcessorDirectoryW(nullptr, nullptr, 1, b, n, needed);
  });
}

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
