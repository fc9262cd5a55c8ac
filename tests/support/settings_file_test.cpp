// The settings file that stands for the registry where there is none: its
// bytes, its escapes, hand edits, damage and atomic replacement.
#include "support/registry.h"

#include "support/file_services.h"
#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace vellumark {
namespace {

using namespace std::string_literals;
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

TEST_F(SettingsFile, NewFileHoldsOneSectionWithTypedLines) {
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", 7));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Template", "Default", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", -3));
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, "Other", "Raw", std::vector<std::uint8_t>{0x01, 0xAB}));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "List", "a\0b\0"s, 7));
  EXPECT_EQ(FileBytes(), std::string(kHeader) +
                             "\n[Software\\Tarnwell\\Vellumark]\n"
                             "Interval=dword:-3\n"
                             "Template=sz:Default\n"
                             "List=multi_sz:a%00b%00\n"
                             "\n[Other]\n"
                             "Raw=binary:01,ab\n");
}

TEST_F(SettingsFile, AnyBytesSurviveTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string tricky = "  lead and trail  \r\nline two\n%41 stays %q %zz %";
  const std::string name = " =[odd]# name= ";
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "All", all, 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Tricky", tricky, 2));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, name, "x", 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "#comment-like", "y", 1));
  EXPECT_EQ(Text("All"), all);
  EXPECT_EQ(Text("Tricky"), tricky);
  EXPECT_EQ(Text(name), "x");
  EXPECT_EQ(Text("#comment-like"), "y");
  // One line per value: nothing raw breaks a line.
  const std::string bytes = FileBytes();
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3 + 2 + 4);
  EXPECT_NE(bytes.find("Tricky=expand_sz:  lead and trail  %0D%0Aline two%0A%2541 stays %q %zz %\n"), std::string::npos);
  EXPECT_NE(bytes.find("%20%3D[odd]# name%3D%20=sz:x\n"), std::string::npos);
}

TEST_F(SettingsFile, HandEditsAreUnderstood) {
  WriteFileBytes(
      "\xEF\xBB\xBF; edited by hand\r\n"
      "  [software\\tarnwell\\vellumark]  \r\n"
      "  Interval =  DWORD: 0x10 \r\n"
      "Updated= sz:  two spaces kept\r\n"
      "WHOIS=sz:https://example.test/?q=%q\r\n"
      "Blob=binary: 0A 0b,ff\r\n"
      "Tail=sz:ends in CR\r\r\n");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "New", "", 1));
  EXPECT_EQ(Text("Tail"), "ends in CR\r");
  EXPECT_EQ(Number("Interval"), "16");
  EXPECT_EQ(Text("Updated"), "  two spaces kept");
  EXPECT_EQ(Text("WHOIS"), "https://example.test/?q=%q");
  std::vector<std::uint8_t> blob;
  EXPECT_TRUE(Registry::ReadBinaryValue(kUser, kKey, "Blob", blob));
  EXPECT_EQ(blob, (std::vector<std::uint8_t>{0x0A, 0x0B, 0xFF}));
}

TEST_F(SettingsFile, DamagedLinesAreIgnoredAndKept) {
  const std::string damaged =
      "Orphan=sz:before any section\n"
      "[Software\\Tarnwell\\Vellumark]\n"
      "garbage without equals\n"
      "Interval=dword:not a number\n"
      "Interval=dword:4294967296\n"
      "Interval=qword:5\n"
      "Template=binary:0\n"
      "\0\0\xFF\xFE binary junk \x01\n"s
      "Updated\n"
      "Updated=sz:kept\n"
      "[broken section\n"
      "Template=sz:under a broken header\n"
      "[Software\\Tarnwell\\Vellumark]\n"
      "Interval=dwo";  // cut off mid-line
  WriteFileBytes(damaged);
  EXPECT_EQ(Number("Interval"), "<failed>");
  EXPECT_EQ(Text("Template"), "<failed>");
  EXPECT_EQ(Text("Orphan"), "<failed>");
  EXPECT_EQ(Text("Updated"), "kept");
  // A write changes its own line and keeps every line it does not understand.
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Updated", "new", 1));
  std::string expected = damaged;
  expected.replace(expected.find("Updated=sz:kept"), 15, "Updated=sz:new");
  EXPECT_EQ(FileBytes(), expected + "\n");
}

