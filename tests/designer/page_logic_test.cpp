// The item pages' logic without windows: inputs and choice lists, filling
// and reading back, the order of a batched edit, and what lands in the
// form description.
#include "designer/property_pages/item_keys.h"
#include "designer/property_pages/item_list.h"
#include "designer/property_pages/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vellumark::controls::pages {
namespace {

ItemValues SamplePanel() {
  return {.text = "Folders: 12", .tag = "count", .toolTipText = "Top-level folders", .minWidth = 140, .alignment = 2,
          .autoSize = 1, .bevel = 0, .visible = false};
}

TEST(FillInputs, PanelTextsNumbersAsPositionsAndFlagsAsChecks) {
  EXPECT_EQ(FillInputs(PageKind::kPanels, SamplePanel()),
            (std::vector<InputValue>{{"Folders: 12"}, {"140"}, {"", 2}, {"", 1}, {"", 0}, {"", -1, false},
                                     {"Top-level folders"}, {"count"}}));
}

TEST(ReadInputs, RoundTripKeepsEveryProperty) {
  std::string error;
  for (PageKind kind : {PageKind::kPanels, PageKind::kSystemMenuItems, PageKind::kPopupMenuItems}) {
    const ItemValues item = SamplePanel();
    const auto read = ReadInputs(kind, FillInputs(kind, item), item, error);
    ASSERT_TRUE(read.has_value()) << error;
    EXPECT_EQ(*read, item);
  }
}

TEST(ReadInputs, EditsReachOnlyTheKindsOwnProperties) {
  const std::vector<InputValue> inputs{{"Export"}, {"", 1}, {"", -1, true}, {"", -1, false}, {"x"}};
  std::string error;
  ItemValues expected = SamplePanel();
  std::tie(expected.text, expected.style, expected.checked, expected.enabled, expected.tag) =
      std::tuple("Export", 1, true, false, "x");
  EXPECT_EQ(ReadInputs(PageKind::kPopupMenuItems, inputs, SamplePanel(), error), expected);
}

TEST(ReadInputs, MinWidthMustBeAWholeNumberInRange) {
  const std::pair<const char*, bool> cases[] = {{"1", true},   {" 250 ", true}, {"32767", true}, {"", false},
                                                {"0", false},  {"-5", false},   {"32768", false}, {"12px", false},
                                                {"1.5", false}, {"99999999999", false}};
  for (const auto& [text, accepted] : cases) {
    std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, SamplePanel());
    inputs[1].text = text;
    std::string error;
    EXPECT_EQ(ReadInputs(PageKind::kPanels, inputs, SamplePanel(), error).has_value(), accepted) << text;
    EXPECT_EQ(error, accepted ? "" : "MinWidth must be a whole number from 1 to 32767.") << text;
  }
}

TEST(ReadInputs, NoChoiceKeepsTheValue) {
  std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, SamplePanel());
  inputs[2].position = -1;
  inputs[4].position = 7;
  std::string error;
  const auto read = ReadInputs(PageKind::kPanels, inputs, SamplePanel(), error);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->alignment, 2);
  EXPECT_EQ(read->bevel, 0);
}

// Records what the edits do to a control, in order.
class RecordingItems final : public ItemList {
 public:
  explicit RecordingItems(int count, int maxCount = 100) : maxCount_(maxCount) {
    for (int i = 0; i < count; ++i) {
      ItemValues item;
      item.text = "item " + std::to_string(i);
      items_.push_back(item);
    }
  }
  PageKind Kind() const override { return PageKind::kPopupMenuItems; }
  int Count() const override { return static_cast<int>(items_.size()); }
  int MaxCount() const override { return maxCount_; }
  ItemValues Item(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
  void WriteItem(int index, const ItemValues& values) override {
    events.push_back("write " + std::to_string(index) + " " + values.text);
    items_.at(static_cast<std::size_t>(index)) = values;
  }
  void SetCount(int count) override {
    events.push_back("count " + std::to_string(count));
    items_.resize(static_cast<std::size_t>(count));
  }
  void SetPreventUpdate(bool value) override { events.push_back(value ? "prevent" : "allow"); }
  void ShowChange(int index) override { events.push_back("show " + std::to_string(index)); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ItemValues& item : items_) texts.push_back(item.text);
    return texts;
  }

  std::vector<std::string> events;

 private:
  std::vector<ItemValues> items_;
  int maxCount_;
};

using Events = std::vector<std::string>;

TEST(ApplyItem, WritesBetweenPreventUpdateThenShowsTheEditedItem) {
  RecordingItems items(3);
  ItemValues edited;
  edited.text = "Clean";
  EXPECT_TRUE(ApplyItem(items, 1, edited));
  EXPECT_EQ(items.events, (Events{"prevent", "write 1 Clean", "allow", "show 1"}));
  EXPECT_FALSE(ApplyItem(items, 3, edited));
  EXPECT_FALSE(ApplyItem(items, -1, edited));
  EXPECT_EQ(items.events.size(), 4u);
}

TEST(InsertItem, NewDefaultItemAfterTheShownOneAndTheRestMoveUp) {
  RecordingItems items(3);
  EXPECT_EQ(InsertItem(items, 0), 1);
  EXPECT_EQ(items.Texts(), (Events{"item 0", "", "item 1", "item 2"}));
  EXPECT_EQ(items.events, (Events{"prevent", "count 4", "write 1 ", "write 2 item 1", "write 3 item 2", "allow",
                                  "show -1"}));
  RecordingItems empty(0);
  EXPECT_EQ(InsertItem(empty, -1), 0);
  EXPECT_EQ(empty.Count(), 1);
  RecordingItems last(2);
  EXPECT_EQ(InsertItem(last, 1), 2);
  EXPECT_EQ(last.Texts(), (Events{"item 0", "item 1", ""}));
}

