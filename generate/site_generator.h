// Generate and Statistics: a small static site built from a template set.
//
// Prepare reads the settings once (after Generate's options step), reads
// the set's template files once, copies the set's resources and chooses
// the page names. Every checked folder other than "/" becomes a page
// (header, the folder's tree, footer); the favorites lying directly in the
// Favorites folder ("/") are gathered for the index page, which Finish
// writes: its head, one entry per page and the root favorites in the order
// of the checked folders, and the footer.
//
// Generate links each favorite to its URL and marks recently changed ones
// as new; Statistics links each favorite inside a folder to the domain
// lookup of its server (the WHOIS address with every "%q" replaced by the
// server's ASCII form, the page showing the server as written), a favorite
// without a server to itself, and marks nothing. A set that is not
// complete stops the run before anything is written.
#pragma once

#include "generate/page_names.h"
#include "generate/site_templates.h"
#include "generate/templates.h"
#include "processes/html.h"
#include "processes/line_file.h"
#include "processes/process.h"
#include "support/file_services.h"
#include "support/local_date_time.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

// The stored choices a site is built with.
struct SiteSettings {
  int interval = 0;
  std::string updated;
  std::string whois;
  std::string templateName;
};

// What the site processes use from the program around them.
struct SiteContext {
  FileServices& files;
  HTML& html;
  const Templates& templates;
  // Reads the stored choices; Prepare calls it once, after the options step.
  std::function<SiteSettings()> settings;
  // A message box (exclamation icon, OK, application title).
  std::function<void(std::string_view)> showMessage;
  // Generate's options step: the options dialog in the window, the given
  // options on the command line. False when cancelled; the run then ends
  // with nothing written.
  std::function<bool()> chooseOptions;
  // The present local date-time for the new rule; LocalNow when empty.
  std::function<LocalDateTime()> now;
};

class SiteGenerator final : public Process {
 public:
  enum class Kind { kGenerate, kStatistics };

  SiteGenerator(SiteContext& context, Kind kind) : context_(context), kind_(kind) {}

  bool Prepare(RunState& state) override;
  void BeginEntry(const CheckedFolder& entry) override;
  void EndEntry(const CheckedFolder& entry) override;
  void BeforeFolderChange(int level, FolderItem& folder) override;
  void AfterFolderChange(int level, FolderItem& folder) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void FavoriteError(std::string_view file) override;
  void Finish() override;
  void Close() override;

  static constexpr std::string_view kIndexName = "index.html";

  // The template resources Prepare could not copy (each shown as a
  // message); the site is incomplete without them.
  const std::vector<std::string>& FailedCopies() const { return failedCopies_; }
  void AddFindings(RunFindings& findings) const override { findings.failedCopies = failedCopies_; }

 private:
  struct Page {
    int position = 0;
    std::string fileName;
  };

  void Write(int level, const std::string& fragment);
  void GenerateFavorite(int level, FavoriteItem& favorite);
  void StatisticsFavorite(int level, FavoriteItem& favorite);
  std::string FavoriteLink(int level, const std::string& url, const std::string& favorite,
                           const std::string& marker) const;
  const std::string& PageName(int position) const;
  void WriteIndex();

  SiteContext& context_;
  Kind kind_;
  RunState* state_ = nullptr;
  std::optional<SiteTemplates> templates_;
  int interval_ = 0;
  std::string updated_;
  std::string whois_;
  LocalDateTime now_;
  std::string newMarker_;
  std::vector<Page> pages_;
  std::optional<LineFile> file_;
  std::string rootlinks_;
  std::string folderlist_;
  long long grandtotal_ = 0;
  int processed_ = 0;
  int newfavorites_ = 0;
  std::vector<std::string> failedCopies_;
};

}  // namespace vellumark
