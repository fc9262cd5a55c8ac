// File services over POSIX calls. Read-only is the absence of the owner's
// write bit; a file whose name starts with a dot is hidden; entries are
// sorted without regard to case so that every run lists them alike.
#include "support/file_services.h"

#include "support/ascii.h"
#include "support/path.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace vellumark {
namespace {

std::string Terminated(std::string_view path) { return std::string(path); }

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// Owns a file descriptor.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }
  // Closes now and reports whether the close worked (it can report a
  // delayed write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

// The whole file behind `fd`; nothing when it is not open or cannot be
// read (a folder cannot). No size is asked first: shortcuts fit the first
// read, and one call fewer per file counts on a large tree.
std::optional<std::string> ReadWhole(const UniqueFd& fd) {
  if (!fd) return std::nullopt;
  std::string bytes(4096, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = read(fd.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

// A folder's files opened relative to the open folder.
class FolderFilesAt final : public FolderFiles {
 public:
  explicit FolderFilesAt(UniqueFd folder) : folder_(std::move(folder)) {}

  std::optional<std::string> ReadFile(std::string_view name) override {
    return ReadWhole(UniqueFd(openat(folder_.get(), std::string(name).c_str(), O_RDONLY | O_CLOEXEC)));
  }

 private:
  UniqueFd folder_;
};

std::uint32_t AttributesOf(std::string_view name, const struct stat& info) {
  std::uint32_t attributes = 0;
  if (S_ISDIR(info.st_mode)) {
    attributes |= attribute::kDirectory;
  } else if (!name.empty() && name.front() == '.') {
    attributes |= attribute::kHidden;
  }
  if ((info.st_mode & S_IWUSR) == 0) attributes |= attribute::kReadOnly;
  return attributes;
}

std::string_view NameOf(std::string_view path) {
  const auto cut = path.find_last_of('/');
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// Case-insensitive order; names that differ only in case keep byte order.
bool NameLess(const DirectoryEntry& a, const DirectoryEntry& b) {
  const std::size_t common = std::min(a.name.size(), b.name.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(ascii::Lower(a.name[i]));
    const auto y = static_cast<unsigned char>(ascii::Lower(b.name[i]));
    if (x != y) return x < y;
  }
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
  UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  return fd && WriteAll(fd.get(), bytes) && fd.Close();
}

// The file a path names: through a symbolic link the file it names gets
// the new bytes and the link stays a link.
std::string Resolved(std::string_view path) {
  std::string target = Terminated(path);
  if (char* resolved = realpath(target.c_str(), nullptr)) {
    target = resolved;
    free(resolved);
  }
  return target;
}

std::string SelfLink(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// An unnamed file in `folder`, where the file system has them and /proc
// can give it a name later; -1 elsewhere.
int OpenUnnamed(const std::string& folder, mode_t mode) {
  const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd >= 0 && access(SelfLink(fd).c_str(), F_OK) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// A file written in the folder of `target` and put in its place by Close,
// whole and flushed to disk. It is an unnamed file until then, so a process
// killed while writing it leaves nothing behind; it gets a temporary name
// only for the rename. Where there are no unnamed files it is written under
// that name, which goes when the file is dropped unclosed.
class PendingFile final : public OutputFile {
 public:
  // With `like` the file gets exactly that file's mode (the umask left
  // aside) and owner, as a replacement must keep them.
  PendingFile(std::string target, const struct stat* like)
      : target_(std::move(target)), temporary_(target_ + ".vellumark-" + std::to_string(getpid()) + ".tmp") {
    const mode_t mode = like ? 0600 : 0666;
    const std::string_view parent = path::ParentOf(target_, '/');
    fd_.reset(OpenUnnamed(target_.find('/') == std::string::npos ? "." : parent.empty() ? "/" : std::string(parent), mode));
    if (!fd_) {
      fd_.reset(open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
      named_ = static_cast<bool>(fd_);
    }
    if (fd_ && like && (fchown(fd_.get(), like->st_uid, like->st_gid) != 0 || fchmod(fd_.get(), like->st_mode & 07777) != 0)) {
      fd_.reset(-1);
    }
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() override {
    if (named_) unlink(temporary_.c_str());
  }

  bool Started() const { return static_cast<bool>(fd_); }
  bool Write(std::string_view bytes) override { return fd_ && WriteAll(fd_.get(), bytes); }
  bool Close() override {
    if (!fd_ || fsync(fd_.get()) != 0 || !Name() || !fd_.Close()) return false;
    if (rename(temporary_.c_str(), target_.c_str()) != 0) return false;
    named_ = false;
    return true;
  }

 private:
  bool Name() {
    if (named_) return true;
    unlink(temporary_.c_str());  // a leftover of an earlier process with this number
    named_ = linkat(AT_FDCWD, SelfLink(fd_.get()).c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0;
    return named_;
  }

  std::string target_;
  std::string temporary_;
  UniqueFd fd_{-1};
  bool named_ = false;
};

class PosixFileServices final : public FileServices {
 public:
  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    const std::string path = Terminated(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) return std::nullopt;
    const int dirFd = dirfd(dir.get());
    std::vector<DirectoryEntry> entries;
    while (const dirent* item = readdir(dir.get())) {
      const std::string_view name = item->d_name;
      if (name == "." || name == "..") continue;
      struct stat info {};
      if (fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISLNK(info.st_mode)) {
        // A file link stands for its file; dangling and folder links are
        // left out.
        if (fstatat(dirFd, item->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode)) continue;
      }
      entries.push_back({std::string(name), AttributesOf(name, info), info.st_mtim.tv_sec});
    }
    std::sort(entries.begin(), entries.end(), NameLess);
    return entries;
  }

  std::uint32_t GetAttributes(std::string_view path) override {
    struct stat info {};
    const std::string p = Terminated(path);
    if (stat(p.c_str(), &info) != 0) return attribute::kInvalid;
    return AttributesOf(NameOf(path), info);
  }

  bool SetAttributes(std::string_view path, std::uint32_t attributes) override {
    struct stat info {};
    const std::string p = Terminated(path);
    if (stat(p.c_str(), &info) != 0) return false;
    mode_t mode = info.st_mode & 07777;
    // Read-only takes every write bit away; clearing it gives the owner's back.
    mode = (attributes & attribute::kReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return chmod(p.c_str(), mode) == 0;
  }

  std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) override {
    struct stat info {};
    if (stat(Terminated(path).c_str(), &info) != 0) return std::nullopt;
    return info.st_mtim.tv_sec;
  }

  bool SetLastWriteUtc(std::string_view path, std::int64_t utcSeconds) override {
    const timespec times[2] = {{static_cast<time_t>(utcSeconds), 0}, {static_cast<time_t>(utcSeconds), 0}};
    return utimensat(AT_FDCWD, Terminated(path).c_str(), times, 0) == 0;
  }

  std::optional<std::string> ReadFile(std::string_view path) override {
    return ReadWhole(UniqueFd(open(Terminated(path).c_str(), O_RDONLY | O_CLOEXEC)));
  }

  std::unique_ptr<FolderFiles> OpenFolderFiles(std::string_view folder) override {
    UniqueFd fd(open(Terminated(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) return FileServices::OpenFolderFiles(folder);
    return std::make_unique<FolderFilesAt>(std::move(fd));
  }

  bool WriteFile(std::string_view path, std::string_view bytes) override {
    return WriteNewFile(Terminated(path), bytes);
  }

  std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) override {
    std::string target = Resolved(path);
    struct stat info {};
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && (S_ISDIR(info.st_mode) || access(target.c_str(), W_OK) != 0)) return nullptr;
    auto file = std::make_unique<PendingFile>(std::move(target), exists ? &info : nullptr);
    if (!file->Started()) return nullptr;
    return std::make_unique<BufferedOutputFile>(std::move(file));
  }

  bool ReplaceFile(std::string_view path, std::string_view bytes) override {
    std::string target = Resolved(path);
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return false;
    PendingFile file(std::move(target), &info);
    return file.Write(bytes) && file.Close();
  }

  bool CreateFolder(std::string_view folder) override {
    return mkdir(Terminated(folder).c_str(), 0777) == 0;
  }

  bool CopyFile(std::string_view source, std::string_view destination) override {
    const std::optional<std::string> bytes = ReadFile(source);
    std::unique_ptr<OutputFile> file = bytes ? CreateOutputFile(destination) : nullptr;
    return file && file->Write(*bytes) && file->Close();
  }

  bool RemoveFile(std::string_view path) override { return unlink(Terminated(path).c_str()) == 0; }

  bool RemoveFolder(std::string_view folder) override { return rmdir(Terminated(folder).c_str()) == 0; }

  bool Rename(std::string_view from, std::string_view to) override {
    return rename(Terminated(from).c_str(), Terminated(to).c_str()) == 0;
  }
};

}  // namespace

FileServices& NativeFileServices() {
  static PosixFileServices services;
  return services;
}

}  // namespace vellumark
