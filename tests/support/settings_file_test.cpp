// The settings file that stands for the registry where there is none: its
// bytes, its escapes, hand edits, damage and atomic replacement.
#include "support/registry.h"

#include "support/file_services.h"
#include "support/file_system.h"
#include "support/posix/settings_format.h"
#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <thread>

namespace vellumark {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
constexpr std::uint32_t kUser = Registry::kCurrentUser;
constexpr std::string_view kKey = "Software\\Tarnwell\\Vellumark";
constexpr std::string_view kHeader =
    "# Vellumark settings: [key path] sections holding name=type:value lines.\n"
    "# Types: sz, expand_sz, multi_sz (text), dword (number), binary (hex bytes).\n"
    "# \"%HH\" in a name or text stands for the byte HH.\n";

class SettingsFile : public ::testing::Test {
 protected:
  testing::SettingsSandbox sandbox;

  std::string FileBytes() const { return NativeFileServices().ReadFile(sandbox.SettingsFile()).value_or("<none>"); }
  void WriteFileBytes(std::string_view bytes) const { sandbox.ConfigFolder().Write("vellumark/settings.ini", bytes); }

  static std::string Text(std::string_view name, std::string_view key = kKey) {
    std::string value;
    std::uint32_t type = 0;
    return Registry::ReadStringValue(kUser, key, name, value, type) ? value : "<failed>";
  }
  static std::string Number(std::string_view name) {
    std::int32_t value = 0;
    return Registry::ReadNumberValue(kUser, kKey, name, value) ? std::to_string(value) : "<failed>";
  }
};

// A new file holds a section a key with typed lines; a removed key leaves
// its parent as an empty key. An XDG_CONFIG_HOME that is not absolute
// gives way to ~/.config.
TEST_F(SettingsFile, NewFileHoldsOneSectionAKeyWithTypedLines) {
  const testing::TempFolder home;
  const testing::ScopedVariable homeVariable("HOME", home.Path()), config("XDG_CONFIG_HOME", "relative/config");
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", 7));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Template", "Default", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", -3));
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, "Other", "Raw", std::vector<std::uint8_t>{0x01, 0xAB}));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, "Top\\Leaf", "x", 1));
  ASSERT_TRUE(Registry::RemoveKey(kUser, "Top", "Leaf"));
  EXPECT_EQ(NativeFileServices().ReadFile(home / ".config/vellumark/settings.ini").value_or("<none>"),
            std::string(kHeader) +
                "\n[Software\\Tarnwell\\Vellumark]\n"
                "Interval=dword:-3\n"
                "Template=sz:Default\n"
                "\n[Other]\n"
                "Raw=binary:01,ab\n"
                "\n[Top]\n");
}

// One line read in section "K": name|type|stored bytes, or "<other>".
std::string Read(std::string_view text) {
  std::optional<std::string> section = "K";
  settings_format::Line line;
  line.text = text;
  settings_format::ParseLine(line, section);
  if (line.kind != settings_format::Line::Kind::kValue) return "<other>";
  return line.name + "|" + std::to_string(line.type) + "|" + line.data;
}

TEST(SettingsFormat, AnyBytesSurviveTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  struct Case { std::string name; std::uint32_t type; std::string data; std::string_view text; };  // text "": any
  const Case cases[] = {
      {"All", 1, all + '\0', ""},
      {"Tricky", 2, "  lead and trail  \r\nline two\n%41 stays %q %zz %\0"s,
       "Tricky=expand_sz:  lead and trail  %0D%0Aline two%0A%2541 stays %q %zz %"},
      {" =[odd]# name= ", 1, "x\0"s, "%20%3D[odd]# name%3D%20=sz:x"}, {"#comment-like", 1, "y\0"s, ""},
      {"List", 7, "a\0b\0\0"s, "List=multi_sz:a%00b%00"}, {"Interval", 4, "\xFD\xFF\xFF\xFF", "Interval=dword:-3"},
      {"Raw", 3, "\x01\xAB", "Raw=binary:01,ab"},
  };
  for (const auto& c : cases) {
    const std::string text = settings_format::ValueLine("K", c.name, c.type, c.data).text;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << c.name;
    EXPECT_EQ(c.text.empty() ? text : c.text, text);
    EXPECT_EQ(Read(text), c.name + "|" + std::to_string(c.type) + "|" + c.data);
  }
}

