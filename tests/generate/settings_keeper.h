// Settings for tests: native tests keep theirs in a folder of the test;
// the Windows build's tests share the registry of their Wine prefix, so
// they put the stored values back when they end.
#pragma once

#include "runner/settings.h"

#include <cstdlib>
#include <string>

namespace vellumark::testing {

// Points the native settings store at `folder` for as long as the test
// runs; declare it before the Settings it serves.
class SettingsFolder {
 public:
  explicit SettingsFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
#else
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
#endif
  }
};

// Puts the five stored values back when the test ends.

class SettingsKeeper {
 public:
  explicit SettingsKeeper(Settings& settings)
      : settings_(settings),
        interval_(settings.Interval()),
        shortcutFolders_(settings.ShortcutFolders()),
        template_(settings.Template()),
        updated_(settings.Updated()),
        whois_(settings.WHOIS()) {}
  SettingsKeeper(const SettingsKeeper&) = delete;
  SettingsKeeper& operator=(const SettingsKeeper&) = delete;
  ~SettingsKeeper() {
    settings_.SetInterval(interval_);
    settings_.SetShortcutFolders(shortcutFolders_);
    settings_.SetTemplate(template_);
    settings_.SetUpdated(updated_);
    settings_.SetWHOIS(whois_);
  }

 private:
  Settings& settings_;
  int interval_;
  std::string shortcutFolders_;
  std::string template_;
  std::string updated_;
  std::string whois_;
};

}  // namespace vellumark::testing
