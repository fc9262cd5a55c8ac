// Registry helpers over the per-user settings file (settings_format.h), for
// systems without a registry. Keys and value names compare without regard
// to ASCII case, as in the registry. Lines that do not parse are ignored on
// reading and kept as they are when the file is rewritten, so a hand-edited
// or damaged file never stops the program and loses nothing. Every change
// rewrites the whole file through a temporary file and a rename.
#include "support/registry.h"
#include "support/registry_storage.h"

#include "support/ascii.h"
#include "support/file_services.h"
#include "support/file_system.h"
#include "support/posix/settings_format.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace vellumark {
namespace {

using settings_format::IsValidKeyPath;
using settings_format::kNewFileHeader;
using settings_format::Line;

constexpr std::string_view kFileName = "settings.ini";

// ---------------------------------------------------------------- location

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  std::string buffer(16384, '\0');
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

// The folder of the settings file with its trailing "/"; "" when there is
// no home to put it in.
std::string StoreFolder() {
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    return FileSystem::AddFolderBackslash(config) + "vellumark/";
  }
  const std::string home = HomeFolder();
  return home.empty() ? "" : FileSystem::AddFolderBackslash(home) + ".config/vellumark/";
}

// ------------------------------------------------------------ keys

bool IsBelow(std::string_view path, std::string_view ancestor) {
  if (ancestor.empty()) return !path.empty();
  return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
         ascii::EqualsIgnoringCase(path.substr(0, ancestor.size()), ancestor);
}

std::string JoinKey(std::string_view parent, std::string_view child) {
  return parent.empty() ? std::string(child) : std::string(parent) + "\\" + std::string(child);
}

// ------------------------------------------------------------ the file

// Holds an exclusive lock on the settings folder, so the read-change-write
// cycles of several processes (or threads) follow each other and none
// overwrites a change made by another in between.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder) : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);
  }

 private:
  int fd_;
};

class Document {
 public:
  // Load() for a change that Save() will write: creates the folder when
  // `create` and keeps other writers out until the object goes.
  bool LoadForChange(bool create) {
    const std::string folder = StoreFolder();
    if (folder.empty()) return false;
    if (create) FileSystem().CreateFolderTree(folder);
    lock_.emplace(folder);
    return Load();
  }

  // Reads the file; a missing file is an empty store, an unreadable one a
  // failure.
  bool Load() {
    const std::string folder = StoreFolder();
    if (folder.empty()) return false;
    path_ = folder + std::string(kFileName);
    FileServices& files = NativeFileServices();
    const std::uint32_t attributes = files.GetAttributes(path_);
    if (attributes == attribute::kInvalid) {
      exists_ = false;
      Parse(kNewFileHeader);
      return true;
    }
    if (attributes & attribute::kDirectory) return false;
    const std::optional<std::string> bytes = files.ReadFile(path_);
    if (!bytes) return false;
    exists_ = true;
    Parse(*bytes);
    return true;
  }

  bool Save() const {
    std::string bytes;
    for (const Line& line : lines_) bytes += line.text + '\n';
    FileSystem files;
    if (!exists_) {
      if (!files.CreateFolderTree(FileSystem::ExtractFolder(path_))) return false;
      // The empty file stands for the empty store until the real bytes
      // replace it atomically.
      if (!files.Services().WriteFile(path_, "")) return false;
    }
    return files.Services().ReplaceFile(path_, bytes);
  }

  bool KeyExists(std::string_view key) const {
    if (key.empty()) return true;
    return std::any_of(lines_.begin(), lines_.end(), [&](const Line& line) {
      return line.kind == Line::Kind::kSection && (ascii::EqualsIgnoringCase(line.key, key) || IsBelow(line.key, key));
    });
  }

