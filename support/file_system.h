// Paths, files and folders for the rest of the program, over the platform's
// file services. Stateless apart from the services it uses; no member
// throws for an ordinary file-system failure: Boolean members return false,
// text members the empty or unchanged text, numbers -1, and enumerations
// what they found so far.
//
// Folder arguments may end in the separator or not. Enumerations list in
// the file services' order and skip entries sharing a bit with
// `excludeAttributes`.
#pragma once

#include "support/file_services.h"
#include "support/local_date_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

class FileSystem {
 public:
  explicit FileSystem(FileServices& services = NativeFileServices()) : services_(services) {}

  // Separators and quotes.
  static std::string AddFolderBackslash(std::string_view folder);
  static std::string RemoveFolderBackslash(std::string_view folder);
  static std::string AddFileQuotes(std::string_view file);
  static std::string AddFolderQuotes(std::string_view folder) { return AddFileQuotes(folder); }
  static std::string RemoveFileQuotes(std::string_view file);
  static std::string RemoveFolderQuotes(std::string_view folder) { return RemoveFileQuotes(folder); }

  // Parts of paths. ExtractFolderTitle keeps a trailing separator:
  // "a\b\" -> "b\". ExtractDrive gives "C:\" or "\\server\share\".
  static std::string ExtractFolderTitle(std::string_view folder);
  static std::string ExtractFileTitle(std::string_view file);
  static std::string ExtractFolder(std::string_view path);
  static std::string ExtractDrive(std::string_view file);
  static std::string ExtractFileExtension(std::string_view file);
  static std::string AddFileExtension(std::string_view file, std::string_view extension);
  static std::string RemoveFileExtension(std::string_view file);
  // True when the name matches "*." + extension, without regard to case.
  static bool IsFileExtension(std::string_view file, std::string_view extension);

  // Existence and attributes (attribute::kInvalid for a missing path).
  bool IsFile(std::string_view file) const;
  bool IsFolder(std::string_view folder) const;
  std::uint32_t GetFileAttributes(std::string_view file) const { return services_.GetAttributes(file); }
  std::uint32_t GetFolderAttributes(std::string_view folder) const { return services_.GetAttributes(folder); }
  bool SetFileAttributes(std::string_view file, std::uint32_t attributes) const;
  bool SetFolderAttributes(std::string_view folder, std::uint32_t attributes) const;
  // Size in bytes; -1 when the file cannot be opened.
  std::int64_t GetFileSize(std::string_view file) const;

  // Last-write time as local time (the offset in force now); nothing when
  // the item cannot be read. The setters take local time the same way.
  std::optional<LocalDateTime> GetFileDateTime(std::string_view file) const;
  std::optional<LocalDateTime> GetFolderDateTime(std::string_view folder) const { return GetFileDateTime(folder); }
  bool SetFileDateTime(std::string_view file, const LocalDateTime& local) const;
  bool SetFolderDateTime(std::string_view folder, const LocalDateTime& local) const { return SetFileDateTime(folder, local); }

  // Changes. CreateFolder makes one level and is false for an existing one.
  bool CopyFile(std::string_view source, std::string_view destination) const;
  bool CreateFolder(std::string_view folder) const { return services_.CreateFolder(RemoveFolderBackslash(folder)); }
  // Makes the folder and every missing folder above it; true when it exists
  // afterwards.
  bool CreateFolderTree(std::string_view folder) const;
  bool RemoveFile(std::string_view file, bool ignoreReadOnly = false) const;
  bool RemoveFolder(std::string_view folder, bool ignoreReadOnly = false) const;
  bool RenameFile(std::string_view oldFile, std::string_view newFile) const { return services_.Rename(oldFile, newFile); }
  bool RenameFolder(std::string_view oldFolder, std::string_view newFolder) const;

  // Enumeration. Files: full paths of non-folders matching `pattern`.
  // Folders: full paths (no trailing separator) of folders whose name does
  // not start with ".". The recursive members append to `into`, every
  // folder's subfolders (depth first) before its own files, and descend
  // only into folders that pass the filter.
  std::vector<std::string> EnumerateFiles(std::string_view startFolder, std::uint32_t excludeAttributes,
                                          std::string_view pattern = "*") const;
  std::vector<std::string> EnumerateFolders(std::string_view startFolder, std::uint32_t excludeAttributes) const;
  void EnumerateRecursiveFiles(std::string_view startFolder, std::uint32_t excludeAttributes,
                               std::vector<std::string>& into, std::string_view pattern = "*") const;
  void EnumerateRecursiveFolders(std::string_view startFolder, std::uint32_t excludeAttributes,
                                 std::vector<std::string>& into) const;

  // Full path of the first file (or folder) of that name found in the tree
  // below `startFolder`, its own entries first; "" when there is none.
  std::string SearchFile(std::string_view startFolder, std::string_view file) const;
  std::string SearchFolder(std::string_view startFolder, std::string_view folder) const;

  // The process's current folder.
  static bool ChangeFolder(std::string_view folder);
  static std::string GetCurrentFolder();
  // Replaces %NAME% references by the environment's values; a reference to
  // a variable that is not set stays as it stands.
  static std::string ExpandFolder(std::string_view folder);

  FileServices& Services() const { return services_; }

 private:
  static bool IsTakenFolder(const DirectoryEntry& entry, std::uint32_t excludeAttributes);
  std::string Search(std::string_view startFolder, std::string_view name, bool wantFolder) const;

  FileServices& services_;
};

}  // namespace vellumark
