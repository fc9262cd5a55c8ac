// Our INI reader against the system's profile reader (Wine's
// GetPrivateProfileStringW) on hand-picked and generated odd files. They
// must agree on every file; only the system's length limit is lifted, so
// the buffer here is larger than any value in the corpus.
#include "favorites/ini_file.h"
#include "favorites/shortcut_text.h"
#include "support/text_encoding.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/support/temp_folder.h"
#include "tools/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellumark {
namespace {

using namespace std::string_literals;
using win32::Narrow;
using win32::Widen;

struct Lookup {
  const char* section;
  const char* key;
};
constexpr std::array<Lookup, 4> kLookups{{
    {"InternetShortcut", "URL"},
    {"InternetShortcut.W", "URL"},
    {"other", "k"},
    {"InternetShortcut", "IconIndex"},
}};

std::wstring SystemValue(const std::string& file, const Lookup& lookup) {
  std::wstring buffer(1 << 16, L'\0');
  const DWORD length = GetPrivateProfileStringW(Widen(lookup.section).c_str(), Widen(lookup.key).c_str(), L"",
                                                buffer.data(), static_cast<DWORD>(buffer.size()), Widen(file).c_str());
  buffer.resize(length);
  return buffer;
}

std::wstring OurValue(std::string_view bytes, const Lookup& lookup) {
  const std::string text = DecodeShortcutText(bytes).text;
  return Widen(ini::ReadValue(text, lookup.section, lookup.key).value_or(""));
}

using tools::Random;

// Pieces of lines (UTF-8), chosen to hit every rule of the reader.
const std::vector<std::string>& Fragments() {
  static const std::vector<std::string> fragments = {
      "[InternetShortcut]", "[internetshortcut]", "[ InternetShortcut ]", "[InternetShortcut", "[InternetShortcut]x",
      "[InternetShortcut.W]", "[other]", "[OTHER]", "[]", "[", "]", "URL", "url", "Url ", "URL=", "=", "==", " = ",
      "k=", "K =", "IconIndex=", "http://example.com/", "a b", "'", "\"", "''", "\"\"", " ", "  ", "\t", "\v", "\f",
      "\r", "\n", "\r\n", "\n\r", "\r\r\n", "\0"s, "URL\0x="s, "\x1A", ";", "#", "\xC2\xA0", "\xC3\xA9",
      "\xE2\x82\xAC", "\xE3\x80\x80", "\xE2\x80\x80", "\xE2\x80\x8B", "\xC2\x85", "\xEF\xBB\xBF", "\xC4\xB0",
      "\xE2\x84\xAA", "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80", "[\xC4\xB0nternetShortcut]", "\xE2\x80\xA8"};
  return fragments;
}

std::string GeneratedText(Random& random) {
  std::string text;
  const std::uint32_t pieces = random.Below(40);
  for (std::uint32_t i = 0; i < pieces; ++i) text += Fragments()[random.Below(static_cast<int>(Fragments().size()))];
  if (random.Below(8) == 0) text += "URL=" + std::string(5000 + random.Below(3000), 'x');
  return text;
}

// The file's bytes in a form both readers decode alike: text without a
// byte-order mark is code-page text to the system, so UTF-8 is only
// written with its mark.
std::string AsFile(const std::string& text, Random& random) {
  const TextForm forms[] = {TextForm::kWindows1252, TextForm::kUtf8WithBom, TextForm::kUtf16LeWithBom,
                            TextForm::kUtf16BeWithBom};
  TextForm form = forms[random.Below(4)];
  if (form == TextForm::kWindows1252) {
    const std::string bytes = text::Utf8ToWindows1252(text);
    const bool asciiOnly = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (text::FitsWindows1252(text) && (asciiOnly || !text::IsValidUtf8(bytes))) return bytes;
    form = TextForm::kUtf8WithBom;
  }
  return *EncodeShortcutText(text, form);
}

void ExpectAgreement(const testing::TempFolder& folder, const std::string& name, const std::string& bytes) {
  const std::string file = folder.Write(name, bytes);
  for (const Lookup& lookup : kLookups) {
    EXPECT_EQ(Narrow(OurValue(bytes, lookup)), Narrow(SystemValue(file, lookup)))
        << "file " << name << ", [" << lookup.section << "] " << lookup.key << ": "
        << ::testing::PrintToString(bytes.substr(0, 400));
  }
}

TEST(IniAgainstSystemReader, AgreesOnHandPickedFiles) {
  const std::vector<std::string> files = {
      "", "\r\n", "[InternetShortcut]\r\nURL=http://a/\r\n", "[InternetShortcut]\rURL = \"http://cr/\" \r",
      "[InternetShortcut]\nURL='x'\n", "[InternetShortcut]\nURL=\"'x'\"\n", "[InternetShortcut]\nURL=\"x'\n",
      "[InternetShortcut]\nURL=\"\n", "URL=before\r\n[InternetShortcut]\r\nURL=after\r\n",
      "[InternetShortcut]\r\nURL\r\nURL=second\r\n", "[InternetShortcut]\r\nURL=first\r\nURL=second\r\n",
      "[InternetShortcut]\r\n\r\n[InternetShortcut]\r\nURL=dup\r\n",
      "[InternetShortcut]\r\nURL=a=b\r\nk=v\r\n[other]\r\nk=other\r\n", "  [ InternetShortcut ]\r\nURL=spaced\r\n",
      "[InternetShortcut]trailing\r\nURL=x\r\n", "[InternetShortcut\r\nURL=x\r\n",
      "[InternetShortcut]\r\n[broken\r\nURL=x\r\n", "[InternetShortcut]\r\n;URL=comment\r\nURL=x\r\n",
      "[InternetShortcut]\r\nURL=nul\0rest\r\n"s, "[InternetShortcut\0tail]\r\nURL\0tail=x\r\n"s,
      "[InternetShortcut]\r\nURL=\x1A" "eof\x1A\r\n", "[InternetShortcut]\r\nURL=\xA0nbsp\xA0\r\n",
      "[InternetShortcut]\r\nURL=caf\xE9\r\n",
      "\xEF\xBB\xBF[InternetShortcut]\r\nURL=\xE3\x80\x80ideographic\xE3\x80\x80\r\n",
      "\xEF\xBB\xBF[\xC4\xB0nternetShortcut]\r\nURL=dotted\r\n",
      "[InternetShortcut]\r\nURL=" + std::string(20000, 'L') + "\r\n",
  };
  testing::TempFolder folder;
  for (std::size_t i = 0; i < files.size(); ++i) ExpectAgreement(folder, "hand" + std::to_string(i) + ".url", files[i]);
}

TEST(IniAgainstSystemReader, AgreesOnGeneratedFiles) {
  testing::TempFolder folder;
  Random random(20261206);
  for (int i = 0; i < 600; ++i) {
    const std::string text = GeneratedText(random);
    ExpectAgreement(folder, "gen" + std::to_string(i) + ".url", AsFile(text, random));
  }
}

}  // namespace
}  // namespace vellumark
