// Internet shortcut files: the URL they hold, and the cleaned form that
// keeps nothing but that URL in their section "InternetShortcut".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

// The URL of a shortcut file's bytes (UTF-8), or "" when it has none.
// Windows keeps a URL its code page cannot hold in the section
// "InternetShortcut.W" (UTF-7) and writes "?" for the missing characters in
// the plain one; that copy is taken when it agrees with the plain URL.
std::string ReadShortcutUrl(std::string_view bytes);

// The bytes of the shortcut with its section "InternetShortcut" holding the
// single line "URL=" and its URL, the rest of the file unchanged. Nothing
// when the file has no URL, or when its text would not survive being
// written back (bytes that are not valid in the file's own encoding).
std::optional<std::string> CleanShortcut(std::string_view bytes);

}  // namespace vellumark