TEST(InsertItem, RefusedAtTheControlsLargestCount) {
  RecordingItems items(2, 2);
  EXPECT_EQ(InsertItem(items, 0), -1);
  EXPECT_TRUE(items.events.empty());
}

TEST(RemoveItem, LaterItemsMoveDownAndTheCountShrinks) {
  RecordingItems items(4);
  EXPECT_TRUE(RemoveItem(items, 1));
  EXPECT_EQ(items.Texts(), (Events{"item 0", "item 2", "item 3"}));
  EXPECT_EQ(items.events,
            (Events{"prevent", "write 1 item 2", "write 2 item 3", "count 3", "allow", "show -1"}));
  EXPECT_TRUE(RemoveItem(items, 2));
  EXPECT_EQ(items.Texts(), (Events{"item 0", "item 2"}));
  EXPECT_FALSE(RemoveItem(items, 2));
  RecordingItems one(1);
  EXPECT_TRUE(RemoveItem(one, 0));
  EXPECT_EQ(one.Count(), 0);
}

std::string TextOf(const PropertyStore& store) {
  FormDescription form;
  form.Control("C") = store;
  return form.ToText();
}

PropertyStore Parsed(std::string_view text) {
  auto form = FormDescription::Parse(text);
  EXPECT_TRUE(form.has_value());
  return form ? form->Control("C") : PropertyStore{};
}

TEST(StoreItems, ChangedValuesOnlyAndExistingKeysInPlace) {
  PropertyStore store = Parsed(
      "[C]\nLeft = 0\nCount = 2\nPanelAutoSize(0) = 2\nPanelMinWidth(0) = 120\nPanelAutoSize(1) = 1\n");
  std::vector<ItemValues> panels(2);
  std::tie(panels[0].text, panels[0].minWidth, panels[0].autoSize) = std::tuple("Folders: 3", 80, 2);
  panels[1].autoSize = 0;  // back to the default: the key stays, with 0
  panels[1].visible = false;
  StoreItems(PageKind::kPanels, panels, store);
  EXPECT_EQ(TextOf(store), TextOf(Parsed("[C]\nLeft = 0\nCount = 2\nPanelAutoSize(0) = 2\nPanelMinWidth(0) = 80\n"
                                         "PanelAutoSize(1) = 0\nPanelText(0) = \"Folders: 3\"\n"
                                         "PanelVisible(1) = False\n")));
}

TEST(StoreItems, KeysOfRemovedItemsAreDropped) {
  PropertyStore store = Parsed(
      "[C]\nCount = 3\nPopupMenuItemText(0) = \"Check\"\nText = \"&Process\"\nPopupMenuItemText(1) = \"Clean\"\n"
      "PopupMenuItemStyle(2) = 1\nPopupMenuItemText(2) = \"Convert\"\nPanelText(2) = \"other kind\"\n");
  std::vector<ItemValues> entries(1);
  entries[0].text = "Check";
  StoreItems(PageKind::kPopupMenuItems, entries, store);
  EXPECT_EQ(TextOf(store), TextOf(Parsed("[C]\nCount = 1\nPopupMenuItemText(0) = \"Check\"\nText = \"&Process\"\n"
                                         "PanelText(2) = \"other kind\"\n")));
}

TEST(StoreItems, NoItemsWritesCountOnlyWhenItWasThere) {
  PropertyStore fresh = Parsed("[C]\nLeft = 4\n");
  StoreItems(PageKind::kSystemMenuItems, std::vector<ItemValues>{}, fresh);
  EXPECT_FALSE(fresh.Contains("Count"));
  PropertyStore emptied = Parsed("[C]\nCount = 2\nSystemMenuItemStyle(0) = 1\nSystemMenuItemText(1) = \"&About\"\n");
  StoreItems(PageKind::kSystemMenuItems, std::vector<ItemValues>{}, emptied);
  EXPECT_EQ(TextOf(emptied), TextOf(Parsed("[C]\nCount = 0\n")));
}

TEST(StoreItems, ReadBackByTheControlsKeys) {
  PropertyStore store;
  std::vector<ItemValues> entries(2);
  entries[0].style = 1;
  std::tie(entries[1].text, entries[1].tag, entries[1].checked, entries[1].enabled) =
      std::tuple("&About \"Vellumark\"...", "line\nbreak", true, false);
  StoreItems(PageKind::kSystemMenuItems, entries, store);
  const PropertyStore reread = Parsed(TextOf(store));
  EXPECT_EQ(reread.ReadNumber("Count", 0), 2);
  EXPECT_EQ(reread.ReadNumber("SystemMenuItemStyle(0)", 0), 1);
  EXPECT_EQ(reread.ReadText("SystemMenuItemText(1)", ""), "&About \"Vellumark\"...");
  EXPECT_TRUE(reread.ReadBool("SystemMenuItemChecked(1)", false));
  EXPECT_FALSE(reread.ReadBool("SystemMenuItemEnabled(1)", true));
  EXPECT_EQ(reread.ReadText("SystemMenuItemTag(1)", ""), "line\nbreak");
  EXPECT_FALSE(reread.Contains("SystemMenuItemText(0)"));
}

}  // namespace
}  // namespace vellumark::controls::pages
