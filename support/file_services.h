// The operating system's file services, as the portable code needs them.
//
// One body per platform (support/win32, support/posix); tests may wrap the
// native one to inject faults. Paths are UTF-8 with the platform's own
// separator. No member throws for an ordinary file-system failure: results
// say whether the operation worked.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

// File attribute bits, with the values of the Windows file system.
namespace attribute {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
// What GetAttributes gives for a path that does not exist.
inline constexpr std::uint32_t kInvalid = 0xFFFFFFFF;
}  // namespace attribute

struct DirectoryEntry {
  std::string name;               // without folder
  std::uint32_t attributes = 0;   // attribute:: bits
  std::int64_t lastWriteUtc = 0;  // seconds since 1970-01-01 UTC
};

// A file being written from start to end. Until Close it is a temporary
// file beside its path; Close puts it in place of whatever was there. An
// output file dropped without Close (or whose Close fails) leaves the
// earlier file as it was and no temporary file, and so does a process
// killed while writing it.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // False once any write has failed.
  virtual bool Write(std::string_view bytes) = 0;
  // Writes what is buffered, flushes it to disk and puts the file in its
  // place; false (and the earlier file as it was) when that or any earlier
  // write failed. Nothing is written after Close.
  virtual bool Close() = 0;
};

// Collects writes in a buffer and hands them on to `file` in large pieces.
class BufferedOutputFile final : public OutputFile {
 public:
  explicit BufferedOutputFile(std::unique_ptr<OutputFile> file) : file_(std::move(file)) {}
  bool Write(std::string_view bytes) override;
  bool Close() override;

 private:
  bool Flush();

  std::unique_ptr<OutputFile> file_;
  std::string buffer_;
  bool failed_ = false;
};

// The files of one folder, read by name as FileServices::ReadFile reads
// them.
class FolderFiles {
 public:
  virtual ~FolderFiles() = default;
  virtual std::optional<std::string> ReadFile(std::string_view name) = 0;
};

class FileServices {
 public:
  virtual ~FileServices() = default;

  // Every entry of the folder except "." and "..", in the platform's order
  // (Windows: the file system's; posix: sorted without regard to case).
  // On posix a symbolic link stands for its target. Links to folders
  // (symbolic links, on Windows junctions too) are left out, so a link to
  // an ancestor cannot make a walk endless. Nothing when the folder cannot
  // be listed.
  virtual std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) = 0;

  // attribute::kInvalid when the path does not exist.
  virtual std::uint32_t GetAttributes(std::string_view path) = 0;
  virtual bool SetAttributes(std::string_view path, std::uint32_t attributes) = 0;

  virtual std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) = 0;
  // Sets the last-write (and, where kept, access and creation) time.
  virtual bool SetLastWriteUtc(std::string_view path, std::int64_t utcSeconds) = 0;

  // The whole file; nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
  // Reads the files of `folder` (with a trailing separator) by name. The
  // posix services open them relative to the folder, which spares the walk
  // of the folder's path for every file; others read `folder` + name.
  virtual std::unique_ptr<FolderFiles> OpenFolderFiles(std::string_view folder);
  // Creates or truncates the file and writes the bytes.
  virtual bool WriteFile(std::string_view path, std::string_view bytes) = 0;
  // An output file that takes the place of `path` when it is closed whole
  // (see OutputFile); a file already there is replaced as ReplaceFile
  // replaces it. Null when it cannot be started, or when `path` is a
  // folder or a read-only file.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) = 0;
  // Writes the bytes as an output file does, so `path` holds either its
  // old or its new bytes whatever happens; false (and `path` as it was)
  // when `path` does not exist. Windows keeps the old file's named streams,
  // security and creation time; posix its mode and owner (or fails), and
  // a symbolic link is followed: its target is replaced and the link
  // stays. Read-only, hidden and system files are replaced too and keep
  // their attributes (false when they could not be put back); the
  // last-write time is not carried over.
  virtual bool ReplaceFile(std::string_view path, std::string_view bytes) = 0;

  // One folder level; false when it exists already or cannot be made.
  virtual bool CreateFolder(std::string_view folder) = 0;
  // Copies as an output file is written, replacing an existing destination.
  virtual bool CopyFile(std::string_view source, std::string_view destination) = 0;
  virtual bool RemoveFile(std::string_view path) = 0;
  virtual bool RemoveFolder(std::string_view folder) = 0;
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
};

// The platform's own file services (one shared, stateless instance).
FileServices& NativeFileServices();

}  // namespace vellumark
