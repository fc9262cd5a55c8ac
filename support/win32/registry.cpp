// Registry helpers over the wide Win32 registry API.
#include "support/registry.h"
#include "support/registry_storage.h"

#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <cstring>

namespace vellumark {
namespace {

inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
using UniqueKey = win32::UniqueAny<HKEY, CloseKey, 0>;

// Standard read rights with value query, subkey enumeration and change
// notification; standard read rights with value set and subkey creation.
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kWriteAccess = KEY_WRITE;

// The predefined roots are sign-extended 32-bit values.
HKEY RootKey(std::uint32_t rootkey) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(rootkey)));
}

UniqueKey OpenKey(std::uint32_t rootkey, std::string_view subkey, REGSAM access) {
  UniqueKey key;
  if (::RegOpenKeyExW(RootKey(rootkey), win32::Widen(subkey).c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
    return UniqueKey();
  }
  return key;
}

// Lists child keys or value names. Buffers are sized from the key's own
// longest name, so no name is cut and a long name does not end the list.
bool EnumerateNames(std::uint32_t rootkey, std::string_view subkey, bool values, std::vector<std::string>& names) {
  names.clear();
  const UniqueKey key = OpenKey(rootkey, subkey, kReadAccess);
  if (!key) return false;
  DWORD longestKey = 0, longestValue = 0;
  if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &longestKey, nullptr, nullptr, &longestValue,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring buffer((values ? longestValue : longestKey) + 1, L'\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LSTATUS status =
        values ? ::RegEnumValueW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
               : ::RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return true;
    if (status == ERROR_MORE_DATA && buffer.size() < 0x8000) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) {
      names.clear();
      return false;
    }
    names.push_back(win32::Narrow(std::wstring_view(buffer.data(), length)));
    ++index;
  }
}

}  // namespace

namespace registry_storage {

bool RawRead(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, RawValue& value) {
  const UniqueKey key = OpenKey(rootkey, subkey, kReadAccess);
  if (!key) return false;
  const std::wstring name = win32::Widen(valuename);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  // The value may grow between the two queries; ask again with the new size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    value.data.assign(size + 1, 0);
    DWORD received = size;
    const LSTATUS status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, value.data.data(), &received);
    value.type = type;
    if (status == ERROR_SUCCESS) {
      value.data.resize(received);
      return received >= 1;
    }
    if (status != ERROR_MORE_DATA) return false;
    size = received;
  }
  return false;
}

bool RawWrite(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, std::uint32_t type,
              std::span<const std::uint8_t> data) {
  if (data.size() > 0xFFFFFFFF) return false;
  UniqueKey key;
  if (::RegCreateKeyExW(RootKey(rootkey), win32::Widen(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kWriteAccess, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return ::RegSetValueExW(key.get(), win32::Widen(valuename).c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

// Texts are stored as UTF-16 with their terminating zero.
std::vector<std::uint8_t> TextBytes(std::string_view text) {
  const std::wstring wide = win32::Widen(text) + L'\0';
  std::vector<std::uint8_t> bytes(wide.size() * sizeof(wchar_t));
  std::memcpy(bytes.data(), wide.data(), bytes.size());
  return bytes;
}

std::string TextOf(std::span<const std::uint8_t> bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * 2);
  // Only a real terminating zero is dropped: a value stored without one by
  // another program keeps its last character.
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return win32::Narrow(text);
}

}  // namespace registry_storage

bool Registry::RemoveKey(std::uint32_t rootkey, std::string_view subkey, std::string_view keyname) {
  // An empty name would delete `subkey` itself.
  if (keyname.empty()) return false;
  const UniqueKey key = OpenKey(rootkey, subkey, kWriteAccess);
  return key && ::RegDeleteKeyW(key.get(), win32::Widen(keyname).c_str()) == ERROR_SUCCESS;
}

bool Registry::RemoveValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename) {
  const UniqueKey key = OpenKey(rootkey, subkey, kWriteAccess);
  return key && ::RegDeleteValueW(key.get(), win32::Widen(valuename).c_str()) == ERROR_SUCCESS;
}

bool Registry::EnumerateKeys(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names) {
  return EnumerateNames(rootkey, subkey, false, names);
}

bool Registry::EnumerateValues(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names) {
  return EnumerateNames(rootkey, subkey, true, names);
}

}  // namespace vellumark
