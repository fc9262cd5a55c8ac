// The registry helpers' contract, the same in both builds (the system
// registry under Windows, the settings file elsewhere).
#include "support/registry.h"

#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <climits>

namespace vellumark {
namespace {

using namespace std::string_literals;
constexpr std::uint32_t kUser = Registry::kCurrentUser;

class RegistryTest : public ::testing::Test {
 protected:
  testing::SettingsSandbox sandbox;
  const std::string key = sandbox.TestKey();

  std::string Text(std::string_view name, std::uint32_t* type = nullptr) const {
    std::string value = "stale";
    std::uint32_t found = 99;
    const bool ok = Registry::ReadStringValue(kUser, key, name, value, found);
    if (type != nullptr) *type = found;
    return ok ? value : "<failed:" + value + ">";
  }
};

TEST_F(RegistryTest, NumbersRoundTripWithTheirSign) {
  for (const std::int32_t number : {0, 7, -1, INT_MAX, INT_MIN}) {
    ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Number", number));
    std::int32_t read = 12345;
    EXPECT_TRUE(Registry::ReadNumberValue(kUser, key, "Number", read));
    EXPECT_EQ(read, number);
  }
}

TEST_F(RegistryTest, MissingNumberIsFalseAndZero) {
  std::int32_t read = 5;
  EXPECT_FALSE(Registry::ReadNumberValue(kUser, key, "Missing", read));
  EXPECT_EQ(read, 0);
  read = 5;
  EXPECT_FALSE(Registry::ReadNumberValue(kUser, key + "\\No\\Such\\Key", "Missing", read));
  EXPECT_EQ(read, 0);
}

TEST_F(RegistryTest, TextsRoundTripForEachTextType) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Plain", "Gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1 \xF0\x9F\x98\x80", 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Expandable", "%TEMP%\\x", 2));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "List", "one\0two\0"s, 7));
  std::uint32_t type = 0;
  EXPECT_EQ(Text("Plain", &type), "Gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1 \xF0\x9F\x98\x80");
  EXPECT_EQ(type, 1u);
  EXPECT_EQ(Text("Expandable", &type), "%TEMP%\\x");
  EXPECT_EQ(type, 2u);
  EXPECT_EQ(Text("List", &type), "one\0two\0"s);
  EXPECT_EQ(type, 7u);
}

TEST_F(RegistryTest, EmptyTextIsStoredAndReadBack) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Empty", "", 1));
  EXPECT_EQ(Text("Empty"), "");
}

TEST_F(RegistryTest, TextReadOfANumberFailsButSaysTheType) {
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Number", 3));
  std::uint32_t type = 0;
  EXPECT_EQ(Text("Number", &type), "<failed:>");
  EXPECT_EQ(type, 4u);
  EXPECT_EQ(Text("Missing", &type), "<failed:>");
  EXPECT_EQ(type, 0u);
}

TEST_F(RegistryTest, NumberReadOfATextFails) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Interval", "7", 1));
  std::int32_t read = 9;
  EXPECT_FALSE(Registry::ReadNumberValue(kUser, key, "Interval", read));
  EXPECT_EQ(read, 0);
}

TEST_F(RegistryTest, NonTextTypeWritesNothing) {
  EXPECT_FALSE(Registry::WriteStringValue(kUser, key, "Binary", "abc", 3));
  EXPECT_FALSE(Registry::WriteStringValue(kUser, key, "Binary", "abc", 4));
  EXPECT_EQ(Text("Binary"), "<failed:>");
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Kept", "old", 1));
  EXPECT_FALSE(Registry::WriteStringValue(kUser, key, "Kept", "new", 0));
  EXPECT_EQ(Text("Kept"), "old");
}

TEST_F(RegistryTest, RewritingAValueMayChangeItsType) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Value", "text", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Value", 42));
  std::int32_t read = 0;
  EXPECT_TRUE(Registry::ReadNumberValue(kUser, key, "Value", read));
  EXPECT_EQ(read, 42);
  EXPECT_EQ(Text("Value"), "<failed:>");
}

