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

// Refused options store nothing; accepted ones are stored with the set's own name.
TEST_F(GenerateOptionsTest, TheIntervalIsCheckedBeforeTheTemplate) {
  ConfirmedOptions confirmed;
  const std::pair<GenerateOptions, std::string_view> refused[] = {
      {{"1001", "u", "Missing"}, kInvalidInterval}, {{"", "u", "Plain"}, kInvalidInterval},
      {{"5", "u", std::nullopt}, kSelectTemplate},  {{"5", "u", "Broken"}, kSelectTemplate},
      {{"5", "u", "Missing"}, kSelectTemplate}};
  for (const auto& [options, message] : refused) EXPECT_EQ(CheckGenerateOptions(options, templates_, confirmed), message);
  EXPECT_EQ(settings_.Interval(), 3);
  EXPECT_EQ(settings_.Updated(), "before");
  ASSERT_EQ(CheckGenerateOptions({"1000", "", "pLAIN"}, templates_, confirmed), "");
  StoreGenerateOptions(confirmed, settings_);
  EXPECT_EQ(settings_.Interval(), 1000);
  EXPECT_EQ(settings_.Template(), "Plain");
  EXPECT_EQ(settings_.Updated(), "");
  EXPECT_EQ(FindTemplate(templates_, "broken"), std::nullopt);
}

}  // namespace
}  // namespace vellumark::testing
