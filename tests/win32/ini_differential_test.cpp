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
#include <cstdint>
#include <string>
#include <vector>

namespace vellumark {
namespace {

using namespace std::string_literals;
using win32::Narrow;
using win32::Widen;

// Section and key of every value compared.
constexpr std::pair<const char*, const char*> kLookups[] = {
    {"InternetShortcut", "URL"}, {"InternetShortcut.W", "URL"}, {"other", "k"}, {"InternetShortcut", "IconIndex"}};

void ExpectAgreement(const testing::TempFolder& folder, const std::string& name, const std::string& bytes) {
  const std::string file = folder.Write(name, bytes);
  const std::string text = DecodeShortcutText(bytes).text;
  for (const auto& [section, key] : kLookups) {
    std::wstring system(1 << 16, L'\0');
    system.resize(GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"", system.data(),
                                           static_cast<DWORD>(system.size()), Widen(file).c_str()));
    EXPECT_EQ(Narrow(Widen(ini::ReadValue(text, section, key).value_or(""))), Narrow(system))
        << "file " << name << ", [" << section << "] " << key << ": " << ::testing::PrintToString(bytes.substr(0, 400));
  }
}

// Pieces of lines (UTF-8), chosen to hit every rule of the reader.
const std::vector<std::string> kFragments = {
    "[InternetShortcut]", "[internetshortcut]", "[ InternetShortcut ]", "[InternetShortcut", "[InternetShortcut]x",
    "[InternetShortcut.W]", "[other]", "[OTHER]", "[]", "[", "]", "URL", "url", "Url ", "URL=", "=", "==", " = ",
    "k=", "K =", "IconIndex=", "http://example.com/", "a b", "'", "\"", "''", "\"\"", " ", "  ", "\t", "\v", "\f",
    "\r", "\n", "\r\n", "\n\r", "\r\r\n", "\0"s, "URL\0x="s, "\x1A", ";", "#", "\xC2\xA0", "\xC3\xA9",
    "\xE2\x82\xAC", "\xE3\x80\x80", "\xE2\x80\x80", "\xE2\x80\x8B", "\xC2\x85", "\xEF\xBB\xBF", "\xC4\xB0",
    "\xE2\x84\xAA", "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80", "[\xC4\xB0nternetShortcut]", "\xE2\x80\xA8"};

// A generated file's bytes in a form both readers decode alike: text without
// a byte-order mark is code-page text to the system, so UTF-8 is only
// written with its mark.
std::string GeneratedFile(tools::Random& random) {
  std::string text;
  for (int pieces = random.Below(40); pieces > 0; --pieces)
    text += kFragments[random.Below(static_cast<int>(kFragments.size()))];
  if (random.Below(8) == 0) text += "URL=" + std::string(5000 + random.Below(3000), 'x');
  const TextForm forms[] = {TextForm::kWindows1252, TextForm::kUtf8WithBom, TextForm::kUtf16LeWithBom,
                            TextForm::kUtf16BeWithBom};
  const TextForm form = forms[random.Below(4)];
  if (form == TextForm::kWindows1252) {
    const std::string bytes = text::Utf8ToWindows1252(text);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (text::FitsWindows1252(text) && (ascii || !text::IsValidUtf8(bytes))) return bytes;
  }
  return *EncodeShortcutText(text, form == TextForm::kWindows1252 ? TextForm::kUtf8WithBom : form);
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
  tools::Random random(20261206);
  for (int i = 0; i < 600; ++i) ExpectAgreement(folder, "gen" + std::to_string(i) + ".url", GeneratedFile(random));
}

}  // namespace
}  // namespace vellumark
