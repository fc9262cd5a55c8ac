// Path helpers with the platform's own separator: backslash on Windows,
// slash elsewhere. Folder paths that are stored or handed on end in it.
#pragma once

#include <string>
#include <string_view>

namespace vellumark::path {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// "C:\Data" -> "C:\Data\"; a path that already ends in the separator, and
// the empty path, come back unchanged. Nothing else is normalised.
std::string AddFolderSeparator(std::string_view folder, char separator = kSeparator);

// Drops one trailing separator; a root ("C:\", "/") keeps it.
std::string RemoveFolderSeparator(std::string_view folder, char separator = kSeparator);

// The last component: "a\b\c.txt" -> "c.txt"; "a\b\" -> "b\".
std::string_view LastComponent(std::string_view path, char separator = kSeparator);

// The path without its last component and the separator before it, except
// that a root keeps its separator: "a\b\c" -> "a\b", "C:\a" -> "C:\".
std::string_view ParentOf(std::string_view path, char separator = kSeparator);

// Number of separators in the text.
int CountSeparators(std::string_view text, char separator = kSeparator);

}  // namespace vellumark::path
