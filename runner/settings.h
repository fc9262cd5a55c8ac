// The choices that outlive a run, kept under the program's key of the
// current user's registry (Windows) or in the per-user settings file
// (elsewhere: under $XDG_CONFIG_HOME/vellumark/, else ~/.config/vellumark/).
// Nothing is cached: every get reads the store and every set writes it, so
// changes made elsewhere are seen at the next read. Failed reads give the
// defaults; each setter returns whether the value reached the store.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vellumark {

class AppEx {
 public:
  // "Software\" + company + "\" + product without spaces.
  AppEx();
  const std::string& RegistryKey() const { return registryKey_; }

 private:
  std::string registryKey_;
};

class Settings {
 public:
  // Whether a name is that of a complete template set.
  using TemplateCheck = std::function<bool(std::string_view name)>;

  // `isCompleteSet` serves the Template rule.
  explicit Settings(TemplateCheck isCompleteSet);

  // Days within which a favorite counts as new; 0 (off) when missing, not a
  // number, or outside 0-1000.
  int Interval() const;
  bool SetInterval(int days);
  // The remembered folder-list entries joined with "|".
  std::string ShortcutFolders() const;
  bool SetShortcutFolders(std::string_view folders);
  // The chosen template set; "" unless it names a complete set. Before any
  // set was chosen (nothing or "" stored) the shipped set kDefaultTemplate
  // when it is complete.
  std::string Template() const;
  bool SetTemplate(std::string_view name);
  // Free text for the pages' "updated" placeholder.
  std::string Updated() const;
  bool SetUpdated(std::string_view text);
  // Domain-lookup address, "%q" standing for a server name; kDefaultWHOIS
  // when missing, unreadable or empty.
  std::string WHOIS() const;
  bool SetWHOIS(std::string_view address);

  static constexpr std::string_view kDefaultTemplate = "Default";
  static constexpr std::string_view kDefaultWHOIS = "https://lookup.icann.org/en/lookup?name=%q";

 private:
  std::string ReadText(std::string_view name) const;
  bool WriteText(std::string_view name, std::string_view value) const;

  AppEx app_;
  TemplateCheck isCompleteSet_;
};

}  // namespace vellumark
