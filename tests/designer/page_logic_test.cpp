// The item pages' logic without windows: filling inputs and reading them
// back, the order of a batched edit, and what lands in the form description.
#include "designer/property_pages/item_keys.h"
#include "designer/property_pages/item_list.h"
#include "designer/property_pages/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vellumark::controls::pages {
namespace {

using Texts = std::vector<std::string>;

ItemValues SamplePanel() {
  return {.text = "Folders: 12", .tag = "count", .toolTipText = "Top-level folders", .minWidth = 140, .alignment = 2,
          .autoSize = 1, .bevel = 0, .visible = false};
}

ItemValues Entry(std::string text, int style = 0, bool checked = false) {
  ItemValues item;
  std::tie(item.text, item.style, item.checked) = std::tuple(std::move(text), style, checked);
  return item;
}

TEST(PageInputs, FilledInputsReadBackAsTheItemAndEditsReachOnlyTheKindsProperties) {
  EXPECT_EQ(FillInputs(PageKind::kPanels, SamplePanel()),
            (std::vector<InputValue>{{"Folders: 12"}, {"140"}, {"", 2}, {"", 1}, {"", 0}, {"", -1, false},
                                     {"Top-level folders"}, {"count"}}));
  std::string error;
  for (PageKind kind : {PageKind::kPanels, PageKind::kSystemMenuItems, PageKind::kPopupMenuItems})
    EXPECT_EQ(ReadInputs(kind, FillInputs(kind, SamplePanel()), SamplePanel(), error), SamplePanel());
  ItemValues expected = SamplePanel();
  std::tie(expected.text, expected.style, expected.checked, expected.enabled, expected.tag) =
      std::tuple("Export", 1, true, false, "x");
  const std::vector<InputValue> edits{{"Export"}, {"", 1}, {"", -1, true}, {"", -1, false}, {"x"}};
  EXPECT_EQ(ReadInputs(PageKind::kPopupMenuItems, edits, SamplePanel(), error), expected);
  // No choice, or one beyond the list, keeps the value.
  std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, SamplePanel());
  inputs[2].position = -1;
  inputs[4].position = 7;
  EXPECT_EQ(ReadInputs(PageKind::kPanels, inputs, SamplePanel(), error), SamplePanel());
}

TEST(PageInputs, MinWidthMustBeAWholeNumberInRange) {
  const std::pair<const char*, bool> cases[] = {{" 250 ", true}, {"32767", true}, {"", false},  {"0", false},
                                                {"32768", false}, {"12px", false}, {"1.5", false}, {"99999999999", false}};
  for (const auto& [text, accepted] : cases) {
    std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, SamplePanel());
    inputs[1].text = text;
    std::string error;
    EXPECT_EQ(ReadInputs(PageKind::kPanels, inputs, SamplePanel(), error).has_value(), accepted) << text;
    EXPECT_EQ(error, accepted ? "" : "MinWidth must be a whole number from 1 to 32767.") << text;
  }
}

// Records what the edits do to a control, in order.
struct RecordingItems final : ItemList {
  explicit RecordingItems(int count, int maxCount = 100) : maxCount(maxCount) {
    for (int i = 0; i < count; ++i) items.push_back(Entry("item " + std::to_string(i)));
  }
  PageKind Kind() const override { return PageKind::kPopupMenuItems; }
  int Count() const override { return static_cast<int>(items.size()); }
  int MaxCount() const override { return maxCount; }
  ItemValues Item(int index) const override { return items.at(static_cast<std::size_t>(index)); }
  void WriteItem(int index, const ItemValues& values) override {
    events.push_back("write " + std::to_string(index) + " " + values.text);
    items.at(static_cast<std::size_t>(index)) = values;
  }
  void SetCount(int count) override {
    events.push_back("count " + std::to_string(count));
    items.resize(static_cast<std::size_t>(count));
  }
  void SetPreventUpdate(bool value) override { events.push_back(value ? "prevent" : "allow"); }
  void ShowChange(int index) override { events.push_back("show " + std::to_string(index)); }

  int maxCount;
  std::vector<ItemValues> items;
  Texts events;
};

