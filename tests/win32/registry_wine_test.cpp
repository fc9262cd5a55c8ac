// What the registry helpers and the settings store leave in the system
// registry, read back through the raw registry API, and what they make of
// values other programs wrote there.
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "support/registry.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace vellumark {
namespace {

using win32::Widen;

struct RawValue {
  LSTATUS status = ERROR_FILE_NOT_FOUND;
  DWORD type = 0;
  std::vector<BYTE> data;
};

RawValue QueryRaw(const std::string& key, const std::string& name) {
  RawValue value;
  HKEY handle = nullptr;
  value.status = ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle);
  if (value.status != ERROR_SUCCESS) return value;
  DWORD size = 0;
  value.status = ::RegQueryValueExW(handle, Widen(name).c_str(), nullptr, &value.type, nullptr, &size);
  if (value.status == ERROR_SUCCESS) {
    value.data.resize(size);
    value.status = ::RegQueryValueExW(handle, Widen(name).c_str(), nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
  }
  ::RegCloseKey(handle);
  return value;
}

void SetRaw(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size) {
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), Widen(name).c_str(), type, data, size),
            ERROR_SUCCESS);
}

std::vector<BYTE> Utf16Bytes(const std::wstring& text) {
  std::vector<BYTE> bytes((text.size() + 1) * 2, 0);
  std::memcpy(bytes.data(), text.c_str(), bytes.size());
  return bytes;
}

class WineRegistry : public ::testing::Test {
 protected:
  const std::string key = AppEx().RegistryKey();
  testing::KeptValues kept{key, {"Interval", "Updated", "WHOIS"}};
  testing::SettingsSandbox sandbox;
  testing::TempFolder program;
  Templates templates{program.Path()};
  Settings settings{CompleteSetCheck(templates)};
};

TEST_F(WineRegistry, SettingsWriteTextAsType1AndTheIntervalAsType4) {
  settings.SetUpdated("Stand: M\xC3\xA4rz \xE6\x9D\xB1");
  settings.SetInterval(-2);
  const RawValue updated = QueryRaw("Software\\Tarnwell\\Vellumark", "Updated");
  ASSERT_EQ(updated.status, ERROR_SUCCESS);
  EXPECT_EQ(updated.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(updated.data, Utf16Bytes(L"Stand: M\u00E4rz \u6771"));
  const RawValue interval = QueryRaw("Software\\Tarnwell\\Vellumark", "Interval");
  ASSERT_EQ(interval.status, ERROR_SUCCESS);
  EXPECT_EQ(interval.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(interval.data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(WineRegistry, ValuesWrittenByOthersFollowTheReadingRules) {
  const DWORD tooLarge = 1001, fine = 365;
  SetRaw(key, "Interval", REG_DWORD, &tooLarge, sizeof tooLarge);
  EXPECT_EQ(settings.Interval(), 0);
  SetRaw(key, "Interval", REG_DWORD, &fine, sizeof fine);
  EXPECT_EQ(settings.Interval(), 365);
  const std::vector<BYTE> seven = Utf16Bytes(L"7");
  SetRaw(key, "Interval", REG_SZ, seven.data(), static_cast<DWORD>(seven.size()));
  EXPECT_EQ(settings.Interval(), 0);
  const std::vector<BYTE> expandable = Utf16Bytes(L"%USERNAME%");
  SetRaw(key, "Updated", REG_EXPAND_SZ, expandable.data(), static_cast<DWORD>(expandable.size()));
  EXPECT_EQ(settings.Updated(), "%USERNAME%");
}

TEST_F(WineRegistry, TextWithoutTerminatingZeroKeepsItsLastCharacter) {
  const std::wstring address = L"https://whois.example/%q";
  SetRaw(key, "WHOIS", REG_SZ, address.data(), static_cast<DWORD>(address.size() * 2));
  EXPECT_EQ(settings.WHOIS(), "https://whois.example/%q");
}

TEST_F(WineRegistry, TextListsAndBinaryLandWithTheirTypes) {
  const std::string testKey = sandbox.TestKey();
  ASSERT_TRUE(Registry::WriteStringValue(Registry::kCurrentUser, testKey, "List", std::string("a\0b\0", 4), 7));
  const RawValue list = QueryRaw(testKey, "List");
  EXPECT_EQ(list.type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(list.data, (std::vector<BYTE>{'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
  ASSERT_TRUE(Registry::WriteBinaryValue(Registry::kCurrentUser, testKey, "Bytes", std::vector<std::uint8_t>{1, 2}));
  const RawValue bytes = QueryRaw(testKey, "Bytes");
  EXPECT_EQ(bytes.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(bytes.data, (std::vector<BYTE>{1, 2}));
}

TEST_F(WineRegistry, LongNamesDoNotCutTheListing) {
  const std::string testKey = sandbox.TestKey();
  const std::string longName(2000, 'n');
  ASSERT_TRUE(Registry::WriteNumberValue(Registry::kCurrentUser, testKey, "first", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(Registry::kCurrentUser, testKey, longName, 2));
  ASSERT_TRUE(Registry::WriteNumberValue(Registry::kCurrentUser, testKey, "last", 3));
  std::vector<std::string> names;
  EXPECT_TRUE(Registry::EnumerateValues(Registry::kCurrentUser, testKey, names));
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "first");
  EXPECT_EQ(names[1], "last");
  EXPECT_TRUE(names[2] == longName) << "the long name came back with " << names[2].size() << " characters";
}

}  // namespace
}  // namespace vellumark