TEST_F(RegistryTest, NamesIgnoreLetterCase) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Template", "Default", 1));
  EXPECT_EQ(Text("TEMPLATE"), "Default");
  std::string value;
  std::uint32_t type = 0;
  std::string upperKey = key;
  for (char& c : upperKey) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(Registry::ReadStringValue(kUser, upperKey, "template", value, type));
  EXPECT_EQ(value, "Default");
}

TEST_F(RegistryTest, BinaryValuesRoundTripAndKeepTheirType) {
  const std::vector<std::uint8_t> bytes = {0, 1, 0xFF, '\n', '%', '4', '1'};
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "Bytes", bytes));
  std::vector<std::uint8_t> read = {9};
  EXPECT_TRUE(Registry::ReadBinaryValue(kUser, key, "Bytes", read));
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(Text("Bytes"), "<failed:>");
  // An empty value exists but reads as nothing.
  ASSERT_TRUE(Registry::WriteBinaryValue(kUser, key, "None", {}));
  EXPECT_FALSE(Registry::ReadBinaryValue(kUser, key, "None", read));
  EXPECT_TRUE(read.empty());
}

TEST_F(RegistryTest, EnumerationListsChildKeysAndValueNames) {
  std::vector<std::string> names = {"stale"};
  EXPECT_FALSE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "First", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Second", 2));
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key + "\\beta", "x", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key + "\\Alpha\\Deep", "x", 1));
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key, names));
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta"}));
  EXPECT_TRUE(Registry::EnumerateValues(kUser, key, names));
  EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
  EXPECT_TRUE(Registry::EnumerateValues(kUser, key + "\\Alpha", names));
  EXPECT_TRUE(names.empty());
}

TEST_F(RegistryTest, RemoveValueNeedsTheValue) {
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Gone", "x", 1));
  ASSERT_TRUE(Registry::WriteStringValue(kUser, key, "Stays", "y", 1));
  EXPECT_TRUE(Registry::RemoveValue(kUser, key, "gone"));
  EXPECT_EQ(Text("Gone"), "<failed:>");
  EXPECT_EQ(Text("Stays"), "y");
  EXPECT_FALSE(Registry::RemoveValue(kUser, key, "Gone"));
  EXPECT_FALSE(Registry::RemoveValue(kUser, key + "\\Missing", "Stays"));
}

TEST_F(RegistryTest, RemoveKeyTakesOnlyAChildWithoutChildren) {
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key + "\\Parent\\Child", "x", 1));
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Own", 1));
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, "Parent"));
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, ""));
  EXPECT_FALSE(Registry::RemoveKey(kUser, key, "Missing"));
  EXPECT_TRUE(Registry::RemoveKey(kUser, key + "\\Parent", "Child"));
  std::vector<std::string> names;
  EXPECT_TRUE(Registry::EnumerateKeys(kUser, key + "\\Parent", names));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(Registry::RemoveKey(kUser, key, "parent"));
  EXPECT_FALSE(Registry::EnumerateKeys(kUser, key + "\\Parent", names));
  std::int32_t own = 0;
  EXPECT_TRUE(Registry::ReadNumberValue(kUser, key, "Own", own));
  EXPECT_EQ(own, 1);
}

TEST_F(RegistryTest, OtherRootsAreNotTheUsersStore) {
  ASSERT_TRUE(Registry::WriteNumberValue(kUser, key, "Only", 1));
  std::int32_t read = 0;
  EXPECT_FALSE(Registry::ReadNumberValue(0x7FFFFFFF, key, "Only", read));
  EXPECT_FALSE(Registry::WriteNumberValue(0x7FFFFFFF, key, "Only", 2));
}

}  // namespace
}  // namespace vellumark