TEST_F(SettingsFile, FirstOfDuplicateValuesCountsAndWritesDropTheRest) {
  WriteFileBytes("[Software\\Tarnwell\\Vellumark]\nUpdated=sz:first\nupdated=sz:second\n");
  EXPECT_EQ(Text("Updated"), "first");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, kKey, "Updated", "third", 1));
  EXPECT_EQ(FileBytes(), "[Software\\Tarnwell\\Vellumark]\nUpdated=sz:third\n");
  ASSERT_TRUE(Registry::RemoveValue(kUser, kKey, "Updated"));
  EXPECT_EQ(Text("Updated"), "<failed>");
}

TEST_F(SettingsFile, NewValuesJoinTheirSection) {
  WriteFileBytes("[A]\nx=sz:1\n# note\n[B]\ny=sz:2\n");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, "a", "z", "3", 1));
  EXPECT_EQ(FileBytes(), "[A]\nx=sz:1\nz=sz:3\n# note\n[B]\ny=sz:2\n");
}

TEST_F(SettingsFile, RemovedKeyLeavesItsParentAsAnEmptyKey) {
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, "Top\\Leaf", "x", 1));
  ASSERT_TRUE(Registry::RemoveKey(kUser, "Top", "Leaf"));
  std::vector<std::string> names = {"stale"};
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, "Top", names));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(FileBytes(), std::string(kHeader) + "\n[Top]\n");
}

TEST_F(SettingsFile, AFolderInPlaceOfTheFileFailsEveryCall) {
  sandbox.ConfigFolder().MakeFolder("vellumark/settings.ini");
  EXPECT_EQ(Number("Interval"), "<failed>");
  EXPECT_FALSE(Registry::WriteNumberValue(kUser, kKey, "Interval", 1));
  std::vector<std::string> names;
  EXPECT_FALSE(Registry::EnumerateValues(kUser, kKey, names));
  EXPECT_EQ(NativeFileServices().GetAttributes(sandbox.SettingsFile()) & attribute::kDirectory,
            attribute::kDirectory);
}

TEST_F(SettingsFile, ReplacementLeavesNoTemporaryFiles) {
  WriteFileBytes("[Software\\Tarnwell\\Vellumark]\n");
  // What a crash in the middle of an earlier write leaves behind.
  sandbox.ConfigFolder().Write("vellumark/settings.ini.vellumark-1.tmp", "[Software\\Tarnwell\\Vellumark]\nInt");
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", i));
  EXPECT_EQ(Number("Interval"), "19");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(sandbox.ConfigFolder() / "vellumark")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"settings.ini", "settings.ini.vellumark-1.tmp"}));
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

TEST_F(SettingsFile, HomeConfigFolderWhenXdgIsNotAbsolute) {
  const testing::TempFolder home;
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome != nullptr ? oldHome : "";
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  const bool written = Registry::WriteNumberValue(kUser, kKey, "Interval", 5);
  setenv("HOME", savedHome.c_str(), 1);
  ASSERT_TRUE(written);
  EXPECT_EQ(NativeFileServices().ReadFile(home / ".config/vellumark/settings.ini").value_or("<none>"),
            std::string(kHeader) + "\n[Software\\Tarnwell\\Vellumark]\nInterval=dword:5\n");
}

TEST_F(SettingsFile, HugeAndBinaryFilesDoNotStopTheStore) {
  std::string junk(4 << 20, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 2654435761u) >> 13);
  WriteFileBytes(junk + "\n[Software\\Tarnwell\\Vellumark]\nInterval=dword:9\n");
  EXPECT_EQ(Number("Interval"), "9");
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, kKey, "Interval", 10));
  EXPECT_EQ(Number("Interval"), "10");
  EXPECT_EQ(FileBytes().substr(0, junk.size()), junk);
}

}  // namespace
}  // namespace vellumark