  bool HasChildKeys(std::string_view key) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const Line& line) {
      return line.kind == Line::Kind::kSection && IsBelow(line.key, key);
    });
  }

  // The first value of that name in the key, or null.
  const Line* FindValue(std::string_view key, std::string_view name) const {
    for (const Line& line : lines_) {
      if (IsValueOf(line, key, name)) return &line;
    }
    return nullptr;
  }

  void SetValue(std::string_view key, std::string_view name, std::uint32_t type, std::string data) {
    Line line = settings_format::ValueLine(key, name, type, std::move(data));
    const auto first = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) { return IsValueOf(l, key, name); });
    if (first != lines_.end()) {
      *first = std::move(line);
      // Later duplicates would reappear once this one is removed.
      lines_.erase(std::remove_if(first + 1, lines_.end(), [&](const Line& l) { return IsValueOf(l, key, name); }),
                   lines_.end());
      return;
    }
    auto section = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) {
      return l.kind == Line::Kind::kSection && ascii::EqualsIgnoringCase(l.key, key);
    });
    if (section == lines_.end()) {
      if (!lines_.empty() && !lines_.back().text.empty()) lines_.push_back(Line{});
      lines_.push_back(settings_format::SectionLine(key));
      lines_.push_back(std::move(line));
      return;
    }
    // After the last value of that section block.
    auto position = section + 1;
    for (auto it = position; it != lines_.end() && it->kind != Line::Kind::kSection; ++it) {
      if (it->kind == Line::Kind::kValue) position = it + 1;
    }
    lines_.insert(position, std::move(line));
  }

  bool RemoveValue(std::string_view key, std::string_view name) {
    const auto end = std::remove_if(lines_.begin(), lines_.end(), [&](const Line& l) { return IsValueOf(l, key, name); });
    if (end == lines_.end()) return false;
    lines_.erase(end, lines_.end());
    return true;
  }

  // Drops the key's sections with everything in them; the parent stays as
  // an empty key.
  void RemoveKey(std::string_view parent, std::string_view key) {
    std::vector<Line> kept;
    bool inRemoved = false;
    for (Line& line : lines_) {
      if (line.kind == Line::Kind::kSection) inRemoved = ascii::EqualsIgnoringCase(line.key, key);
      if (!inRemoved) kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
    if (!parent.empty() && !KeyExists(parent)) {
      if (!lines_.empty() && !lines_.back().text.empty()) lines_.push_back(Line{});
      lines_.push_back(settings_format::SectionLine(parent));
    }
  }

  // Immediate child key names, sorted without regard to case, each once.
  std::vector<std::string> ChildKeys(std::string_view key) const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
      if (line.kind != Line::Kind::kSection || !IsBelow(line.key, key)) continue;
      std::string_view rest = std::string_view(line.key).substr(key.empty() ? 0 : key.size() + 1);
      rest = rest.substr(0, rest.find('\\'));
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return ascii::EqualsIgnoringCase(n, rest); })) {
        names.emplace_back(rest);
      }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](char x, char y) { return ascii::Lower(x) < ascii::Lower(y); });
    });
    return names;
  }

  // Value names of the key in file order, each once.
  std::vector<std::string> ValueNames(std::string_view key) const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
      if (line.kind != Line::Kind::kValue || !ascii::EqualsIgnoringCase(line.key, key)) continue;
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return ascii::EqualsIgnoringCase(n, line.name); })) {
        names.push_back(line.name);
      }
    }
    return names;
  }

 private:
  static bool IsValueOf(const Line& line, std::string_view key, std::string_view name) {
    return line.kind == Line::Kind::kValue && ascii::EqualsIgnoringCase(line.key, key) && ascii::EqualsIgnoringCase(line.name, name);
  }

  void Parse(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::optional<std::string> section;
    while (!bytes.empty()) {
      const std::size_t end = bytes.find('\n');
      std::string_view text = bytes.substr(0, end);
      bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
      const bool carriageReturn = text.ends_with('\r');
      if (carriageReturn) text.remove_suffix(1);
      Line line;
      line.text = text;
      settings_format::ParseLine(line, section);
      // A line kept as it is keeps its CR, so a rewrite cannot turn
      // "x=dword:7\r\r" into a value by dropping one CR at a time, nor take
      // the last CR of the text in "x=sz:a\r\r".
      if (carriageReturn && !text.empty()) line.text += '\r';
      lines_.push_back(std::move(line));
    }
  }

  std::optional<FolderLock> lock_;
  std::string path_;
  bool exists_ = false;
  std::vector<Line> lines_;
};

}  // namespace

// ------------------------------------------------------------ raw access

namespace registry_storage {

bool RawRead(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, RawValue& value) {
  if (rootkey != Registry::kCurrentUser || !IsValidKeyPath(subkey)) return false;
  Document document;
  if (!document.Load() || !document.KeyExists(subkey)) return false;
  const Line* line = document.FindValue(subkey, valuename);
  if (line == nullptr || line->data.empty()) return false;
  value.type = line->type;
  value.data.assign(line->data.begin(), line->data.end());
  return true;
}

bool RawWrite(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, std::uint32_t type,
              std::span<const std::uint8_t> data) {
  if (rootkey != Registry::kCurrentUser || !IsValidKeyPath(subkey)) return false;
  Document document;
  if (!document.LoadForChange(true)) return false;
  document.SetValue(subkey, valuename, type, std::string(data.begin(), data.end()));
  return document.Save();
}

// Texts are stored as UTF-8 with their terminating zero.
std::vector<std::uint8_t> TextBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::string TextOf(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end() - 1); }

}  // namespace registry_storage

bool Registry::RemoveKey(std::uint32_t rootkey, std::string_view subkey, std::string_view keyname) {
  const std::string key = JoinKey(subkey, keyname);
  if (rootkey != kCurrentUser || keyname.empty() || !IsValidKeyPath(subkey) || !IsValidKeyPath(key)) return false;
  Document document;
  if (!document.LoadForChange(false) || !document.KeyExists(subkey) || !document.KeyExists(key) ||
      document.HasChildKeys(key)) {
    return false;
  }
  document.RemoveKey(subkey, key);
  return document.Save();
}

bool Registry::RemoveValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename) {
  if (rootkey != kCurrentUser || !IsValidKeyPath(subkey)) return false;
  Document document;
  if (!document.LoadForChange(false) || !document.KeyExists(subkey) || !document.RemoveValue(subkey, valuename)) {
    return false;
  }
  return document.Save();
}

bool Registry::EnumerateKeys(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names) {
  names.clear();
  if (rootkey != kCurrentUser || !IsValidKeyPath(subkey)) return false;
  Document document;
  if (!document.Load() || !document.KeyExists(subkey)) return false;
  names = document.ChildKeys(subkey);
  return true;
}

bool Registry::EnumerateValues(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names) {
  names.clear();
  if (rootkey != kCurrentUser || !IsValidKeyPath(subkey)) return false;
  Document document;
  if (!document.Load() || !document.KeyExists(subkey)) return false;
  names = document.ValueNames(subkey);
  return true;
}

}  // namespace vellumark
