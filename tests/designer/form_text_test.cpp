// Saving an edited form description over its hand-kept text.
#include "designer/property_pages/form_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumark::controls::pages {
namespace {

constexpr std::string_view kOriginal =
    "# The main window. Sizes in 96-DPI units.\n"
    "[FormMain]\n"
    "Caption = \"Main\"\n"
    "\n"
    "[StatusBarMain]\n"
    "  Left=0\n"
    "Count = 2\n"
    "PanelAutoSize(0) = 2\n"
    "PanelText(1) = \"old\"   \n"
    "BackColor = 0x8000000F\n"
    "# panels end here\n"
    "\n"
    "[ButtonMain]\n"
    "Text = \"&Go\"\n";

FormDescription Parsed(std::string_view text) {
  std::string error;
  auto form = FormDescription::Parse(text, &error);
  EXPECT_TRUE(form.has_value()) << error;
  return form.value_or(FormDescription{});
}

TEST(RewriteFormText, UnchangedDescriptionGivesTheSameBytes) {
  for (const std::string_view text : {kOriginal, std::string_view("[A]\r\nX = 1\r\n\r\n# note\r\n[B]\r\nY = \"y\"\r\n"),
                                      std::string_view("\xEF\xBB\xBF[A]\nX = 1\n")})
    EXPECT_EQ(RewriteFormText(text, Parsed(text)), text);
}

TEST(RewriteFormText, ChangedValuesInPlaceNewKeysAfterTheLastPropertyDroppedKeysGone) {
  FormDescription edited = Parsed(kOriginal);
  // Count changed, PanelText(1) dropped, PanelText(0) added.
  edited.Control("StatusBarMain") = *Parsed("[S]\nLeft = 0\nCount = 1\nPanelAutoSize(0) = 2\nBackColor = 0x8000000F\n"
                                            "PanelText(0) = \"Folders: \\\"3\\\"\"\n")
                                         .Find("S");
  EXPECT_EQ(RewriteFormText(kOriginal, edited),
            "# The main window. Sizes in 96-DPI units.\n"
            "[FormMain]\n"
            "Caption = \"Main\"\n"
            "\n"
            "[StatusBarMain]\n"
            "  Left=0\n"
            "Count = 1\n"
            "PanelAutoSize(0) = 2\n"
            "BackColor = 0x8000000F\n"
            "PanelText(0) = \"Folders: \\\"3\\\"\"\n"
            "# panels end here\n"
            "\n"
            "[ButtonMain]\n"
            "Text = \"&Go\"\n");
}

TEST(RewriteFormText, NewControlsAtTheEndMissingOnesDroppedAndTheResultReadsBackAsEdited) {
  FormDescription edited;
  edited.Control("FormMain") = *Parsed(kOriginal).Find("FormMain");
  edited.Control("FormMain").WriteBool("Visible", false);
  edited.Control("ButtonMain") = *Parsed(kOriginal).Find("ButtonMain");
  edited.Control("SystemMenuMain").WriteText("SystemMenuItemText(1)", "&About...");
  const std::string text = RewriteFormText(kOriginal, edited);
  EXPECT_TRUE(text.ends_with("Text = \"&Go\"\n\n[SystemMenuMain]\nSystemMenuItemText(1) = \"&About...\"\n")) << text;
  EXPECT_EQ(text.find("StatusBarMain"), std::string::npos) << text;
  EXPECT_EQ(Parsed(text).ToText(), edited.ToText());
}

}  // namespace
}  // namespace vellumark::controls::pages
