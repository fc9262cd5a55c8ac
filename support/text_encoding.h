// Conversions between the text forms the program meets: UTF-8 (the form of
// every text inside the program), UTF-16 (the Windows wide API and UTF-16
// files) and Windows-1252 (bytes of older files).
#pragma once

#include <string>
#include <string_view>

namespace vellumark::text {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF). The empty text is valid.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes -> UTF-8. The five bytes 1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as the
// Windows code page does.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 -> Windows-1252; characters 1252 cannot hold become `substitute`.
// Invalid UTF-8 bytes become `substitute` as well.
std::string Utf8ToWindows1252(std::string_view utf8, char substitute = '?');

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view utf8);

// Bytes of a file's text: UTF-8 when they are valid UTF-8, else 1252.
std::string DecodeUtf8OrWindows1252(std::string_view bytes);

// UTF-16 <-> UTF-8. Unpaired surrogates and invalid UTF-8 become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace vellumark::text