TEST(ItemEdits, WrittenBetweenPreventUpdateAndAllowThenShown) {
  RecordingItems applied(3);
  EXPECT_TRUE(ApplyItem(applied, 1, Entry("Clean")));
  EXPECT_FALSE(ApplyItem(applied, 3, {}));
  EXPECT_FALSE(ApplyItem(applied, -1, {}));
  EXPECT_EQ(applied.events, (Texts{"prevent", "write 1 Clean", "allow", "show 1"}));

  RecordingItems inserted(3);
  EXPECT_EQ(InsertItem(inserted, 0), 1);
  EXPECT_EQ(inserted.events,
            (Texts{"prevent", "count 4", "write 1 ", "write 2 item 1", "write 3 item 2", "allow", "show -1"}));
  RecordingItems empty(0), full(2, 2);
  EXPECT_EQ(InsertItem(empty, -1), 0);
  EXPECT_EQ(empty.Count(), 1);
  EXPECT_EQ(InsertItem(full, 0), -1);
  EXPECT_TRUE(full.events.empty());

  RecordingItems removed(4);
  EXPECT_TRUE(RemoveItem(removed, 1));
  EXPECT_TRUE(RemoveItem(removed, 2));
  EXPECT_FALSE(RemoveItem(removed, 2));
  EXPECT_EQ(removed.events, (Texts{"prevent", "write 1 item 2", "write 2 item 3", "count 3", "allow", "show -1",
                                   "prevent", "count 2", "allow", "show -1"}));
}

std::string Stored(PageKind kind, std::string_view before, const std::vector<ItemValues>& items) {
  auto form = FormDescription::Parse(before);
  EXPECT_TRUE(form.has_value()) << before;
  if (!form) return "";
  StoreItems(kind, items, form->Control("C"));
  return form->ToText();
}

TEST(StoreItems, ChangedValuesInPlaceNewKeysAfterAndKeysOfRemovedItemsDropped) {
  std::vector<ItemValues> panels(2);
  std::tie(panels[0].text, panels[0].minWidth, panels[0].autoSize) = std::tuple("Folders: 3", 80, 2);
  panels[1].visible = false;  // autoSize back to the default: the key stays, with 0
  const struct {
    PageKind kind;
    const char* before;
    std::vector<ItemValues> items;
    const char* after;
  } cases[] = {
      {PageKind::kPanels, "[C]\nLeft = 0\nCount = 2\nPanelAutoSize(0) = 2\nPanelMinWidth(0) = 120\nPanelAutoSize(1) = 1\n",
       panels,
       "[C]\nLeft = 0\nCount = 2\nPanelAutoSize(0) = 2\nPanelMinWidth(0) = 80\nPanelAutoSize(1) = 0\n"
       "PanelText(0) = \"Folders: 3\"\nPanelVisible(1) = False\n"},
      {PageKind::kPopupMenuItems,
       "[C]\nCount = 3\nPopupMenuItemText(0) = \"Check\"\nText = \"&Process\"\nPopupMenuItemText(1) = \"Clean\"\n"
       "PopupMenuItemStyle(2) = 1\nPanelText(2) = \"other kind\"\n",
       {Entry("Check")},
       "[C]\nCount = 1\nPopupMenuItemText(0) = \"Check\"\nText = \"&Process\"\nPanelText(2) = \"other kind\"\n"},
      {PageKind::kSystemMenuItems, "[C]\nLeft = 4\n", {}, "[C]\nLeft = 4\n"},
      {PageKind::kSystemMenuItems, "[C]\nCount = 2\nSystemMenuItemStyle(0) = 1\nSystemMenuItemText(1) = \"&About\"\n",
       {}, "[C]\nCount = 0\n"},
      {PageKind::kSystemMenuItems, "[C]\n", {Entry("", 1), Entry("&About", 0, true)},
       "[C]\nCount = 2\nSystemMenuItemStyle(0) = 1\nSystemMenuItemChecked(1) = True\nSystemMenuItemText(1) = \"&About\"\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Stored(c.kind, c.before, c.items), c.after) << c.before;
}

}  // namespace
}  // namespace vellumark::controls::pages
