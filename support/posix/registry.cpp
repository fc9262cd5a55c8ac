// Registry helpers over a per-user settings file, for systems without a
// registry. The file holds the current user's keys as sections and their
// values as typed lines:
//
//   [Software\Tarnwell\Vellumark]
//   Interval=dword:7
//   Template=sz:Default
//   Data=binary:01,ab,ff
//
// Types: sz (1), expand_sz (2), binary (3, hex bytes), dword (4, decimal or
// 0x hex), multi_sz (7, the texts separated by %00). In key paths, names
// and texts "%HH" stands for the byte HH; any other "%" is itself. Keys and
// value names compare without regard to ASCII case, as in the registry.
// Lines that do not parse (or lie outside a section) are ignored on reading
// and kept as they are when the file is rewritten, so a hand-edited or
// damaged file never stops the program and loses nothing. Every change
// rewrites the whole file through a temporary file and a rename.
#include "support/registry.h"
#include "support/registry_storage.h"

#include "support/file_services.h"
#include "support/file_system.h"
#include "support/text_encoding.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace vellumark {
namespace {

using registry_storage::IsTextType;

constexpr std::string_view kFileName = "settings.ini";
constexpr std::string_view kNewFileHeader =
    "# Vellumark settings: [key path] sections holding name=type:value lines.\n"
    "# Types: sz, expand_sz, multi_sz (text), dword (number), binary (hex bytes).\n"
    "# \"%HH\" in a name or text stands for the byte HH.\n";

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

// ------------------------------------------------------------ escaping

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

void AppendEscapedByte(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += '%';
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

// Escapes control bytes, bytes that are not UTF-8, a "%" that would read as
// an escape, and whatever `alsoEscape` says must not appear literally.
template <typename Predicate>
std::string Escape(std::string_view text, Predicate alsoEscape) {
  const bool utf8 = text::IsValidUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool percentEscape = byte == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]);
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8) || percentEscape || alsoEscape(i, byte)) {
      AppendEscapedByte(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

std::string EscapeText(std::string_view text) {
  return Escape(text, [](std::size_t, unsigned char) { return false; });
}

// Names also escape "=", and what would change the line's meaning or be
// trimmed away at their ends.
std::string EscapeName(std::string_view name) {
  return Escape(name, [&](std::size_t i, unsigned char byte) {
    const bool atEnd = i == 0 || i + 1 == name.size();
    return byte == '=' || (i == 0 && (byte == '[' || byte == '#' || byte == ';')) ||
           (atEnd && (byte == ' ' || byte == '\t'));
  });
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2])) {
      out += static_cast<char>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// ------------------------------------------------------------ keys

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

// "" (the root itself) or parts that are all non-empty.
bool IsValidKeyPath(std::string_view path) {
  if (path.empty()) return true;
  if (path.front() == '\\' || path.back() == '\\') return false;
  return path.find("\\\\") == std::string_view::npos;
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
  if (ancestor.empty()) return !path.empty();
  return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
         SameName(path.substr(0, ancestor.size()), ancestor);
}

std::string JoinKey(std::string_view parent, std::string_view child) {
  return parent.empty() ? std::string(child) : std::string(parent) + "\\" + std::string(child);
}

// ------------------------------------------------------------ values

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct TypeName {
  std::string_view name;
  std::uint32_t type;
};
constexpr TypeName kTypeNames[] = {{"sz", Registry::kText},
                                   {"expand_sz", Registry::kExpandableText},
                                   {"binary", Registry::kBinary},
                                   {"dword", Registry::kNumber},
                                   {"multi_sz", Registry::kTextList}};

std::optional<std::string> ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  int base = 10;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative ? magnitude > 0x80000000ULL : magnitude > 0xFFFFFFFFULL) return std::nullopt;
  const auto number = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return std::string{static_cast<char>(number), static_cast<char>(number >> 8), static_cast<char>(number >> 16),
                     static_cast<char>(number >> 24)};
}

std::optional<std::string> ParseBinary(std::string_view text) {
  std::string bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ',' || text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size() || !IsHexDigit(text[i]) || !IsHexDigit(text[i + 1])) return std::nullopt;
    bytes += static_cast<char>(HexValue(text[i]) << 4 | HexValue(text[i + 1]));
    i += 2;
  }
  return bytes;
}

// The stored bytes of a value as the registry holds them (texts with their
// terminating zero); nothing when the text does not parse.
std::optional<std::string> ParseData(std::uint32_t type, std::string_view text) {
  if (IsTextType(type)) return Unescape(text) + '\0';
  if (type == Registry::kNumber) return ParseNumber(text);
  return ParseBinary(text);
}

std::string FormatData(std::uint32_t type, std::string_view bytes) {
  if (IsTextType(type)) {
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    return EscapeText(bytes);
  }
  if (type == Registry::kNumber && bytes.size() == 4) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i) number |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    return std::to_string(static_cast<std::int32_t>(number));
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) hex += ',';
    hex += kDigits[static_cast<unsigned char>(bytes[i]) >> 4];
    hex += kDigits[bytes[i] & 0xF];
  }
  return hex;
}

