// Keeps tests that use the settings store apart from each other and from
// the user's own settings.
//
// Native build: points XDG_CONFIG_HOME at a fresh temporary folder for the
// object's life (each test case runs in its own process), so the store
// starts empty. Windows build: the store is the real registry of the test
// prefix; TestKey() is a key of its own, removed afterwards, and
// KeptValues restores values of a shared key.
#pragma once

#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#endif

namespace vellumark::testing {

class SettingsSandbox {
 public:
  SettingsSandbox() {
    static int serial = 0;
#ifdef _WIN32
    testKey_ = "Software\\Tarnwell\\VellumarkTests\\" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(serial++);
#else
    ++serial;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old != nullptr) oldConfig_ = old;
    hadConfig_ = old != nullptr;
    setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
    testKey_ = "Software\\Tarnwell\\VellumarkTests";
#endif
  }
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;
  ~SettingsSandbox() {
#ifdef _WIN32
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Widen(testKey_).c_str());
#else
    if (hadConfig_) {
      setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
#endif
  }

  // A key no other test uses.
  const std::string& TestKey() const { return testKey_; }
  // Native build: the folder that stands for XDG_CONFIG_HOME, and the file.
  const TempFolder& ConfigFolder() const { return folder_; }
  std::string SettingsFile() const { return folder_ / "vellumark/settings.ini"; }

 private:
  TempFolder folder_;
  std::string testKey_;
  std::string oldConfig_;
  bool hadConfig_ = false;
};

#ifdef _WIN32
// Saves the named values of a current-user key and puts them back (or
// removes them again) when the object goes.
class KeptValues {
 public:
  KeptValues(std::string key, std::vector<std::string> names) : key_(std::move(key)) {
    for (std::string& name : names) {
      Saved saved;
      saved.name = std::move(name);
      HKEY handle = nullptr;
      if (::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Widen(key_).c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
        DWORD size = 0;
        const std::wstring wide = win32::Widen(saved.name);
        if (::RegQueryValueExW(handle, wide.c_str(), nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
          saved.data.resize(size);
          saved.present = ::RegQueryValueExW(handle, wide.c_str(), nullptr, &saved.type, saved.data.data(), &size) ==
                          ERROR_SUCCESS;
          saved.data.resize(size);
        }
        ::RegCloseKey(handle);
      }
      saved_.push_back(std::move(saved));
    }
  }
  KeptValues(const KeptValues&) = delete;
  KeptValues& operator=(const KeptValues&) = delete;
  ~KeptValues() {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Widen(key_).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                          nullptr) != ERROR_SUCCESS) {
      return;
    }
    for (const Saved& saved : saved_) {
      const std::wstring wide = win32::Widen(saved.name);
      if (saved.present) {
        ::RegSetValueExW(handle, wide.c_str(), 0, saved.type, saved.data.data(), static_cast<DWORD>(saved.data.size()));
      } else {
        ::RegDeleteValueW(handle, wide.c_str());
      }
    }
    ::RegCloseKey(handle);
  }

 private:
  struct Saved {
    std::string name;
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  std::string key_;
  std::vector<Saved> saved_;
};
#endif

}  // namespace vellumark::testing
