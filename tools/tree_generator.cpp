#include "tools/tree_generator.h"

#include "support/path.h"
#include "support/text_encoding.h"
#include "tools/random.h"

#include <array>
#include <string_view>

namespace vellumark::tools {
namespace {

constexpr std::array<std::string_view, 12> kPlainWords = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot",
                                                           "golf", "hotel", "india", "juliet", "kilo", "lima"};

// Name pieces with the characters that break careless code.
constexpr std::array<std::string_view, 18> kOddWords = {
    "News", "Caf\xC3\xA9 M\xC3\xBCller", "Tom & Jerry", "\"Quoted\"", "'single'", "<angle>", "100% sure",
    "two  blanks", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8",
    "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1", "\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A", "\xF0\x9F\x8E\x89 Party",
    "Recipes", "a=b; c", "Stra\xC3\x9F" "e", "#hash", "[bracket]"};

constexpr std::array<std::string_view, 6> kSchemes = {"http://", "https://", "https://", "ftp://", "http://", "https://"};

// Shortcut kinds besides the ordinary one; each appears at least once in an
// odd tree that is large enough, then at random.
enum class Kind {
  kOrdinary,
  kDuplicate,
  kNoUrlKey,
  kEmptyUrl,
  kDoubleQuoted,
  kSingleQuoted,
  kExtraKeysAndSections,
  kUnicodeCopy,
  kLineFeeds,
  kWindows1252,
  kLongUrl,
  kUpperCaseExtension,
  kReadOnly,
  kHidden,
  kSpecialUrl,
};
constexpr int kKindCount = 15;

struct Folder {
  std::string path;  // with trailing separator
  int level = 0;
};

// Characters Windows does not allow in names become "_" there.
std::string SafeName(std::string name) {
#ifdef _WIN32
  for (char& c : name) {
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) c = '_';
  }
#endif
  return name;
}

std::string Utf7(std::string_view utf8) {
  static constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::u16string units = text::Utf8ToUtf16(utf8);
  std::string out;
  for (std::size_t i = 0; i < units.size();) {
    if (units[i] < 0x80 && units[i] != u'+') {
      out += static_cast<char>(units[i++]);
      continue;
    }
    if (units[i] == u'+') {
      out += "+-";
      ++i;
      continue;
    }
    out += '+';
    std::uint32_t bits = 0;
    int count = 0;
    for (; i < units.size() && units[i] >= 0x80; ++i) {
      bits = bits << 16 | units[i];
      count += 16;
      while (count >= 6) out += kBase64[(bits >> (count -= 6)) & 0x3F];
    }
    if (count > 0) out += kBase64[(bits << (6 - count)) & 0x3F];
    out += '-';
  }
  return out;
}

class TreeWriter {
 public:
  TreeWriter(const TreeOptions& options, FileServices& services)
      : options_(options), services_(services), random_(options.seed) {}

  std::optional<TreeSummary> Write() {
    const std::string root = path::AddFolderSeparator(options_.output);
    folders_.push_back({root, 0});
    if (!MakeFolders()) return std::nullopt;
    for (int i = 0; i < options_.favorites; ++i) {
      if (!WriteShortcut(i)) return std::nullopt;
    }
    // Folder times last: writing into a folder changes its time.
    for (std::size_t i = 1; i < folders_.size(); ++i) {
      if (!services_.SetLastWriteUtc(path::RemoveFolderSeparator(folders_[i].path), Time())) return std::nullopt;
    }
    return TreeSummary{static_cast<int>(folders_.size()) - 1, options_.favorites};
  }

 private:
  bool MakeFolders() {
    const int favorites = options_.favorites;
    const int topLevel = favorites == 0 ? 1 : std::min(16, 2 + favorites / 400 + std::min(favorites, 6));
    const int total = std::max(topLevel, favorites / 20);
    for (int i = 0; i < total; ++i) {
      // A chain down to the full depth first, then random parents.
      std::size_t parent = 0;
      if (i >= topLevel) {
        const bool chain = i - topLevel < options_.depth - 1;
        parent = chain ? folders_.size() - 1 : static_cast<std::size_t>(random_.Below(static_cast<int>(folders_.size())));
        if (!chain && folders_[parent].level >= options_.depth) parent = 0;
      }
      if (!AddFolder(parent, FolderName(i))) return false;
    }
    if (!options_.plain) {
      for (std::string_view name : {".hidden-folder", "Archive.url", "Empty"}) {
        if (!AddFolder(0, std::string(name))) return false;
      }
      dotFolder_ = folders_.size() - 3;
      emptyFolder_ = folders_.size() - 1;
    }
    return true;
  }

  bool AddFolder(std::size_t parent, const std::string& name) {
    const Folder folder{folders_[parent].path + name + path::kSeparator, folders_[parent].level + 1};
    if (!services_.CreateFolder(path::RemoveFolderSeparator(folder.path))) return false;
    folders_.push_back(folder);
    return true;
  }

  std::string FolderName(int index) {
    const std::string number = " " + std::to_string(index + 1);
    if (options_.plain) return std::string(kPlainWords[index % kPlainWords.size()]) + number;
    return SafeName(std::string(kOddWords[random_.Below(kOddWords.size())]) + number);
  }

  std::int64_t Time() { return 1500000000 + static_cast<std::int64_t>(random_.Below(250000000)); }