std::string_view TypeToken(std::uint32_t type) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  return "binary";
}

// ------------------------------------------------------------ the file

struct Line {
  enum class Kind { kOther, kSection, kValue };
  std::string text;  // as in the file, without its line end
  Kind kind = Kind::kOther;
  std::string key;   // the section's key path (also for its values)
  std::string name;  // value lines: the value's name
  std::uint32_t type = 0;
  std::string data;  // value lines: the stored bytes
};

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
      return line.kind == Line::Kind::kSection && (SameName(line.key, key) || IsBelow(line.key, key));
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
    Line line;
    line.kind = Line::Kind::kValue;
    line.key = key;
    line.name = name;
    line.type = type;
    line.text = EscapeName(name) + "=" + std::string(TypeToken(type)) + ":" + FormatData(type, data);
    line.data = std::move(data);
    const auto first = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) { return IsValueOf(l, key, name); });
    if (first != lines_.end()) {
      *first = std::move(line);
      // Later duplicates would reappear once this one is removed.
      lines_.erase(std::remove_if(first + 1, lines_.end(), [&](const Line& l) { return IsValueOf(l, key, name); }),
                   lines_.end());
      return;
    }
    auto section = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) {
      return l.kind == Line::Kind::kSection && SameName(l.key, key);
    });
    if (section == lines_.end()) {
      if (!lines_.empty() && !lines_.back().text.empty()) lines_.push_back(Line{});
      lines_.push_back(SectionLine(key));
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
      if (line.kind == Line::Kind::kSection) inRemoved = SameName(line.key, key);
      if (!inRemoved) kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
    if (!parent.empty() && !KeyExists(parent)) {
      if (!lines_.empty() && !lines_.back().text.empty()) lines_.push_back(Line{});
      lines_.push_back(SectionLine(parent));
    }
  }

  // Immediate child key names, sorted without regard to case, each once.
  std::vector<std::string> ChildKeys(std::string_view key) const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
      if (line.kind != Line::Kind::kSection || !IsBelow(line.key, key)) continue;
      std::string_view rest = std::string_view(line.key).substr(key.empty() ? 0 : key.size() + 1);
      rest = rest.substr(0, rest.find('\\'));
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, rest); })) {
        names.emplace_back(rest);
      }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
    });
    return names;
  }

  // Value names of the key in file order, each once.
  std::vector<std::string> ValueNames(std::string_view key) const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
      if (line.kind != Line::Kind::kValue || !SameName(line.key, key)) continue;
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, line.name); })) {
        names.push_back(line.name);
      }
    }
    return names;
  }

 private:
  static bool IsValueOf(const Line& line, std::string_view key, std::string_view name) {
    return line.kind == Line::Kind::kValue && SameName(line.key, key) && SameName(line.name, name);
  }

  static Line SectionLine(std::string_view key) {
    Line line;
    line.kind = Line::Kind::kSection;
    line.key = key;
    line.text = "[" + EscapeText(key) + "]";
    return line;
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
      ParseLine(line, section);
      // A line kept as it is keeps its CR, so a rewrite cannot turn
      // "x=dword:7\r\r" into a value by dropping one CR at a time, nor take
      // the last CR of the text in "x=sz:a\r\r".
      if (carriageReturn && !text.empty()) line.text += '\r';
      lines_.push_back(std::move(line));
    }
  }

  // Classifies one line; `section` is the key of the section it lies in
  // (none after a header that does not parse).
  static void ParseLine(Line& line, std::optional<std::string>& section) {
    const std::string_view text = TrimBlanks(line.text);
    if (text.empty() || text.front() == '#' || text.front() == ';') return;
    if (text.front() == '[') {
      section.reset();
      if (text.back() != ']' || text.size() < 2) return;
      std::string key = Unescape(text.substr(1, text.size() - 2));
      if (!IsValidKeyPath(key)) return;
      line.kind = Line::Kind::kSection;
      line.key = key;
      section = std::move(key);
      return;
    }
    const std::size_t equals = text.find('=');
    if (!section || equals == std::string_view::npos) return;
    const std::string_view rest = TrimBlanks(text.substr(equals + 1));
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view token = TrimBlanks(rest.substr(0, colon));
    const auto type = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                   [&](const TypeName& entry) { return SameName(entry.name, token); });
    if (type == std::end(kTypeNames)) return;
    // Text data runs to the end of the line as written, trailing blanks too.
    const std::string_view raw = std::string_view(line.text).substr(line.text.find('=') + 1);
    std::optional<std::string> data = ParseData(type->type, raw.substr(raw.find(':') + 1));
    if (!data) return;
    line.kind = Line::Kind::kValue;
    line.key = *section;
    line.name = Unescape(TrimBlanks(text.substr(0, equals)));
    line.type = type->type;
    line.data = std::move(*data);
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
