#include "designer/property_pages/page_model.h"

#include "support/ascii.h"

#include <array>
#include <charconv>

namespace vellumark::controls::pages {
namespace {

constexpr std::array kPanelInputs{
    InputDefinition{"TextText", "Text:", InputKind::kText, Field::kText},
    InputDefinition{"TextMinwidth", "MinWidth:", InputKind::kText, Field::kMinWidth},
    InputDefinition{"ComboAlignment", "Alignment:", InputKind::kCombo, Field::kAlignment},
    InputDefinition{"ComboAutosize", "AutoSize:", InputKind::kCombo, Field::kAutoSize},
    InputDefinition{"ComboBevel", "Bevel:", InputKind::kCombo, Field::kBevel},
    InputDefinition{"CheckVisible", "Visible:", InputKind::kCheck, Field::kVisible},
    InputDefinition{"TextTooltiptext", "ToolTipText:", InputKind::kText, Field::kToolTipText},
    InputDefinition{"TextTag", "Tag:", InputKind::kText, Field::kTag},
};

constexpr std::array kMenuInputs{
    InputDefinition{"TextText", "Text:", InputKind::kText, Field::kText},
    InputDefinition{"ComboStyle", "Style:", InputKind::kCombo, Field::kStyle},
    InputDefinition{"CheckChecked", "Checked:", InputKind::kCheck, Field::kChecked},
    InputDefinition{"CheckEnabled", "Enabled:", InputKind::kCheck, Field::kEnabled},
    InputDefinition{"TextTag", "Tag:", InputKind::kText, Field::kTag},
};

constexpr int kMaxMinWidth = 32767;

std::vector<std::string> Numbered(std::initializer_list<std::string_view> suffixes) {
  std::vector<std::string> entries;
  for (std::string_view suffix : suffixes) {
    entries.push_back(std::to_string(entries.size()) + std::string(suffix));
  }
  return entries;
}

std::string_view Trimmed(std::string_view text) { return ascii::Trimmed(text, " \t"); }

std::optional<int> ParseMinWidth(std::string_view text) {
  text = Trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kMaxMinWidth) return std::nullopt;
  return value;
}

// The property a text box edits.
std::string* TextOf(ItemValues& item, Field field) {
  switch (field) {
    case Field::kText: return &item.text;
    case Field::kToolTipText: return &item.toolTipText;
    case Field::kTag: return &item.tag;
    default: return nullptr;
  }
}

// The property a combo box edits.
int* NumberOf(ItemValues& item, Field field) {
  switch (field) {
    case Field::kAlignment: return &item.alignment;
    case Field::kAutoSize: return &item.autoSize;
    case Field::kBevel: return &item.bevel;
    case Field::kStyle: return &item.style;
    default: return nullptr;
  }
}

// The property a check box edits.
bool* FlagOf(ItemValues& item, Field field) {
  switch (field) {
    case Field::kVisible: return &item.visible;
    case Field::kChecked: return &item.checked;
    case Field::kEnabled: return &item.enabled;
    default: return nullptr;
  }
}

}  // namespace

std::string_view PageName(PageKind kind) {
  switch (kind) {
    case PageKind::kPanels: return "Panels";
    case PageKind::kSystemMenuItems: return "SystemMenuItems";
    case PageKind::kPopupMenuItems: return "PopupMenuItems";
  }
  return {};
}

std::span<const InputDefinition> PageInputs(PageKind kind) {
  if (kind == PageKind::kPanels) return kPanelInputs;
  return kMenuInputs;
}

std::vector<std::string> ChoiceList(PageKind kind, Field field) {
  switch (field) {
    case Field::kAlignment: return Numbered({" - sbrLeft", " - sbrCenter", " - sbrRight"});
    case Field::kAutoSize: return Numbered({" - sbrNoAutoSize", " - sbrSpring", " - sbrContents"});
    case Field::kBevel: return Numbered({" - sbrNoBevel", " - sbrInset", " - sbrRaised"});
    case Field::kStyle:
      if (kind == PageKind::kSystemMenuItems) return Numbered({" - smDefault", " - smSeparator"});
      if (kind == PageKind::kPopupMenuItems) return Numbered({" - pmDefault", " - pmSeparator"});
      return {};
    default: return {};
  }
}

std::vector<InputValue> FillInputs(PageKind kind, const ItemValues& item) {
  ItemValues source = item;
  std::vector<InputValue> values;
  for (const InputDefinition& input : PageInputs(kind)) {
    InputValue value;
    if (input.field == Field::kMinWidth) {
      value.text = std::to_string(source.minWidth);
    } else if (std::string* text = TextOf(source, input.field)) {
      value.text = *text;
    } else if (int* number = NumberOf(source, input.field)) {
      const int entries = static_cast<int>(ChoiceList(kind, input.field).size());
      value.position = *number >= 0 && *number < entries ? *number : -1;
    } else if (bool* flag = FlagOf(source, input.field)) {
      value.checked = *flag;
    }
    values.push_back(std::move(value));
  }
  return values;
}

std::optional<ItemValues> ReadInputs(PageKind kind, std::span<const InputValue> inputs, const ItemValues& item,
                                     std::string& error) {
  const std::span<const InputDefinition> definitions = PageInputs(kind);
  if (inputs.size() != definitions.size()) {
    error = "The page's inputs do not match the item.";
    return std::nullopt;
  }
  ItemValues edited = item;
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    const InputDefinition& input = definitions[i];
    const InputValue& value = inputs[i];
    if (input.field == Field::kMinWidth) {
      const std::optional<int> width = ParseMinWidth(value.text);
      if (!width) {
        error = "MinWidth must be a whole number from 1 to " + std::to_string(kMaxMinWidth) + ".";
        return std::nullopt;
      }
      edited.minWidth = *width;
    } else if (std::string* text = TextOf(edited, input.field)) {
      *text = value.text;
    } else if (int* number = NumberOf(edited, input.field)) {
      // An empty choice keeps the item's value.
      const int entries = static_cast<int>(ChoiceList(kind, input.field).size());
      if (value.position >= 0 && value.position < entries) *number = value.position;
    } else if (bool* flag = FlagOf(edited, input.field)) {
      *flag = value.checked;
    }
  }
  return edited;
}

}  // namespace vellumark::controls::pages
