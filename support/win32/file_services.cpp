// File services over the wide Win32 API.
#include "support/file_services.h"

#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

namespace vellumark {
namespace {

// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDifference = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

std::int64_t ToUnixSeconds(const FILETIME& time) {
  const std::int64_t ticks = static_cast<std::int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  const std::int64_t sinceEpoch = ticks - kEpochDifference;
  return sinceEpoch >= 0 ? sinceEpoch / kTicksPerSecond : -((-sinceEpoch + kTicksPerSecond - 1) / kTicksPerSecond);
}

FILETIME ToFileTime(std::int64_t unixSeconds) {
  const auto ticks = static_cast<std::uint64_t>(unixSeconds * kTicksPerSecond + kEpochDifference);
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// A folder entry that leads to another place: a junction or a symbolic
// link (their reparse tags name another path). Wine shows a unix symbolic
// link to a folder as a reparse point without a tag. Other reparse points
// (such as cloud placeholders) are real folders.
bool IsFolderLink(const WIN32_FIND_DATAW& data) {
  constexpr DWORD kLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  return (data.dwFileAttributes & kLink) == kLink && (data.dwReserved0 == 0 || IsReparseTagNameSurrogate(data.dwReserved0));
}

win32::UniqueFile OpenForReading(const std::wstring& path) {
  return win32::UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool CloseReporting(win32::UniqueFile& file) { return ::CloseHandle(file.release()) != 0; }

bool WriteNewFile(const std::wstring& path, std::string_view bytes) {
  win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), bytes) && CloseReporting(file);
}

bool SetDeleteOnClose(HANDLE file, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// Puts the finished file `temporary` in the place of `target`, which may
// not exist yet. On failure `temporary` is removed, unless it holds the
// only copy of the bytes (the old file went and the new one could not be
// renamed).
bool PutInPlace(const std::wstring& target, const std::wstring& temporary) {
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  bool replaced = false;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    replaced = ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) ::DeleteFileW(temporary.c_str());
    return replaced;
  }
  // Read-only, hidden and system files cannot be replaced: those
  // attributes are lifted only for the swap itself, which keeps the time
  // in which a killed process could leave them lifted as short as it can.
  const DWORD kept = attributes & ~FILE_ATTRIBUTE_DIRECTORY;
  const bool lift = (kept & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
  if (lift && !::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL)) {
    ::DeleteFileW(temporary.c_str());
    return false;
  }
  // ReplaceFileW keeps the old file's named streams (where browsers keep
  // a shortcut's icon), its security and its creation time.
  replaced =
      ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  if (!replaced) {
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
      ::DeleteFileW(temporary.c_str());
    } else {
      replaced = ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
  }
  const bool restored = ::SetFileAttributesW(target.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) != 0;
  return replaced && restored;
}

// A file written beside `target` and put in its place by Close, whole and
// flushed to disk. Until then the system is to delete it when its handle
// closes, so a process killed while writing it leaves nothing behind; a
// file dropped unclosed goes too.
class PendingFile final : public OutputFile {
 public:
  explicit PendingFile(std::wstring target)
      : target_(std::move(target)),
        temporary_(target_ + L".vellumark-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp"),
        file_(::CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr)),
        deleteOnClose_(file_ && SetDeleteOnClose(file_.get(), true)) {}
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() override {
    file_.reset();
    if (!closed_) ::DeleteFileW(temporary_.c_str());
  }

  bool Started() const { return static_cast<bool>(file_); }
  bool Write(std::string_view bytes) override { return file_ && WriteAll(file_.get(), bytes); }
  bool Close() override {
    closed_ = true;
    if (file_ && ::FlushFileBuffers(file_.get()) && (!deleteOnClose_ || SetDeleteOnClose(file_.get(), false)) &&
        CloseReporting(file_)) {
      return PutInPlace(target_, temporary_);
    }
    file_.reset();
    ::DeleteFileW(temporary_.c_str());
    return false;
  }

 private:
  std::wstring target_;
  std::wstring temporary_;
  win32::UniqueFile file_;
  bool deleteOnClose_;
  bool closed_ = false;
};

class Win32FileServices final : public FileServices {
 public:
  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    std::wstring pattern = win32::Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data{};
    win32::UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                              FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
      if (::GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<DirectoryEntry>{};
      return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    do {
      const std::wstring_view name = data.cFileName;
      if (name == L"." || name == L".." || IsFolderLink(data)) continue;
      entries.push_back({win32::Narrow(name), data.dwFileAttributes, ToUnixSeconds(data.ftLastWriteTime)});
    } while (::FindNextFileW(find.get(), &data));
    return entries;
  }

  std::uint32_t GetAttributes(std::string_view path) override {
    return ::GetFileAttributesW(win32::Widen(path).c_str());
  }

  bool SetAttributes(std::string_view path, std::uint32_t attributes) override {
    return ::SetFileAttributesW(win32::Widen(path).c_str(), attributes & ~attribute::kDirectory) != 0;
  }

  std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(win32::Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return ToUnixSeconds(data.ftLastWriteTime);
  }

  bool SetLastWriteUtc(std::string_view path, std::int64_t utcSeconds) override {
    // Backup semantics let the same call open folders.
    win32::UniqueFile file(::CreateFileW(win32::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return false;
    const FILETIME time = ToFileTime(utcSeconds);
    return ::SetFileTime(file.get(), &time, &time, &time) != 0;
  }

  std::optional<std::string> ReadFile(std::string_view path) override {
    win32::UniqueFile file = OpenForReading(win32::Widen(path));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const std::size_t left = bytes.size() - filled;
      DWORD got = 0;
      if (!::ReadFile(file.get(), bytes.data() + filled, left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left), &got,
                      nullptr)) {
        return std::nullopt;
      }
      if (got == 0) break;
      filled += got;
    }
    bytes.resize(filled);
    return bytes;
  }

  bool WriteFile(std::string_view path, std::string_view bytes) override {
    return WriteNewFile(win32::Widen(path), bytes);
  }

  std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) override {
    std::wstring target = win32::Widen(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
      return nullptr;
    }
    auto file = std::make_unique<PendingFile>(std::move(target));
    if (!file->Started()) return nullptr;
    return std::make_unique<BufferedOutputFile>(std::move(file));
  }

  bool ReplaceFile(std::string_view path, std::string_view bytes) override {
    std::wstring target = win32::Widen(path);
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    PendingFile file(std::move(target));
    return file.Write(bytes) && file.Close();
  }

  bool CreateFolder(std::string_view folder) override {
    return ::CreateDirectoryW(win32::Widen(folder).c_str(), nullptr) != 0;
  }

  bool CopyFile(std::string_view source, std::string_view destination) override {
    const std::optional<std::string> bytes = ReadFile(source);
    std::unique_ptr<OutputFile> file = bytes ? CreateOutputFile(destination) : nullptr;
    return file && file->Write(*bytes) && file->Close();
  }

  bool RemoveFile(std::string_view path) override { return ::DeleteFileW(win32::Widen(path).c_str()) != 0; }

  bool RemoveFolder(std::string_view folder) override {
    return ::RemoveDirectoryW(win32::Widen(folder).c_str()) != 0;
  }

  bool Rename(std::string_view from, std::string_view to) override {
    return ::MoveFileExW(win32::Widen(from).c_str(), win32::Widen(to).c_str(), MOVEFILE_COPY_ALLOWED) != 0;
  }
};

}  // namespace

FileServices& NativeFileServices() {
  static Win32FileServices services;
  return services;
}

}  // namespace vellumark
