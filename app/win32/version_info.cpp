#include "app/win32/version_info.h"

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <vector>

namespace vellumark::gui {
namespace {

std::string StringValue(const std::vector<unsigned char>& block, const std::wstring& language, const wchar_t* name) {
  const std::wstring path = L"\\StringFileInfo\\" + language + L"\\" + name;
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return "";
  return win32::Narrow(std::wstring_view(static_cast<const wchar_t*>(value), length - 1));
}

}  // namespace

VersionInfo ReadVersionInfo() {
  VersionInfo info;
  wchar_t program[MAX_PATH] = {};
  if (::GetModuleFileNameW(nullptr, program, MAX_PATH) == 0) return info;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(program, &handle);
  if (size == 0) return info;
  std::vector<unsigned char> block(size);
  if (!::GetFileVersionInfoW(program, 0, size, block.data())) return info;

  void* fixed = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(block.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* numbers = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    info.major = HIWORD(numbers->dwProductVersionMS);
    info.minor = LOWORD(numbers->dwProductVersionMS);
    info.patch = HIWORD(numbers->dwProductVersionLS);
  }
  // The first language of the translation table names the string block.
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* table = nullptr;
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &table, &length) ||
      length < sizeof(Translation)) {
    return info;
  }
  const auto* first = static_cast<const Translation*>(table);
  wchar_t language[9] = {};
  ::wsprintfW(language, L"%04x%04x", first->language, first->codePage);
  info.companyName = StringValue(block, language, L"CompanyName");
  info.legalCopyright = StringValue(block, language, L"LegalCopyright");
  return info;
}

}  // namespace vellumark::gui
