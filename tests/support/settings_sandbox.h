// Keeps tests that use the settings store apart from each other and from
// the user's own settings.
//
// Native build: points XDG_CONFIG_HOME at a fresh temporary folder for the
// object's life (each test case runs in its own process), so the store
// starts empty. Windows build: the store is the real registry of the test
// prefix; TestKey() is a key of its own, removed afterwards, and
// KeptValues restores values of a shared key (in both builds).
#pragma once

#include "support/registry.h"
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

// Saves the named values of a current-user key and puts them back (or
// removes them again) when the object goes.
class KeptValues {
 public:
  KeptValues(std::string key, const std::vector<std::string>& names) : key_(std::move(key)) {
    for (const std::string& name : names) {
      Saved saved;
      saved.name = name;
      // A failed text read still gives the value's type.
      const bool read = Registry::ReadStringValue(kUser, key_, name, saved.text, saved.type) ||
                        (saved.type == kNumber && Registry::ReadNumberValue(kUser, key_, name, saved.number)) ||
                        (saved.type == kBinary && Registry::ReadBinaryValue(kUser, key_, name, saved.bytes));
      if (!read) saved.type = 0;
      saved_.push_back(std::move(saved));
    }
  }
  KeptValues(const KeptValues&) = delete;
  KeptValues& operator=(const KeptValues&) = delete;
  ~KeptValues() {
    for (const Saved& saved : saved_) {
      if (saved.type == kNumber) {
        Registry::WriteNumberValue(kUser, key_, saved.name, saved.number);
      } else if (saved.type == kBinary) {
        Registry::WriteBinaryValue(kUser, key_, saved.name, saved.bytes);
      } else if (!Registry::WriteStringValue(kUser, key_, saved.name, saved.text, saved.type)) {
        Registry::RemoveValue(kUser, key_, saved.name);
      }
    }
  }

 private:
  static constexpr std::uint32_t kUser = Registry::kCurrentUser;
  static constexpr std::uint32_t kBinary = 3;
  static constexpr std::uint32_t kNumber = 4;
  struct Saved {
    std::string name;
    std::uint32_t type = 0;  // 0: none
    std::string text;
    std::int32_t number = 0;
    std::vector<std::uint8_t> bytes;
  };
  std::string key_;
  std::vector<Saved> saved_;
};

}  // namespace vellumark::testing
