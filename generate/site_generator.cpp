#include "generate/site_generator.h"

#include "generate/new_rule.h"
#include "generate/site_resources.h"
#include "processes/punycode.h"
#include "processes/uri.h"
#include "support/formatting.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace vellumark {
namespace {

using namespace template_file;

constexpr int kNoCount = -1;
constexpr int kRootLinkIndent = 12;
constexpr int kFolderLinkIndent = 12;

int ListIndent(int level) { return 4 * level + 8; }

int LinkIndent(int level) { return level == 0 ? kRootLinkIndent : ListIndent(level); }

// Text as it may stand in a page, with "'" escaped as well.
std::string Escape(const HTML& html, std::string_view text) {
  return StringEx::ReplaceAll(html.Encode(text), "'", "&#39;");
}

int PluralCount(long long count) { return static_cast<int>(std::min<long long>(count, INT_MAX)); }

}  // namespace

bool SiteGenerator::Prepare(RunState& state) {
  if (kind_ == Kind::kGenerate && context_.chooseOptions && !context_.chooseOptions()) return false;
  state_ = &state;
  const SiteSettings settings = context_.settings();
  interval_ = kind_ == Kind::kGenerate ? settings.interval : 0;
  updated_ = settings.updated;
  if (kind_ == Kind::kStatistics) whois_ = settings.whois;
  templates_.emplace(context_.templates, settings.templateName, context_.files, interval_ > 0);
  now_ = context_.now ? context_.now() : LocalNow();
  if (interval_ > 0) newMarker_ = templates_->Fill(kFileNew, 0, false, kNoCount);

  const CopiedResources resources = CopyTemplateResources(context_.files, templates_->Folder(), state.outputfolder);
  for (const std::string& failed : resources.failed) context_.showMessage("Error copying \r\n" + failed);
  failedCopies_ = resources.failed;

  PageNames names;
  for (const std::string& name : resources.topLevelNames) names.Reserve(name);
  pages_.clear();
  for (const CheckedFolder& entry : state.checkedfolders) {
    if (entry.text != kRootEntry) pages_.push_back({entry.position, names.Add(entry.text)});
  }
  rootlinks_.clear();
  folderlist_.clear();
  grandtotal_ = 0;
  return true;
}

const std::string& SiteGenerator::PageName(int position) const {
  const auto page =
      std::find_if(pages_.begin(), pages_.end(), [position](const Page& p) { return p.position == position; });
  if (page == pages_.end()) throw std::logic_error("No page for the folder list entry " + std::to_string(position));
  return page->fileName;
}

void SiteGenerator::BeginEntry(const CheckedFolder& entry) {
  processed_ = 0;
  newfavorites_ = 0;
  if (entry.text == kRootEntry) {
    rootlinks_.clear();
    return;
  }
  file_.emplace(context_.files, state_->outputfolder + PageName(entry.position));
  const std::string name = context_.html.Encode(entry.text);
  file_->WriteLine(templates_->Fill(kHeader, 0, false, entry.favoritecount,
                                    {{"%%TITLE%%", name}, {"%%HEADING%%", name},
                                     {"%%TOOLTIP%%", std::to_string(entry.favoritecount)}}));
}

void SiteGenerator::EndEntry(const CheckedFolder& entry) {
  if (entry.text != kRootEntry) {
    file_->Write(templates_->Fill(kFooter, 0, true, kNoCount, {{"%%UPDATED%%", updated_}}));
    file_->Close();
    file_.reset();
    folderlist_ += ", " + context_.html.Encode(entry.text);
  }
  grandtotal_ += processed_;
  for (CheckedFolder& checked : state_->checkedfolders) {
    if (checked.position != entry.position) continue;
    checked.processedcount = processed_;
    checked.newcount = newfavorites_;
  }
}

void SiteGenerator::BeforeFolderChange(int level, FolderItem& folder) {
  folder.Name = context_.html.Encode(folder.Name);
  Write(level, templates_->Fill(kBeginList, ListIndent(level), false, folder.Count,
                                {{"%%TOOLTIP%%", std::to_string(folder.Count)}, {"%%FOLDER%%", folder.Name}}));
}

void SiteGenerator::AfterFolderChange(int level, FolderItem&) {
  Write(level, templates_->Fill(kEndList, ListIndent(level), false, kNoCount));
}

