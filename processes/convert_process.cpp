#include "processes/convert_process.h"

#include "processes/unix_date_time.h"
#include "support/file_system.h"
#include "support/time_zone.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace vellumark {
namespace {

constexpr std::string_view kTopIndent = "    ";

constexpr std::array<std::string_view, 9> kHead = {
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
    "<!-- This is an automatically generated file.",
    "     It will be read and overwritten.",
    "     Do Not Edit! -->",
    "<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; charset=UTF-8\">",
    "<TITLE>Bookmarks</TITLE>",
    "<H1>Bookmarks</H1>",
    "",
    "<DL><P>",
};

std::string Indent(int level) { return std::string(static_cast<std::size_t>(4 * level + 4), ' '); }

// Browsers' importers read a signed 32-bit time and drop one that is not
// above 0, so such times (and folders whose time cannot be read) are 0.
std::int64_t BookmarkTime(std::int64_t time) { return time > 0 && time <= std::numeric_limits<std::int32_t>::max() ? time : 0; }

std::string DateAttributes(std::int64_t time) {
  const std::string t = std::to_string(BookmarkTime(time));
  return " ADD_DATE=\"" + t + "\" LAST_MODIFIED=\"" + t + "\"";
}

// Importers read one bookmark per line, so a line break in a name or URL
// (a Linux file name may hold one) is written as a character reference.
std::string WithoutLineBreaks(std::string text) {
  if (text.find_first_of("\r\n") == std::string::npos) return text;
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    if (c == '\r') {
      out += "&#13;";
    } else if (c == '\n') {
      out += "&#10;";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string ConvertProcess::Encode(std::string_view text, bool hrefsrc) const {
  return WithoutLineBreaks(html_.Encode(text, hrefsrc));
}

bool ConvertProcess::Prepare(RunState& state) {
  favoritesFolder_ = state.favoritesfolder;
  file_.emplace(services_, state.outputfolder + kFileName);
  for (const std::string_view line : kHead) file_->WriteLine(line);
  return true;
}

void ConvertProcess::WriteFolderHead(std::string_view indent, std::string_view encodedName, std::int64_t time) {
  file_->WriteLine(std::string(indent) + "<DT><H3" + DateAttributes(time) + ">" + std::string(encodedName) + "</H3>");
  file_->WriteLine(std::string(indent) + "<DL><P>");
}

// The walk of the entry dates its items with the offset in force as it
// starts; asked once here, not for every date (each asking reads the
// system's time zone again).
void ConvertProcess::BeginEntry(const CheckedFolder& entry) {
  utcOffsetMinutes_ = CurrentUtcOffsetMinutes();
  if (entry.text == kRootEntry) return;
  // A folder whose time cannot be read is dated 0; the file stays well-formed.
  const std::optional<LocalDateTime> modified = FileSystem(services_).GetFolderDateTime(favoritesFolder_ + entry.text);
  WriteFolderHead(kTopIndent, Encode(entry.text), modified ? GetUnixDateTime(*modified, utcOffsetMinutes_) : 0);
}

void ConvertProcess::EndEntry(const CheckedFolder& entry) {
  if (entry.text == kRootEntry) return;
  file_->WriteLine(std::string(kTopIndent) + "</DL><P>");
}

void ConvertProcess::BeforeFolderChange(int level, FolderItem& folder) {
  folder.Name = Encode(folder.Name);
  WriteFolderHead(Indent(level), folder.Name, GetUnixDateTime(folder.Modified, utcOffsetMinutes_));
}

void ConvertProcess::AfterFolderChange(int level, FolderItem&) { file_->WriteLine(Indent(level) + "</DL><P>"); }

void ConvertProcess::FavoriteChange(int level, FavoriteItem& favorite, std::string_view) {
  favorite.Name = Encode(favorite.Name);
  favorite.URL = Encode(favorite.URL, true);
  file_->WriteLine(Indent(level) + "<DT><A HREF=\"" + favorite.URL + "\"" + DateAttributes(GetUnixDateTime(favorite.Modified, utcOffsetMinutes_)) +
                   ">" + favorite.Name + "</A>");
}

void ConvertProcess::Finish() {
  file_->WriteLine("</DL><P>");
  file_->Close();
}

void ConvertProcess::Close() { file_.reset(); }

}  // namespace vellumark
