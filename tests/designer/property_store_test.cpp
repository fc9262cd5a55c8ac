// The form description's text form: parsing, errors, reading and writing.
// Portable, so it runs in both builds.
#include "controls/property_store.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vellumark::controls {
namespace {

TEST(FormDescriptionParse, ReadsControlsKeysAndEveryKindOfValue) {
  std::string error;
  const auto form = FormDescription::Parse(
      "\xEF\xBB\xBF# header\r\n"
      "[StatusBarMain]\r\n"
      "Count = 2\r\n"
      "  PanelText(0)=\"Folders: \\\"12\\\"\\tand \\\\ more\"  \r\n"
      "ShowTips = true\n"
      "\n"
      "[DropDownButtonProcess]\n"
      "BackColor = 0x8000000F\n"
      "Min = -2147483648\n"
      "Enabled = FALSE\n",
      &error);
  ASSERT_TRUE(form) << error;
  EXPECT_EQ(form->Names(), (std::vector<std::string>{"StatusBarMain", "DropDownButtonProcess"}));
  const PropertyStore& bar = *form->Find("StatusBarMain");
  const PropertyStore& button = *form->Find("DropDownButtonProcess");
  EXPECT_EQ(std::tuple(bar.ReadNumber("Count", 0), bar.ReadText(ItemKey("PanelText", 0), ""), bar.ReadBool("ShowTips", false),
                       button.ReadColor("BackColor", 0), button.ReadNumber("Min", 0), button.ReadBool("Enabled", true)),
            std::tuple(2, "Folders: \"12\"\tand \\ more", true, 0x8000000Fu, INT32_MIN, false));
  EXPECT_EQ(form->Find("Missing"), nullptr);
}

TEST(FormDescriptionParse, ReportsTheFirstMalformedLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"Count = 1\n", "line 1: property before the first [control] line"},
      {"[A]\nCount 1\n", "line 2: missing '='"},
      {"[A]\n\nText = \"open\n", "line 3: bad value"},
      {"[A]\nText = \"bad \\q escape\"\n", "line 2: bad value"},
      {"[A]\nCount = 0x100000000\n", "line 2: bad value"},
      {"[A]\nCount = 12abc\n", "line 2: bad value"},
      {"[A]\nCount = 1\nCount = 2\n", "line 3: key given twice"},
      {"[A]\n[A]\n", "line 2: control named twice"},
      {"[A B]\n", "line 1: bad control name"},
      {"[A]\n = 1\n", "line 2: bad key"},
  };
  for (const auto& [text, expected] : cases) {
    std::string error;
    EXPECT_FALSE(FormDescription::Parse(text, &error)) << text;
    EXPECT_EQ(error, expected) << text;
  }
}

TEST(PropertyStore, ReadsGiveTheDefaultForMissingKeysAndOtherKinds) {
  PropertyStore store;
  store.WriteText("Text", "12");
  store.WriteNumber("Big", 0xFFFFFFFFLL);
  store.WriteBool("Flag", true);
  EXPECT_EQ(std::tuple(store.ReadNumber("Text", 7), store.ReadText("Flag", "d"), store.ReadBool("Big", false),
                       store.ReadNumber("Big", 5), store.ReadColor("Big", 5), store.ReadText("Missing", "x")),
            std::tuple(7, "d", false, 5, 0xFFFFFFFFu, "x"));  // Big is beyond 32-bit signed
}

TEST(PropertyStoreWrite, ReplacesInPlaceAndRoundTripsThroughText) {
  FormDescription form;
  PropertyStore& store = form.Control("InfoFrameMain");
  store.WriteColor("BackColor", 0x796150);
  store.WriteText("Text", "Line \"one\"\nTab\there \\ end");
  store.WriteNumber("Value", -5);
  store.WriteBool("Enabled", true);
  store.WriteColor("BackColor", 0x8000000D);
  form.Control("Other").WriteText("Empty", "");
  EXPECT_EQ(form.ToText(),
            "[InfoFrameMain]\n"
            "BackColor = 0x8000000D\n"
            "Text = \"Line \\\"one\\\"\\nTab\\there \\\\ end\"\n"
            "Value = -5\n"
            "Enabled = True\n"
            "\n"
            "[Other]\n"
            "Empty = \"\"\n");
  const auto again = FormDescription::Parse(form.ToText());
  ASSERT_TRUE(again);
  EXPECT_EQ(again->ToText(), form.ToText());
  EXPECT_EQ(again->Find("InfoFrameMain")->ReadText("Text", ""), "Line \"one\"\nTab\there \\ end");
}

}  // namespace
}  // namespace vellumark::controls
