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
};

TEST(AppExKey, IsTheProgramsOwnKey) { EXPECT_EQ(AppEx().RegistryKey(), "Software\\Tarnwell\\Vellumark"); }

// An empty store, values of the wrong type and values outside their rules
// read as the defaults.
TEST_F(SettingsTest, MissingWrongOrEmptyValuesReadAsTheDefaults) {
  const auto expectDefaults = [this] {
    EXPECT_EQ(settings.Interval(), 0);
    EXPECT_EQ(settings.ShortcutFolders(), "");
    EXPECT_EQ(settings.Updated(), "");
    EXPECT_EQ(settings.WHOIS(), Settings::kDefaultWHOIS);
  };
  expectDefaults();
  EXPECT_EQ(settings.Template(), "");
  EXPECT_TRUE(settings.WHOIS().starts_with("https://"));
  EXPECT_NE(settings.WHOIS().find("%q"), std::string::npos);
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Interval", "7", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Updated", 5));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "WHOIS", 5));
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "ShortcutFolders", std::vector<std::uint8_t>{'a', 0}));
  expectDefaults();
  settings.SetWHOIS("");
  expectDefaults();
}

TEST_F(SettingsTest, IntervalOutsideZeroToThousandReadsAsZeroButIsStoredAsGiven) {
  for (const auto& [given, read] : {std::pair{1000, 1000}, {1001, 0}, {-1, 0}, {14, 14}}) {
    settings.SetInterval(given);
    EXPECT_EQ(settings.Interval(), read) << given;
    std::int32_t stored = 0;
    EXPECT_TRUE(Registry::ReadNumberValue(kUser, key, "Interval", stored));
    EXPECT_EQ(stored, given);
  }
}

// Texts go to the store as plain text values, an empty one too.
TEST_F(SettingsTest, TextsAreStoredAsPlainText) {
  settings.SetShortcutFolders("Links");
  settings.SetShortcutFolders("Links|News|/");
  settings.SetUpdated("");
  settings.SetWHOIS("https://whois.example/?d=%q&x=%q");
  for (const auto& [name, text] : {std::pair{"ShortcutFolders", "Links|News|/"}, {"Updated", ""},
                                   {"WHOIS", "https://whois.example/?d=%q&x=%q"}}) {
    std::string value = "stale";
    std::uint32_t type = 0;
    EXPECT_TRUE(Registry::ReadStringValue(kUser, key, name, value, type));
    EXPECT_EQ(value, text) << name;
    EXPECT_EQ(type, 1u) << name;
  }
  EXPECT_EQ(settings.ShortcutFolders(), "Links|News|/");
  EXPECT_EQ(settings.WHOIS(), "https://whois.example/?d=%q&x=%q");
}

TEST_F(SettingsTest, TemplateMustNameACompleteSet) {
  MakeSet("Default");
  MakeSet("Broken");
  NativeFileServices().RemoveFile(program / "Templates/Broken/index.html");
  EXPECT_EQ(settings.Template(), "Default");  // nothing chosen yet: the shipped set
  settings.SetTemplate("");
  EXPECT_EQ(settings.Template(), "Default");
  settings.SetTemplate("Default");
  EXPECT_EQ(settings.Template(), "Default");
  settings.SetTemplate("Broken");
  EXPECT_EQ(settings.Template(), "");
  settings.SetTemplate("..");
  EXPECT_EQ(settings.Template(), "");
  std::string stored;
  std::uint32_t type = 0;
  EXPECT_TRUE(Registry::ReadStringValue(kUser, key, "Template", stored, type));
  EXPECT_EQ(stored, "..");
}

#ifndef _WIN32
TEST_F(SettingsTest, SettersSayWhetherTheValueReachedTheStore) {
  const auto storedCount = [this](std::string_view text) {
    return settings.SetUpdated(text) + settings.SetInterval(2) + settings.SetTemplate(text) +
           settings.SetShortcutFolders(text) + settings.SetWHOIS(text);
  };
  EXPECT_EQ(storedCount("kept"), 5);
  ASSERT_TRUE(NativeFileServices().RemoveFile(sandbox.SettingsFile()));
  sandbox.ConfigFolder().MakeFolder("vellumark/settings.ini");
  EXPECT_EQ(storedCount("lost"), 0);
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

#ifndef _WIN32
TEST_F(SettingsTest, UnusableStoreGivesDefaultsAndLosesNothing) {
  sandbox.ConfigFolder().MakeFolder("vellumark/settings.ini");
  settings.SetInterval(5);
  settings.SetUpdated("lost");
  EXPECT_EQ(settings.Interval(), 0);
  EXPECT_EQ(settings.Updated(), "");
  EXPECT_EQ(settings.WHOIS(), Settings::kDefaultWHOIS);
  EXPECT_TRUE(FileSystem().IsFolder(sandbox.SettingsFile()));
}

TEST_F(SettingsTest, WritesLandInTheSettingsFile) {
  settings.SetInterval(3);
  settings.SetTemplate("Default");
  const std::string bytes = NativeFileServices().ReadFile(sandbox.SettingsFile()).value_or("");
  EXPECT_NE(bytes.find("\n[Software\\Tarnwell\\Vellumark]\nInterval=dword:3\nTemplate=sz:Default\n"),
            std::string::npos);
}
#endif

}  // namespace
}  // namespace vellumark
