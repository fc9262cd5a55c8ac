#include "generate/templates.h"

#include "support/file_system.h"
#include "support/formatting.h"
#include "support/path.h"

#include <algorithm>
#include <optional>

namespace vellumark {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A set is named by one folder name inside the templates folder.
bool IsSetName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

// Every occurrence of `placeholder`, left to right, without rescanning what
// was inserted; nothing when the result would exceed `limit`.
std::optional<std::string> ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value,
                                      std::size_t limit) {
  std::size_t occurrences = 0;
  for (std::size_t found = text.find(placeholder); found != std::string_view::npos;
       found = text.find(placeholder, found + placeholder.size())) {
    ++occurrences;
  }
  if (occurrences == 0) return std::string(text);
  const std::size_t kept = text.size() - occurrences * placeholder.size();
  if (kept > limit || (value.size() != 0 && occurrences > (limit - kept) / value.size())) return std::nullopt;
  std::string out;
  out.reserve(kept + occurrences * value.size());
  std::size_t start = 0;
  for (std::size_t found = text.find(placeholder); found != std::string_view::npos;
       found = text.find(placeholder, start)) {
    out.append(text.substr(start, found - start));
    out.append(value);
    start = found + placeholder.size();
  }
  out.append(text.substr(start));
  return out;
}

// Size of the indented text with CR LF line ends, or nothing when it would
// exceed `limit`.
std::optional<std::size_t> IndentedSize(std::string_view text, std::size_t indent, std::size_t limit) {
  std::size_t lines = 0;
  std::size_t contentBytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ++lines;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      ++contentBytes;
    }
  }
  if (!text.empty() && text.back() != '\r' && !text.ends_with(kLineEnd)) ++lines;
  const std::size_t perLine = indent + kLineEnd.size();
  if (lines != 0 && perLine > (limit - std::min(limit, contentBytes)) / lines) return std::nullopt;
  return contentBytes + lines * perLine;
}

}  // namespace

Templates::Templates(std::string_view programFolder, FileServices& services) : services_(services) {
  folderName_ = path::AddFolderSeparator(programFolder) + "Templates" + path::kSeparator;
  if (!programFolder.empty() && services_.GetAttributes(folderName_) == attribute::kInvalid) {
    services_.CreateFolder(path::RemoveFolderSeparator(folderName_));
  }
}

bool Templates::Check(std::string_view folder) const {
  if (!IsSetName(folder)) return false;
  const FileSystem files(services_);
  const std::string setFolder = folderName_ + std::string(folder) + path::kSeparator;
  return std::all_of(kFiles.begin(), kFiles.end(),
                     [&](std::string_view file) { return files.IsFile(setFolder + std::string(file)); });
}

bool Templates::Enumerate(TemplateList& ctrl) const {
  ctrl.Clear();
  const std::optional<std::vector<DirectoryEntry>> entries = services_.ListFolder(folderName_);
  // A missing templates folder holds no set; one that is there but cannot
  // be listed (a file in its place, say) is an error. The name is asked
  // without its final separator, which a file's name cannot carry.
  if (!entries) {
    std::string_view name = folderName_;
    if (name.ends_with(path::kSeparator)) name.remove_suffix(1);
    return services_.GetAttributes(name) == attribute::kInvalid;
  }
  for (const DirectoryEntry& entry : *entries) {
    if (!(entry.attributes & attribute::kDirectory) || entry.name.starts_with('.')) continue;
    if (Check(entry.name)) ctrl.AddItem(entry.name);
  }
  return true;
}

std::string Templates::Generate(std::string_view folder, int index, int indent, bool keepnewline, int count,
                                const Replacements& replacements) const {
  if (!IsSetName(folder) || index < 0 || index >= static_cast<int>(kFiles.size())) return "";
  const std::optional<std::string> text =
      services_.ReadFile(folderName_ + std::string(folder) + path::kSeparator + std::string(kFiles[index]));
  if (!text) return "";
  return Fill(*text, indent, keepnewline, count, replacements);
}

std::string Templates::Fill(std::string_view fileText, int indent, bool keepnewline, int count,
                            const Replacements& replacements) {
  const std::size_t spaces = indent > 0 ? static_cast<std::size_t>(indent) : 0;
  const std::optional<std::size_t> size = IndentedSize(fileText, spaces, kMaxFilledSize);
  if (!size) return "";

  // Lines end at CR or CR LF; a bare LF stays inside its line.
  std::string text;
  text.reserve(*size);
  std::size_t start = 0;
  while (start < fileText.size()) {
    std::size_t end = fileText.find('\r', start);
    if (end == std::string_view::npos) end = fileText.size();
    text.append(spaces, ' ');
    text.append(fileText.substr(start, end - start));
    text.append(kLineEnd);
    start = end + 1;
    if (end < fileText.size() && start < fileText.size() && fileText[start] == '\n') ++start;
  }
  if (!keepnewline && text.size() > kLineEnd.size()) text.resize(text.size() - kLineEnd.size());

  for (const auto& [placeholder, value] : replacements) {
    if (placeholder.empty()) continue;
    std::optional<std::string> replaced = ReplaceAll(text, placeholder, value, kMaxFilledSize);
    if (!replaced) return "";
    text = std::move(*replaced);
  }

  if (count >= 0) {
    const std::string choice = StringEx::Extract(text, "||", "||");
    // Two words exactly, empty ones included ("a," is a choice of "a" and "").
    const std::size_t comma = choice.find(',');
    if (comma != std::string::npos && choice.find(',', comma + 1) == std::string::npos) {
      const std::string word = count == 1 ? choice.substr(0, comma) : choice.substr(comma + 1);
      // The word is never longer than the choice, so the text cannot grow.
      text = *ReplaceAll(text, "||" + choice + "||", word, kMaxFilledSize);
    }
  }
  return text;
}

}  // namespace vellumark
