#include "support/file_system.h"

#include "support/ascii.h"
#include "support/path.h"
#include "support/time_zone.h"
#include "support/wildcard.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vellumark {
namespace {

constexpr char kSeparator = path::kSeparator;

bool IsQuoted(std::string_view text) { return text.size() >= 2 && text.front() == '"' && text.back() == '"'; }

// Position of the extension's dot in the last component, or npos.
std::size_t ExtensionDot(std::string_view file) {
  const std::size_t dot = file.find_last_of('.');
  const std::size_t separator = file.find_last_of(kSeparator);
  if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator)) {
    return std::string_view::npos;
  }
  return dot;
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string result = FileSystem::AddFolderBackslash(folder);
  result += name;
  return result;
}

}  // namespace

std::string FileSystem::AddFolderBackslash(std::string_view folder) { return path::AddFolderSeparator(folder); }

std::string FileSystem::RemoveFolderBackslash(std::string_view folder) { return path::RemoveFolderSeparator(folder); }

std::string FileSystem::AddFileQuotes(std::string_view file) {
  if (file.find(' ') == std::string_view::npos) return std::string(file);
  return "\"" + std::string(file) + "\"";
}

std::string FileSystem::RemoveFileQuotes(std::string_view file) {
  return std::string(IsQuoted(file) ? file.substr(1, file.size() - 2) : file);
}

std::string FileSystem::ExtractFolderTitle(std::string_view folder) { return std::string(path::LastComponent(folder)); }

std::string FileSystem::ExtractFileTitle(std::string_view file) { return std::string(path::LastComponent(file)); }

std::string FileSystem::ExtractFolder(std::string_view path) { return std::string(path::ParentOf(path)); }

std::string FileSystem::ExtractDrive(std::string_view file) {
  if (file.size() >= 2 && file[1] == ':') return std::string(file.substr(0, 2)) + kSeparator;
  const std::string doubled{kSeparator, kSeparator};
  if (file.substr(0, 2) == doubled) {
    // "\\server\share\..." -> "\\server\share\"
    const std::size_t server = file.find(kSeparator, 2);
    if (server == std::string_view::npos) return AddFolderBackslash(file);
    const std::size_t share = file.find(kSeparator, server + 1);
    return AddFolderBackslash(file.substr(0, share));
  }
  if (!file.empty() && file.front() == kSeparator) return std::string(1, kSeparator);
  return "";
}

std::string FileSystem::ExtractFileExtension(std::string_view file) {
  const std::size_t dot = ExtensionDot(file);
  return dot == std::string_view::npos ? "" : std::string(file.substr(dot));
}

std::string FileSystem::AddFileExtension(std::string_view file, std::string_view extension) {
  std::string result(file);
  if (ExtensionDot(file) == std::string_view::npos) result += extension;
  return result;
}

std::string FileSystem::RemoveFileExtension(std::string_view file) {
  return std::string(file.substr(0, ExtensionDot(file)));
}

bool FileSystem::IsFileExtension(std::string_view file, std::string_view extension) {
  return MatchesWildcard(file, "*." + std::string(extension));
}

bool FileSystem::IsFile(std::string_view file) const {
  const std::uint32_t attributes = services_.GetAttributes(file);
  return attributes != attribute::kInvalid && (attributes & attribute::kDirectory) == 0;
}

bool FileSystem::IsFolder(std::string_view folder) const {
  const std::uint32_t attributes = services_.GetAttributes(RemoveFolderBackslash(folder));
  return attributes != attribute::kInvalid && (attributes & attribute::kDirectory) != 0;
}

bool FileSystem::SetFileAttributes(std::string_view file, std::uint32_t attributes) const {
  return services_.SetAttributes(file, attributes);
}

bool FileSystem::SetFolderAttributes(std::string_view folder, std::uint32_t attributes) const {
  return services_.SetAttributes(RemoveFolderBackslash(folder), attributes);
}

std::int64_t FileSystem::GetFileSize(std::string_view file) const {
  std::error_code error;
  const auto size = std::filesystem::file_size(std::filesystem::u8path(file), error);
  return error ? -1 : static_cast<std::int64_t>(size);
}

std::optional<LocalDateTime> FileSystem::GetFileDateTime(std::string_view file) const {
  const std::optional<std::int64_t> utc = services_.GetLastWriteUtc(RemoveFolderBackslash(file));
  if (!utc) return std::nullopt;
  return ToLocal(*utc, CurrentUtcOffsetMinutes());
}

bool FileSystem::SetFileDateTime(std::string_view file, const LocalDateTime& local) const {
  return services_.SetLastWriteUtc(RemoveFolderBackslash(file), ToUtc(local, CurrentUtcOffsetMinutes()));
}

bool FileSystem::CopyFile(std::string_view source, std::string_view destination) const {
  return services_.CopyFile(source, destination);
}

bool FileSystem::RemoveFile(std::string_view file, bool ignoreReadOnly) const {
  if (ignoreReadOnly) services_.SetAttributes(file, 0);
  return services_.RemoveFile(file);
}

