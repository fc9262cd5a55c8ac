#include "controls/menu_item.h"

namespace vellumark::controls {

std::string MenuItem::Key(std::string_view property) const {
  std::string name(prefix_);
  name += property;
  return ItemKey(name, index_);
}

void MenuItem::SetChecked(bool value) {
  checked_ = value;
  Changed(Key("Checked"));
}

void MenuItem::SetEnabled(bool value) {
  enabled_ = value;
  Changed(Key("Enabled"));
}

void MenuItem::SetStyle(int value) {
  if (value < kDefault || value > kSeparator) return;
  style_ = value;
  Changed(Key("Style"));
}

void MenuItem::SetTag(std::string_view value) {
  tag_ = value;
  Changed(Key("Tag"));
}

void MenuItem::SetText(std::string_view value) {
  text_ = value;
  Changed(Key("Text"));
}

void MenuItem::ReadProperties(const PropertyStore& store) {
  SetChecked(store.ReadBool(Key("Checked"), false));
  SetEnabled(store.ReadBool(Key("Enabled"), true));
  SetStyle(store.ReadNumber(Key("Style"), kDefault));
  SetTag(store.ReadText(Key("Tag"), ""));
  SetText(store.ReadText(Key("Text"), ""));
}

void MenuItem::WriteProperties(PropertyStore& store) const {
  store.WriteBool(Key("Checked"), checked_);
  store.WriteBool(Key("Enabled"), enabled_);
  store.WriteNumber(Key("Style"), style_);
  store.WriteText(Key("Tag"), tag_);
  store.WriteText(Key("Text"), text_);
}

}  // namespace vellumark::controls
