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
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#endif

namespace vellumark::testing {

#ifndef _WIN32
// Sets an environment variable for the object's life.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};
#endif

class SettingsSandbox {
 public:
#ifdef _WIN32
  SettingsSandbox() {
    static int serial = 0;
    testKey_ += "\\" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(serial++);
  }
  ~SettingsSandbox() { ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Widen(testKey_).c_str()); }
#endif

  // A key no other test uses.
  const std::string& TestKey() const { return testKey_; }
  // Native build: the folder that stands for XDG_CONFIG_HOME, and the file.
  const TempFolder& ConfigFolder() const { return folder_; }
  std::string SettingsFile() const { return folder_ / "vellumark/settings.ini"; }

 private:
  TempFolder folder_;
  std::string testKey_ = "Software\\Tarnwell\\VellumarkTests";
#ifndef _WIN32
  ScopedVariable config_{"XDG_CONFIG_HOME", folder_.Path()};
#endif
};

// Saves the named values of a current-user key and puts them back (or
// removes them again) when the object goes.
class KeptValues {
 public:
  KeptValues(std::string key, const std::vector<std::string>& names) : key_(std::move(key)) {
    for (const std::string& name : names) {
      Saved& saved = saved_.emplace_back();
      saved.name = name;
      // A failed text read still gives the value's type.
      const bool read = Registry::ReadStringValue(kUser, key_, name, saved.text, saved.type) ||
                        (saved.type == 4 && Registry::ReadNumberValue(kUser, key_, name, saved.number)) ||
                        (saved.type == 3 && Registry::ReadBinaryValue(kUser, key_, name, saved.bytes));
      if (!read) saved.type = 0;
    }
  }
  KeptValues(const KeptValues&) = delete;
  KeptValues& operator=(const KeptValues&) = delete;
  ~KeptValues() {
    for (const Saved& saved : saved_) {
      const bool restored = saved.type == 4   ? Registry::WriteNumberValue(kUser, key_, saved.name, saved.number)
                            : saved.type == 3 ? Registry::WriteBinaryValue(kUser, key_, saved.name, saved.bytes)
                                              : Registry::WriteStringValue(kUser, key_, saved.name, saved.text, saved.type);
      if (!restored) Registry::RemoveValue(kUser, key_, saved.name);
    }
  }

 private:
  static constexpr std::uint32_t kUser = Registry::kCurrentUser;
  struct Saved {
    std::string name;
    std::uint32_t type = 0;  // 0: none; 3: binary; 4: number; else text
    std::string text;
    std::int32_t number = 0;
    std::vector<std::uint8_t> bytes;
  };
  std::string key_;
  std::vector<Saved> saved_;
};

}  // namespace vellumark::testing
