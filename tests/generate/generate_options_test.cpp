// The Generate options' rules: what counts as an interval, which set is
// found, the order of the checks and what is stored.
#include "generate/generate_options.h"
#include "tests/generate/site_fixture.h"

#include <gtest/gtest.h>

namespace vellumark::testing {
namespace {

TEST(GenerateInterval, AcceptsWholeDaysFromZeroToOneThousand) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"0", 0},   {"7", 7},    {"0007", 7}, {"1000", 1000}, {"", {}},      {"1001", {}}, {"-1", {}},
      {"1.5", {}}, {" 7", {}}, {"7 ", {}},  {"+7", {}},     {"seven", {}}, {"99999999999999999999", {}}};
  for (const auto& [text, days] : cases) EXPECT_EQ(ParseInterval(text), days) << text;
}

class GenerateOptionsTest : public SiteFixture {
 protected:
  GenerateOptionsTest() {
    std::map<std::string, std::string> set;
    for (std::string_view file : Templates::kFiles) set[std::string(file)] = "x";
    WriteSet("Plain", set);
    set.erase("index.html");
    WriteSet("Broken", set);
    settings_.SetInterval(3);
    settings_.SetTemplate("Plain");
    settings_.SetUpdated("before");
  }
};

TEST_F(GenerateOptionsTest, TheIntervalIsCheckedBeforeTheTemplate) {
  ConfirmedOptions confirmed;
  EXPECT_EQ(CheckGenerateOptions({"1001", "u", "Missing"}, templates_, confirmed), kInvalidInterval);
  EXPECT_EQ(CheckGenerateOptions({"", "u", "Plain"}, templates_, confirmed), kInvalidInterval);
  EXPECT_EQ(CheckGenerateOptions({"5", "u", std::nullopt}, templates_, confirmed), kSelectTemplate);
  EXPECT_EQ(CheckGenerateOptions({"5", "u", "Broken"}, templates_, confirmed), kSelectTemplate);
  EXPECT_EQ(CheckGenerateOptions({"5", "u", "Missing"}, templates_, confirmed), kSelectTemplate);
  EXPECT_EQ(settings_.Interval(), 3);
  EXPECT_EQ(settings_.Updated(), "before");
}

TEST_F(GenerateOptionsTest, ConfirmedOptionsAreStoredWithTheSetsOwnName) {
  ConfirmedOptions confirmed;
  ASSERT_EQ(CheckGenerateOptions({"1000", "", "pLAIN"}, templates_, confirmed), "");
  EXPECT_EQ(confirmed.templateName, "Plain");
  StoreGenerateOptions(confirmed, settings_);
  EXPECT_EQ(settings_.Interval(), 1000);
  EXPECT_EQ(settings_.Template(), "Plain");
  EXPECT_EQ(settings_.Updated(), "");
  EXPECT_EQ(FindTemplate(templates_, "broken"), std::nullopt);
}

}  // namespace
}  // namespace vellumark::testing