  std::string Url(int index) {
    if (options_.plain) {
      return "https://site" + std::to_string(index) + ".example/" + std::string(kPlainWords[index % kPlainWords.size()]);
    }
    std::string url(kSchemes[random_.Below(kSchemes.size())]);
    url += std::string(kPlainWords[random_.Below(kPlainWords.size())]) + std::to_string(index) + ".example";
    if (random_.Chance(10)) url += ":" + std::to_string(1024 + random_.Below(60000));
    url += "/" + std::string(kPlainWords[random_.Below(kPlainWords.size())]);
    if (random_.Chance(30)) url += "?q=" + std::to_string(index) + "&lang=en";
    if (random_.Chance(10)) url += "#part";
    return url;
  }

  Kind ChooseKind(int index) {
    if (options_.plain) return Kind::kOrdinary;
    if (index > 0 && index < kKindCount) return static_cast<Kind>(index);
    if (!random_.Chance(30)) return Kind::kOrdinary;
    return static_cast<Kind>(1 + random_.Below(kKindCount - 1));
  }

  std::size_t ChooseFolder(int index) {
    if (!options_.plain && index < 2) return dotFolder_;
    if (random_.Chance(5)) return 0;
    std::size_t folder = 1 + static_cast<std::size_t>(random_.Below(static_cast<int>(folders_.size()) - 1));
    if (folder == emptyFolder_) folder = 0;
    return folder;
  }

  bool WriteShortcut(int index) {
    const Kind kind = ChooseKind(index);
    std::string name = options_.plain ? "Favorite " + std::to_string(index + 1)
                                      : SafeName(std::string(kOddWords[random_.Below(kOddWords.size())]) + " " +
                                                 std::to_string(index + 1));
    std::string url = Url(index);
    const bool duplicate =
        kind == Kind::kDuplicate || (options_.duplicatePercent > 0 && random_.Chance(options_.duplicatePercent));
    if (duplicate && !urls_.empty()) url = urls_[random_.Below(static_cast<int>(urls_.size()))];
    if (kind == Kind::kLongUrl) url += "/" + std::string(1900 + random_.Below(200), 'l');
    if (kind == Kind::kSpecialUrl) url = random_.Chance(50) ? "mailto:someone@example.com" : "javascript:void(0)";
    urls_.push_back(url);

    std::string text;
    std::string_view lineEnd = kind == Kind::kLineFeeds ? "\n" : "\r\n";
    if (kind == Kind::kExtraKeysAndSections) text += "[DEFAULT]\r\nBASEURL=" + url + "\r\n";
    text += "[InternetShortcut]" + std::string(lineEnd);
    if (kind == Kind::kExtraKeysAndSections) text += "IDList=\r\nIconIndex=0\r\nHotKey=0\r\n";
    switch (kind) {
      case Kind::kNoUrlKey: text += "IconIndex=1" + std::string(lineEnd); break;
      case Kind::kEmptyUrl: text += "URL=" + std::string(lineEnd); break;
      case Kind::kDoubleQuoted: text += "URL=\"" + url + "\"" + std::string(lineEnd); break;
      case Kind::kSingleQuoted: text += "URL = '" + url + "'" + std::string(lineEnd); break;
      case Kind::kUnicodeCopy: {
        const std::string unicode = url + "/\xE6\x97\xA5\xE6\x9C\xAC/caf\xC3\xA9";
        text += "URL=" + text::Windows1252ToUtf8(text::Utf8ToWindows1252(unicode)) + "\r\n";
        text += "[InternetShortcut.W]\r\nURL=" + Utf7(unicode) + "\r\n";
        break;
      }
      case Kind::kWindows1252:
        name = "Caf\xC3\xA9 " + std::to_string(index + 1);
        text += "URL=" + url + "/caf\xC3\xA9\r\n";
        break;
      default: text += "URL=" + url + std::string(lineEnd); break;
    }
    if (options_.extraKeysPercent > 0 && random_.Chance(options_.extraKeysPercent)) {
      text += "IDList=" + std::string(lineEnd) + "HotKey=0" + std::string(lineEnd) + "IconIndex=0" + std::string(lineEnd);
    }
    if (kind == Kind::kExtraKeysAndSections) {
      text += "Modified=20F06BA06D07BD014D\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n";
    }

    std::string bytes = kind == Kind::kWindows1252 ? text::Utf8ToWindows1252(text) : text;
#ifndef _WIN32
    if (kind == Kind::kHidden) name = "." + name;
#endif
    const std::string file =
        folders_[ChooseFolder(index)].path + name + (kind == Kind::kUpperCaseExtension ? ".URL" : ".url");
    if (!services_.WriteFile(file, bytes) || !services_.SetLastWriteUtc(file, Time())) return false;
    if (kind == Kind::kReadOnly && !services_.SetAttributes(file, attribute::kReadOnly)) return false;
#ifdef _WIN32
    if (kind == Kind::kHidden && !services_.SetAttributes(file, attribute::kHidden)) return false;
#endif
    return true;
  }

  const TreeOptions& options_;
  FileServices& services_;
  Random random_;
  std::vector<Folder> folders_;
  std::vector<std::string> urls_;
  std::size_t dotFolder_ = 0;
  std::size_t emptyFolder_ = 0;
};

}  // namespace

std::optional<TreeSummary> GenerateTree(const TreeOptions& options, FileServices& services) {
  return TreeWriter(options, services).Write();
}

}  // namespace vellumark::tools
