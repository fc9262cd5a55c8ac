#include "cli/settings_command.h"

#include "cli/cli.h"
#include "generate/generate_options.h"
#include "generate/page_names.h"

namespace vellumark::cli {

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
  bool saved = false;
  if (name == "interval") {
    const std::optional<int> days = ParseInterval(value);
    if (!days) {
      err << kInvalidInterval << '\n';
      return exit_code::kUsage;
    }
    saved = settings.SetInterval(*days);
  } else if (name == "template") {
    const std::optional<std::string> set = FindTemplate(templates, value);
    if (!set) {
      err << kSelectTemplate << '\n';
      return exit_code::kUsage;
    }
    saved = settings.SetTemplate(*set);
  } else if (name == "shortcutfolders") {
    saved = settings.SetShortcutFolders(value);
  } else if (name == "updated") {
    saved = settings.SetUpdated(value);
  } else if (name == "whois") {
    saved = settings.SetWHOIS(value);
  } else {
    err << "vellumark-cli: no such setting: " << arguments[0]
        << " (Interval, ShortcutFolders, Template, Updated or WHOIS)\n";
    return exit_code::kUsage;
  }
  if (!saved) {
    err << "Error saving the setting " << arguments[0] << '\n';
    return exit_code::kFailure;
  }
  return exit_code::kSuccess;
}

}  // namespace vellumark::cli
