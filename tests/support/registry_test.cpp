// The registry helpers' contract, the same in both builds (the system
// registry under Windows, the settings file elsewhere).
#include "support/registry.h"

#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <climits>

namespace vellumark {
namespace {

using namespace std::string_literals;
using Names = std::vector<std::string>;
constexpr std::uint32_t kUser = Registry::kCurrentUser;

class RegistryTest : public ::testing::Test {
 protected:
  testing::SettingsSandbox sandbox;
  const std::string key = sandbox.TestKey();

  // "type:value", or "<failed:type:value>".
  std::string Text(std::string_view name, std::string_view at = "") const {
    std::string value = "stale";
    std::uint32_t type = 99;
    const bool ok = Registry::ReadStringValue(kUser, at.empty() ? key : at, name, value, type);
    const std::string read = std::to_string(type) + ":" + value;
    return ok ? read : "<failed:" + read + ">";
  }
  std::string Number(std::string_view name, std::string_view at = "") const {
    std::int32_t value = 12345;
    const bool ok = Registry::ReadNumberValue(kUser, at.empty() ? key : at, name, value);
    return ok ? std::to_string(value) : "<failed:" + std::to_string(value) + ">";
  }
};

TEST_F(RegistryTest, ValuesRoundTripWithTheirTypeAndReadsOfTheOtherKindFail) {
  for (const std::int32_t number : {0, 7, -1, INT_MAX, INT_MIN}) {
    ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Number", number));
    EXPECT_EQ(Number("Number"), std::to_string(number));
  }
  const std::string plain = "Gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1 \xF0\x9F\x98\x80";
  for (const auto& [name, text, type] : {std::tuple{"Plain", plain, 1u}, {"Expandable", "%TEMP%\\x"s, 2u},
                                         {"List", "one\0two\0"s, 7u}, {"Empty", ""s, 1u}}) {
    ASSERT_TRUE(Registry::WriteStringValue(kUser, key, name, text, type));
    EXPECT_EQ(Text(name), std::to_string(type) + ":" + text);
  }
  EXPECT_EQ(Text("Number"), "<failed:4:>");
  EXPECT_EQ(Text("Missing"), "<failed:0:>");
  EXPECT_EQ(Number("Plain"), "<failed:0>");
  EXPECT_EQ(Number("Missing"), "<failed:0>");
  EXPECT_EQ(Number("Missing", key + "\\No\\Such\\Key"), "<failed:0>");
  // Rewriting a value may change its type.
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Plain", 42));
  EXPECT_EQ(Number("PLAIN"), "42");  // names ignore letter case
  // Text writes of a type that is no text write nothing.
  for (const std::uint32_t type : {0u, 3u, 4u}) EXPECT_FALSE(Registry::WriteStringValue(kUser, key, "Empty", "x", type));
  EXPECT_EQ(Text("Empty"), "1:");
  const std::vector<std::uint8_t> bytes = {0, 1, 0xFF, '\n', '%', '4', '1'};
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "Bytes", bytes));
  std::vector<std::uint8_t> read = {9};
  EXPECT_TRUE(Registry::ReadBinaryValue(kUser, key, "Bytes", read));
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(Text("Bytes"), "<failed:3:>");
  // An empty binary value reads as nothing.
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "None", {}));
  EXPECT_FALSE(Registry::ReadBinaryValue(kUser, key, "None", read));
  EXPECT_TRUE(read.empty());
  // Other roots are not the user's store.
  EXPECT_FALSE(Registry::ReadBinaryValue(0x7FFFFFFF, key, "Bytes", read));
  EXPECT_FALSE(Registry::WriteNumberValue(0x7FFFFFFF, key, "Only", 2));
}

TEST_F(RegistryTest, KeysAndValuesAreListedAndRemovedOneLevelAtATime) {
  Names names = {"stale"};
  EXPECT_FALSE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "First", 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Second", "y", 1));
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key + "\\beta", "x", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key + "\\Alpha\\Deep", "x", 1));
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_EQ(names, (Names{"Alpha", "beta"}));
  EXPECT_TRUE(Registry::EnumerateValues(kUser, key, names));
  EXPECT_EQ(names, (Names{"First", "Second"}));
  EXPECT_TRUE(Registry::EnumerateValues(kUser, key + "\\Alpha", names));
  EXPECT_TRUE(names.empty());

  EXPECT_TRUE(Registry::RemoveValue(kUser, key, "first"));
  EXPECT_EQ(Number("First"), "<failed:0>");
  EXPECT_FALSE(Registry::RemoveValue(kUser, key, "First"));
  EXPECT_FALSE(Registry::RemoveValue(kUser, key + "\\Missing", "Second"));
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, "Alpha"));  // it has a child
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, ""));
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, "Missing"));
  EXPECT_TRUE(Registry::RemoveKey(kUser, key + "\\Alpha", "Deep"));
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key + "\\Alpha", names));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(Registry::RemoveKey(kUser, key, "alpha"));
  EXPECT_FALSE(Registry::EnumerateKeys(kUser, key + "\\Alpha", names));
  EXPECT_EQ(Text("Second"), "1:y");
}

}  // namespace
}  // namespace vellumark
