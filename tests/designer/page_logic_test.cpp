// The item pages' logic without windows: inputs and choice lists, filling
// and reading back, the order of a batched edit, and what lands in the
// form description.
#include "designer/property_pages/item_keys.h"
#include "designer/property_pages/item_list.h"
#include "designer/property_pages/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumark::controls::pages {
namespace {

std::vector<std::string> NamesAndLabels(PageKind kind) {
  std::vector<std::string> out;
  for (const InputDefinition& input : PageInputs(kind)) out.push_back(std::string(input.name) + " " + std::string(input.label));
  return out;
}

TEST(PageInputs, NamesAndLabelsInLayoutOrder) {
  EXPECT_EQ(NamesAndLabels(PageKind::kPanels),
            (std::vector<std::string>{"TextText Text:", "TextMinwidth MinWidth:", "ComboAlignment Alignment:",
                                      "ComboAutosize AutoSize:", "ComboBevel Bevel:", "CheckVisible Visible:",
                                      "TextTooltiptext ToolTipText:", "TextTag Tag:"}));
  const std::vector<std::string> menu{"TextText Text:", "ComboStyle Style:", "CheckChecked Checked:",
                                      "CheckEnabled Enabled:", "TextTag Tag:"};
  EXPECT_EQ(NamesAndLabels(PageKind::kSystemMenuItems), menu);
  EXPECT_EQ(NamesAndLabels(PageKind::kPopupMenuItems), menu);
  EXPECT_EQ(PageName(PageKind::kPanels), "Panels");
  EXPECT_EQ(PageName(PageKind::kSystemMenuItems), "SystemMenuItems");
  EXPECT_EQ(PageName(PageKind::kPopupMenuItems), "PopupMenuItems");
}

TEST(PageInputs, ChoiceListsNumberEveryEntryByItsPosition) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ChoiceList(PageKind::kPanels, Field::kAlignment), (V{"0 - sbrLeft", "1 - sbrCenter", "2 - sbrRight"}));
  EXPECT_EQ(ChoiceList(PageKind::kPanels, Field::kAutoSize),
            (V{"0 - sbrNoAutoSize", "1 - sbrSpring", "2 - sbrContents"}));
  EXPECT_EQ(ChoiceList(PageKind::kPanels, Field::kBevel), (V{"0 - sbrNoBevel", "1 - sbrInset", "2 - sbrRaised"}));
  EXPECT_EQ(ChoiceList(PageKind::kSystemMenuItems, Field::kStyle), (V{"0 - smDefault", "1 - smSeparator"}));
  EXPECT_EQ(ChoiceList(PageKind::kPopupMenuItems, Field::kStyle), (V{"0 - pmDefault", "1 - pmSeparator"}));
  EXPECT_TRUE(ChoiceList(PageKind::kPanels, Field::kText).empty());
}

TEST(PageInputs, OnlyAControlWithItemsHasUsableInputs) {
  EXPECT_FALSE(InputsEnabled(0));
  EXPECT_TRUE(InputsEnabled(1));
  EXPECT_EQ(ScrollMaximum(0), 0);
  EXPECT_EQ(ScrollMaximum(1), 0);
  EXPECT_EQ(ScrollMaximum(5), 4);
  EXPECT_EQ(kDisabledInputColor, 0x80000000u);
}

ItemValues SamplePanel() {
  ItemValues panel;
  panel.text = "Folders: 12";
  panel.minWidth = 140;
  panel.alignment = 2;
  panel.autoSize = 1;
  panel.bevel = 0;
  panel.visible = false;
  panel.toolTipText = "Top-level folders";
  panel.tag = "count";
  return panel;
}

TEST(FillInputs, PanelTextsNumbersAsPositionsAndFlagsAsChecks) {
  const std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, SamplePanel());
  ASSERT_EQ(inputs.size(), 8u);
  EXPECT_EQ(inputs[0].text, "Folders: 12");
  EXPECT_EQ(inputs[1].text, "140");
  EXPECT_EQ(inputs[2].position, 2);
  EXPECT_EQ(inputs[3].position, 1);
  EXPECT_EQ(inputs[4].position, 0);
  EXPECT_FALSE(inputs[5].checked);
  EXPECT_EQ(inputs[6].text, "Top-level folders");
  EXPECT_EQ(inputs[7].text, "count");
}

TEST(FillInputs, MenuEntry) {
  ItemValues entry;
  entry.text = "&About Vellumark...";
  entry.style = 1;
  entry.checked = true;
  entry.enabled = false;
  entry.tag = "about";
  const std::vector<InputValue> inputs = FillInputs(PageKind::kSystemMenuItems, entry);
  ASSERT_EQ(inputs.size(), 5u);
  EXPECT_EQ(inputs[0].text, "&About Vellumark...");
  EXPECT_EQ(inputs[1].position, 1);
  EXPECT_TRUE(inputs[2].checked);
  EXPECT_FALSE(inputs[3].checked);
  EXPECT_EQ(inputs[4].text, "about");
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
  std::vector<InputValue> inputs = FillInputs(PageKind::kPopupMenuItems, ItemValues{});
  inputs[0].text = "Export";
  inputs[1].position = 1;
  inputs[2].checked = true;
  inputs[3].checked = false;
  inputs[4].text = "x";
  std::string error;
  const auto read = ReadInputs(PageKind::kPopupMenuItems, inputs, SamplePanel(), error);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "Export");
  EXPECT_EQ(read->style, 1);
  EXPECT_TRUE(read->checked);
  EXPECT_FALSE(read->enabled);
  EXPECT_EQ(read->tag, "x");
  EXPECT_EQ(read->minWidth, 140);  // not on this page: unchanged
  EXPECT_EQ(read->toolTipText, "Top-level folders");
}

TEST(ReadInputs, MinWidthMustBeAWholeNumberInRange) {
  const ItemValues item = SamplePanel();
  for (const char* accepted : {"1", " 250 ", "32767"}) {
    std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, item);
    inputs[1].text = accepted;
    std::string error;
    EXPECT_TRUE(ReadInputs(PageKind::kPanels, inputs, item, error).has_value()) << accepted;
  }
  for (const char* refused : {"", "0", "-5", "32768", "12px", "1.5", "99999999999"}) {
    std::vector<InputValue> inputs = FillInputs(PageKind::kPanels, item);
    inputs[1].text = refused;
    std::string error;
    EXPECT_FALSE(ReadInputs(PageKind::kPanels, inputs, item, error).has_value()) << refused;
    EXPECT_EQ(error, "MinWidth must be a whole number from 1 to 32767.");
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
  panels[0].autoSize = 2;
  panels[0].minWidth = 80;
  panels[0].text = "Folders: 3";
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
  entries[1].text = "&About \"Vellumark\"...";
  entries[1].checked = true;
  entries[1].enabled = false;
  entries[1].tag = "line\nbreak";
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