TEST(SettingsFormat, HandEditsAreUnderstoodAndDamageIsNotAValue) {
  const std::pair<std::string_view, std::string> cases[] = {
      {"Updated= sz:  two spaces kept", "Updated|1|  two spaces kept\0"s},
      {"WHOIS=sz:https://example.test/?q=%q", "WHOIS|1|https://example.test/?q=%q\0"s},
      {"Blob=binary: 0A 0b,ff", "Blob|3|\x0A\x0B\xFF"}, {"garbage without equals", "<other>"},
      {"Interval=dword:not a number", "<other>"}, {"Interval=dword:4294967296", "<other>"},
      {"Interval=qword:5", "<other>"}, {"Template=binary:0", "<other>"}, {"\0\0\xFF\xFE binary junk \x01"sv, "<other>"},
      {"Updated", "<other>"}, {"X=dword:7\r\r", "<other>"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Read(text), expected) << text;
}

// Hand edits count, duplicates after the first and damaged lines do not;
// a write changes its own lines and keeps every byte it does not understand
// but the byte-order mark.
TEST_F(SettingsFile, AWriteKeepsHandEditsAndDamageAndDropsLaterDuplicates) {
  const std::string kept =
      "; edited by hand\r\n"
      "Orphan=sz:before any section\n"
      "  [software\\tarnwell\\vellumark]  \r\n"
      "  Interval =  DWORD: 0x10 \r\n"
      "garbage without equals\n"
      "\0\0\xFF\xFE binary junk \x01\n"s
      "Tail=sz:ends in CR\r\r\n";
  const std::string rest =
      "[broken section\n"
      "Template=sz:under a broken header\n"
      "[A]\nx=sz:1\n# note\n[B]\ny=sz:2\n"
      "[Software\\Tarnwell\\Vellumark]\n"
      "Cut=dwo";  // cut off mid-line
  WriteFileBytes("\xEF\xBB\xBF" + kept + "Updated=sz:first\nupdated=sz:second\n" + rest);
  EXPECT_EQ(Text("Tail"), "ends in CR\r");
  EXPECT_EQ(Number("Interval"), "16");
  EXPECT_EQ(Text("Updated"), "first");
  EXPECT_EQ(Number("Cut") + Text("Template") + Text("Orphan"), "<failed><failed><failed>");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Updated", "third", 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, "a", "z", "3", 1));
  std::string expected = kept + "Updated=sz:third\n" + rest + "\n";
  expected.insert(expected.find("x=sz:1\n") + 7, "z=sz:3\n");
  EXPECT_EQ(FileBytes(), expected);
  ASSERT_TRUE(Registry::RemoveValue(kUser, kKey, "Updated"));
  EXPECT_EQ(Text("Updated"), "<failed>");
}

// Junk around the lines, a temporary file an earlier crash left and, last,
// a folder where the file should be.
TEST_F(SettingsFile, JunkStaleTemporariesAndAFolderInPlaceAreSurvived) {
  std::string junk(4 << 20, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 2654435761u) >> 13);
  WriteFileBytes(junk + "\n[Software\\Tarnwell\\Vellumark]\nInterval=dword:9\n");
  EXPECT_EQ(Number("Interval"), "9");
  const std::string stale = sandbox.ConfigFolder().Write("vellumark/settings.ini.vellumark-1.tmp", "[A]\nInt");
  for (int i = 10; i < 30; ++i) ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", i));
  EXPECT_EQ(Number("Interval"), "29");
  EXPECT_EQ(FileBytes().substr(0, junk.size()), junk);
  const std::vector<std::string> left = FileSystem().EnumerateFiles(sandbox.ConfigFolder() / "vellumark", 0);
  EXPECT_EQ(std::set<std::string>(left.begin(), left.end()), (std::set<std::string>{sandbox.SettingsFile(), stale}));

  std::filesystem::remove(sandbox.SettingsFile());
  sandbox.ConfigFolder().MakeFolder("vellumark/settings.ini");
  EXPECT_EQ(Number("Interval"), "<failed>");
  EXPECT_FALSE(Registry::WriteNumberValue(kUser, kKey, "Interval", 1));
  std::vector<std::string> names;
  EXPECT_FALSE(Registry::EnumerateValues(kUser, kKey, names));
  EXPECT_NE(NativeFileServices().GetAttributes(sandbox.SettingsFile()) & attribute::kDirectory, 0u);
}

TEST_F(SettingsFile, SimultaneousWritersLoseNoChange) {
  std::vector<std::thread> writers;
  for (int w = 0; w < 6; ++w) {
    writers.emplace_back([w] {
      for (int i = 1; i <= 15; ++i) Registry::WriteNumberValue(kUser, kKey, "Writer" + std::to_string(w), i);
    });
  }
  for (std::thread& writer : writers) writer.join();
  for (int w = 0; w < 6; ++w) EXPECT_EQ(Number("Writer" + std::to_string(w)), "15") << w;
}

}  // namespace
}  // namespace vellumark
