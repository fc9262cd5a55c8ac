#include "cli/cli.h"

#include "cli/command_line.h"
#include "favorites/favorites.h"
#include "support/file_system.h"
#include "support/special_folders.h"

namespace vellumark::cli {
namespace {

constexpr std::uint32_t kReadOnlyAndHidden = attribute::kReadOnly | attribute::kHidden;

int List(Favorites& favorites, std::ostream& out) {
  for (const MainFolders& folder : favorites.Initialize()) out << folder.Count << '\t' << folder.Name << '\n';
  return exit_code::kSuccess;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, FileServices& services) {
  const ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.commandLine) {
    err << "vellumark-cli: " << parsed.error << '\n' << kUsage;
    return exit_code::kUsage;
  }
  const CommandLine& line = *parsed.commandLine;
  const std::string root =
      line.favoritesFolder ? *line.favoritesFolder : GetSpecialFolder(special_folder::kFavorites);
  if (root.empty() || !FileSystem(services).IsFolder(root)) {
    err << "Error accessing favorites folder\n";
    return exit_code::kFailure;
  }
  Favorites favorites(services, [root] { return root; });
  favorites.SetAttributes(line.includeReadOnly ? attribute::kHidden : kReadOnlyAndHidden);
  return List(favorites, out);
}

}  // namespace vellumark::cli