bool FileSystem::RemoveFolder(std::string_view folder, bool ignoreReadOnly) const {
  const std::string plain = RemoveFolderBackslash(folder);
  if (ignoreReadOnly) services_.SetAttributes(plain, 0);
  return services_.RemoveFolder(plain);
}

bool FileSystem::RenameFolder(std::string_view oldFolder, std::string_view newFolder) const {
  return services_.Rename(RemoveFolderBackslash(oldFolder), RemoveFolderBackslash(newFolder));
}

bool FileSystem::IsTakenFolder(const DirectoryEntry& entry, std::uint32_t excludeAttributes) {
  return (entry.attributes & attribute::kDirectory) != 0 && (entry.attributes & excludeAttributes) == 0 &&
         !entry.name.empty() && entry.name.front() != '.';
}

std::vector<std::string> FileSystem::EnumerateFiles(std::string_view startFolder, std::uint32_t excludeAttributes,
                                                    std::string_view pattern) const {
  std::vector<std::string> files;
  const auto entries = services_.ListFolder(startFolder);
  if (!entries) return files;
  for (const DirectoryEntry& entry : *entries) {
    if ((entry.attributes & (attribute::kDirectory | excludeAttributes)) == 0 && MatchesWildcard(entry.name, pattern)) {
      files.push_back(Join(startFolder, entry.name));
    }
  }
  return files;
}

std::vector<std::string> FileSystem::EnumerateFolders(std::string_view startFolder,
                                                      std::uint32_t excludeAttributes) const {
  std::vector<std::string> folders;
  const auto entries = services_.ListFolder(startFolder);
  if (!entries) return folders;
  for (const DirectoryEntry& entry : *entries) {
    if (IsTakenFolder(entry, excludeAttributes)) folders.push_back(Join(startFolder, entry.name));
  }
  return folders;
}

void FileSystem::EnumerateRecursiveFiles(std::string_view startFolder, std::uint32_t excludeAttributes,
                                         std::vector<std::string>& into, std::string_view pattern) const {
  for (const std::string& folder : EnumerateFolders(startFolder, excludeAttributes)) {
    EnumerateRecursiveFiles(folder, excludeAttributes, into, pattern);
  }
  for (std::string& file : EnumerateFiles(startFolder, excludeAttributes, pattern)) into.push_back(std::move(file));
}

void FileSystem::EnumerateRecursiveFolders(std::string_view startFolder, std::uint32_t excludeAttributes,
                                           std::vector<std::string>& into) const {
  for (std::string& folder : EnumerateFolders(startFolder, excludeAttributes)) {
    into.push_back(folder);
    EnumerateRecursiveFolders(folder, excludeAttributes, into);
  }
}

std::string FileSystem::Search(std::string_view startFolder, std::string_view name, bool wantFolder) const {
  const auto entries = services_.ListFolder(startFolder);
  if (!entries) return "";
  for (const DirectoryEntry& entry : *entries) {
    const bool isFolder = (entry.attributes & attribute::kDirectory) != 0;
    if (isFolder == wantFolder && ascii::EqualsIgnoringCase(entry.name, name)) {
      return Join(startFolder, entry.name);
    }
  }
  for (const DirectoryEntry& entry : *entries) {
    if (!IsTakenFolder(entry, 0)) continue;
    std::string found = Search(Join(startFolder, entry.name), name, wantFolder);
    if (!found.empty()) return found;
  }
  return "";
}

std::string FileSystem::SearchFile(std::string_view startFolder, std::string_view file) const {
  return Search(startFolder, file, false);
}

std::string FileSystem::SearchFolder(std::string_view startFolder, std::string_view folder) const {
  return Search(startFolder, folder, true);
}

bool FileSystem::ChangeFolder(std::string_view folder) {
  std::error_code error;
  std::filesystem::current_path(std::filesystem::u8path(folder), error);
  return !error;
}

std::string FileSystem::GetCurrentFolder() {
  std::error_code error;
  const auto current = std::filesystem::current_path(error);
  if (error) return "";
  const auto text = current.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileSystem::ExpandFolder(std::string_view folder) {
  std::string result;
  while (!folder.empty()) {
    const std::size_t open = folder.find('%');
    const std::size_t close = open == std::string_view::npos ? open : folder.find('%', open + 1);
    if (close == std::string_view::npos) {
      result += folder;
      break;
    }
    result += folder.substr(0, open);
    const std::string name(folder.substr(open + 1, close - open - 1));
    const char* value = std::getenv(name.c_str());
    result += value != nullptr ? std::string_view(value) : folder.substr(open, close - open + 1);
    folder.remove_prefix(close + 1);
  }
  return result;
}

bool FileSystem::CreateFolderTree(std::string_view folder) const {
  const std::string trimmed = path::RemoveFolderSeparator(folder);
  if (IsFolder(trimmed)) return true;
  const std::string_view parent = path::ParentOf(trimmed);
  if (!parent.empty() && parent.size() < trimmed.size() && !CreateFolderTree(parent)) return false;
  return services_.CreateFolder(trimmed) || IsFolder(trimmed);
}

}  // namespace vellumark
