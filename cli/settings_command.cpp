#include "cli/settings_command.h"

#include "cli/cli.h"
#include "generate/generate_options.h"
#include "generate/page_names.h"

namespace vellumark::cli {
namespace {

// A setting as the store gives it back, as text.
std::string Stored(const Settings& settings, const std::string& name) {
  if (name == "interval") return std::to_string(settings.Interval());
  if (name == "template") return settings.Template();
  if (name == "shortcutfolders") return settings.ShortcutFolders();
  if (name == "updated") return settings.Updated();
  return settings.WHOIS();
}

}  // namespace

int RunSettings(const std::vector<std::string>& arguments, const Templates& templates, Settings& settings,
                std::ostream& out, std::ostream& err) {
  if (arguments.empty()) {
    out << "Interval=" << settings.Interval() << '\n'
        << "ShortcutFolders=" << settings.ShortcutFolders() << '\n'
        << "Template=" << settings.Template() << '\n'
        << "Updated=" << settings.Updated() << '\n'
        << "WHOIS=" << settings.WHOIS() << '\n';
    return exit_code::kSuccess;
  }
  const std::string name = LowerCase(arguments[0]);
  const std::string& value = arguments[1];
  std::string expected = value;
  if (name == "interval") {
    const std::optional<int> days = ParseInterval(value);
    if (!days) {
      err << kInvalidInterval << '\n';
      return exit_code::kUsage;
    }
    settings.SetInterval(*days);
    expected = std::to_string(*days);
  } else if (name == "template") {
    const std::optional<std::string> set = FindTemplate(templates, value);
    if (!set) {
      err << kSelectTemplate << '\n';
      return exit_code::kUsage;
    }
    settings.SetTemplate(*set);
    expected = *set;
  } else if (name == "shortcutfolders") {
    settings.SetShortcutFolders(value);
  } else if (name == "updated") {
    settings.SetUpdated(value);
  } else if (name == "whois") {
    settings.SetWHOIS(value);
    if (value.empty()) expected = Settings::kDefaultWHOIS;
  } else {
    err << "vellumark-cli: no such setting: " << arguments[0]
        << " (Interval, ShortcutFolders, Template, Updated or WHOIS)\n";
    return exit_code::kUsage;
  }
  // The store does not report a failed write: a value that does not read
  // back was not saved.
  if (Stored(settings, name) != expected) {
    err << "Error saving the setting " << arguments[0] << '\n';
    return exit_code::kFailure;
  }
  return exit_code::kSuccess;
}

}  // namespace vellumark::cli
