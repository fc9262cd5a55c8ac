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
#include <tuple>

namespace vellumark {
namespace {

using namespace std::string_literals;
using win32::Widen;

using RawValue = std::tuple<LSTATUS, DWORD, std::vector<BYTE>>;  // status, type, bytes

RawValue QueryRaw(const std::string& key, const std::string& name) {
  HKEY handle = nullptr;
  DWORD type = 0, size = 1 << 16;
  std::vector<BYTE> data(size);
  LSTATUS status = ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle);
  if (status == ERROR_SUCCESS) {
    status = ::RegQueryValueExW(handle, Widen(name).c_str(), nullptr, &type, data.data(), &size);
    ::RegCloseKey(handle);
  }
  data.resize(status == ERROR_SUCCESS ? size : 0);
  return {status, type, data};
}

// The bytes of `text` as the registry keeps it, with or without the terminating zero.
std::vector<BYTE> Utf16Bytes(const std::wstring& text, bool terminated = true) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {bytes, bytes + (text.size() + (terminated ? 1 : 0)) * 2};
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

TEST_F(WineRegistry, WrittenValuesLandWithTheirTypesAndBytes) {
  const std::string testKey = sandbox.TestKey();
  settings.SetUpdated("Stand: M\xC3\xA4rz \xE6\x9D\xB1");
  settings.SetInterval(-2);
  ASSERT_TRUE(Registry::WriteStringValue(Registry::kCurrentUser, testKey, "List", "a\0b\0"s, 7));
  ASSERT_TRUE(Registry::WriteBinaryValue(Registry::kCurrentUser, testKey, "Bytes", std::vector<std::uint8_t>{1, 2}));
  const struct {
    std::string key, name;
    DWORD type;
    std::vector<BYTE> data;
  } expected[] = {{"Software\\Tarnwell\\Vellumark", "Updated", REG_SZ, Utf16Bytes(L"Stand: M\u00E4rz \u6771")},
                  {"Software\\Tarnwell\\Vellumark", "Interval", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
                  {testKey, "List", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
                  {testKey, "Bytes", REG_BINARY, {1, 2}}};
  for (const auto& e : expected) EXPECT_EQ(QueryRaw(e.key, e.name), RawValue(ERROR_SUCCESS, e.type, e.data)) << e.name;
}

TEST_F(WineRegistry, ValuesWrittenByOthersFollowTheReadingRules) {
  const auto number = [](DWORD n) { return std::vector<BYTE>{BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)}; };
  const struct {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    std::string read;
  } cases[] = {{"Interval", REG_DWORD, number(1001), "0"},
               {"Interval", REG_DWORD, number(365), "365"},
               {"Interval", REG_SZ, Utf16Bytes(L"7"), "0"},
               {"Updated", REG_EXPAND_SZ, Utf16Bytes(L"%USERNAME%"), "%USERNAME%"},
               // Text without its terminating zero keeps its last character.
               {"WHOIS", REG_SZ, Utf16Bytes(L"https://whois.example/%q", false), "https://whois.example/%q"}};
  for (const auto& c : cases) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), Widen(c.name).c_str(), c.type, c.data.data(),
                                static_cast<DWORD>(c.data.size())),
              ERROR_SUCCESS);
    const std::string name = c.name;
    EXPECT_EQ(name == "Interval" ? std::to_string(settings.Interval())
              : name == "Updated" ? settings.Updated()
                                  : settings.WHOIS(),
              c.read)
        << name << " of type " << c.type;
  }
}

TEST_F(WineRegistry, LongNamesDoNotCutTheListing) {
  const std::string testKey = sandbox.TestKey();
  const std::string longName(2000, 'n');
  for (const std::string& name : {"first"s, longName, "last"s})
    ASSERT_TRUE(Registry::WriteNumberValue(Registry::kCurrentUser, testKey, name, 1));
  std::vector<std::string> names;
  EXPECT_TRUE(Registry::EnumerateValues(Registry::kCurrentUser, testKey, names));
  std::sort(names.begin(), names.end());
  EXPECT_TRUE(names == (std::vector{"first"s, "last"s, longName})) << names.size() << " names";
}

}  // namespace
}  // namespace vellumark