void SiteGenerator::FavoriteChange(int level, FavoriteItem& favorite, std::string_view) {
  ++processed_;
  favorite.Name = context_.html.Encode(favorite.Name);
  favorite.URL = context_.html.Encode(favorite.URL, true);
  if (kind_ == Kind::kGenerate) {
    GenerateFavorite(level, favorite);
  } else {
    StatisticsFavorite(level, favorite);
  }
}

void SiteGenerator::FavoriteError(std::string_view) { ++processed_; }

void SiteGenerator::GenerateFavorite(int level, FavoriteItem& favorite) {
  const bool isNew = IsNewFavorite(favorite.Modified, now_, interval_);
  const std::string link = FavoriteLink(level, favorite.URL, favorite.Name, isNew ? newMarker_ : std::string());
  if (level == 0) {
    rootlinks_ += link;
  } else {
    Write(level, link);
  }
  if (isNew) ++newfavorites_;
}

void SiteGenerator::StatisticsFavorite(int level, FavoriteItem& favorite) {
  URI uri;
  if (!uri.Parse(favorite.URL)) {
    state_->reportSkipped(Skipped::kUnparsableUrl, favorite.URL);
    return;
  }
  if (level == 0) {
    rootlinks_ += FavoriteLink(level, favorite.URL, favorite.Name, "");
    return;
  }
  // The server as written, its escapes and entities undone: the page shows
  // it so, the lookup gets its ASCII form. A URL without a server
  // (mailto:, javascript:, file:) links to the favorite itself.
  const std::string server = context_.html.Decode(uri.Server(), true);
  const std::optional<std::string> ascii = HostToAscii(server);
  if (server.empty() || !ascii) {
    Write(level, FavoriteLink(level, favorite.URL, favorite.Name, ""));
    return;
  }
  Write(level, FavoriteLink(level, StringEx::ReplaceAll(whois_, "%q", Escape(context_.html, *ascii)),
                            "WHOIS: " + Escape(context_.html, server), ""));
}

std::string SiteGenerator::FavoriteLink(int level, const std::string& url, const std::string& favorite,
                                        const std::string& marker) const {
  return templates_->Fill(kFileLink, LinkIndent(level), false, kNoCount,
                          {{"%%URL%%", url}, {"%%TOOLTIP%%", url}, {"%%TARGET%%", "_blank"},
                           {"%%FAVORITE%%", favorite}, {"%%NEW%%", marker}});
}

void SiteGenerator::Write(int level, const std::string& fragment) {
  if (!file_) throw std::logic_error("Favorites at level " + std::to_string(level) + " outside a folder page");
  file_->WriteLine(fragment);
}

void SiteGenerator::Finish() { WriteIndex(); }

void SiteGenerator::WriteIndex() {
  file_.emplace(context_.files, state_->outputfolder + std::string(kIndexName));
  const std::string total = std::to_string(grandtotal_);
  file_->WriteLine(templates_->Fill(kIndex, 0, false, PluralCount(grandtotal_),
                                    {{"%%DESCRIPTION%%", folderlist_},
                                     {"%%KEYWORDS%%", folderlist_},
                                     {"%%TOOLTIP%%", total}}));
  for (const CheckedFolder& entry : state_->checkedfolders) {
    if (entry.text == kRootEntry) {
      if (!rootlinks_.empty()) file_->WriteLine(rootlinks_);
      continue;
    }
    const std::string newcount = std::to_string(entry.newcount);
    const std::string marker = entry.newcount < 1 ? std::string()
                                                  : templates_->Fill(kFolderNew, 0, false, entry.newcount,
                                                                     {{"%%LINKS%%", newcount}});
    file_->WriteLine(templates_->Fill(kFolderLink, kFolderLinkIndent, false, entry.processedcount,
                                      {{"%%URL%%", context_.html.Encode(PageName(entry.position), true)},
                                       {"%%TOOLTIP%%", std::to_string(entry.processedcount)},
                                       {"%%TARGET%%", "_self"},
                                       {"%%FOLDER%%", context_.html.Encode(entry.text)},
                                       {"%%NEW%%", marker}}));
  }
  file_->Write(templates_->Fill(kFooter, 0, true, 0, {{"%%UPDATED%%", updated_}}));
  file_->Close();
  file_.reset();
}

void SiteGenerator::Close() { file_.reset(); }

}  // namespace vellumark
