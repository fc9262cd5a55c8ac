// The settings store's values, defaults and reading rules. Native build: a
// fresh settings file per test; Windows build: the real key of the test
// prefix, with the five values put back afterwards.
#include "runner/settings.h"

#include "runner/site_settings.h"
#include "support/file_system.h"
#include "support/registry.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace vellumark {
namespace {

constexpr std::uint32_t kUser = Registry::kCurrentUser;
constexpr std::string_view kDefaultWhois = "https://lookup.icann.org/en/lookup?name=%q";

class SettingsTest : public ::testing::Test {
 protected:
  testing::SettingsSandbox sandbox;
#ifdef _WIN32
  testing::KeptValues kept{AppEx().RegistryKey(), {"Interval", "ShortcutFolders", "Template", "Updated", "WHOIS"}};
#endif
  testing::TempFolder program;
  Templates templates{program.Path()};
  Settings settings{CompleteSetCheck(templates)};
  const std::string key = AppEx().RegistryKey();

  void SetUp() override {
    for (const char* name : {"Interval", "ShortcutFolders", "Template", "Updated", "WHOIS"}) {
      Registry::RemoveValue(kUser, key, name);
    }
  }
  void MakeSet(std::string_view name) const {
    for (std::string_view file : Templates::kFiles) {
      program.Write("Templates/" + std::string(name) + "/" + std::string(file), "x");
    }
  }
  // "type:text" as stored.
  std::string Stored(std::string_view name) const {
    std::string value = "<none>";
    std::uint32_t type = 0;
    Registry::ReadStringValue(kUser, key, name, value, type);
    return std::to_string(type) + ":" + value;
  }
};

TEST(AppExKey, IsTheProgramsOwnKey) { EXPECT_EQ(AppEx().RegistryKey(), "Software\\Tarnwell\\Vellumark"); }

// An empty store, values of the wrong type and values outside their rules
// read as the defaults.
TEST_F(SettingsTest, MissingWrongOrEmptyValuesReadAsTheDefaults) {
  const auto expectDefaults = [this] {
    EXPECT_EQ(settings.Interval(), 0);
    EXPECT_EQ(settings.ShortcutFolders(), "");
    EXPECT_EQ(settings.Updated(), "");
    EXPECT_EQ(settings.WHOIS(), kDefaultWhois);
  };
  expectDefaults();
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Interval", "7", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Updated", 5));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "WHOIS", 5));
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "ShortcutFolders", std::vector<std::uint8_t>{'a', 0}));
  expectDefaults();
  settings.SetWHOIS("");
  expectDefaults();
}

// Values go to the store as given: the interval as a number even outside 0
// to 1000, where it reads as 0; texts as plain text, an empty one too.
TEST_F(SettingsTest, ValuesAreStoredAsGiven) {
  for (const auto& [given, read] : {std::pair{1000, 1000}, {1001, 0}, {-1, 0}, {14, 14}}) {
    settings.SetInterval(given);
    EXPECT_EQ(settings.Interval(), read) << given;
    std::int32_t stored = 0;
    EXPECT_TRUE(Registry::ReadNumberValue(kUser, key, "Interval", stored));
    EXPECT_EQ(stored, given);
  }
  settings.SetShortcutFolders("Links|News|/");
  settings.SetUpdated("");
  settings.SetWHOIS("https://whois.example/?d=%q&x=%q");
  EXPECT_EQ(Stored("ShortcutFolders"), "1:Links|News|/");
  EXPECT_EQ(Stored("Updated"), "1:");
  EXPECT_EQ(Stored("WHOIS"), "1:https://whois.example/?d=%q&x=%q");
  EXPECT_EQ(settings.ShortcutFolders(), "Links|News|/");
  EXPECT_EQ(settings.WHOIS(), "https://whois.example/?d=%q&x=%q");
}

TEST_F(SettingsTest, TemplateMustNameACompleteSet) {
  for (const char* set : {"Default", "Broken"}) MakeSet(set);
  NativeFileServices().RemoveFile(program / "Templates/Broken/index.html");
  EXPECT_EQ(settings.Template(), "Default");  // nothing chosen yet: the shipped set
  for (const auto& [chosen, read] : {std::pair{"", "Default"}, {"Default", "Default"}, {"Broken", ""}, {"..", ""}}) {
    settings.SetTemplate(chosen);
    EXPECT_EQ(settings.Template(), read) << chosen;
  }
  EXPECT_EQ(Stored("Template"), "1:..");
}

#ifndef _WIN32
// With a folder in place of the settings file nothing is stored, the reads
// give the defaults and the folder stays.
TEST_F(SettingsTest, SettersSayWhetherTheValueReachedTheStore) {
  const auto storedCount = [this](std::string_view text) {
    return settings.SetUpdated(text) + settings.SetInterval(2) + settings.SetTemplate(text) +
           settings.SetShortcutFolders(text) + settings.SetWHOIS(text);
  };
  EXPECT_EQ(storedCount("kept"), 5);
  ASSERT_TRUE(NativeFileServices().RemoveFile(sandbox.SettingsFile()));
  sandbox.ConfigFolder().MakeFolder("vellumark/settings.ini");
  EXPECT_EQ(storedCount("lost"), 0);
  EXPECT_EQ(settings.Interval(), 0);
  EXPECT_EQ(settings.Updated(), "");
  EXPECT_EQ(settings.WHOIS(), kDefaultWhois);
  EXPECT_TRUE(FileSystem().IsFolder(sandbox.SettingsFile()));
}
#endif

TEST_F(SettingsTest, NothingIsCached) {
  const Settings other(CompleteSetCheck(templates));
  settings.SetUpdated("first");
  EXPECT_EQ(other.Updated(), "first");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Updated", "by hand", 2));
  EXPECT_EQ(settings.Updated(), "by hand");
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Interval", 30));
  EXPECT_EQ(other.Interval(), 30);
}

}  // namespace
}  // namespace vellumark
