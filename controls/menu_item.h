// MenuItem: one entry of a menu a control owns (the drop-down button's
// popup menu, the entries added to a system menu). It keeps the entry's
// state, reports every change through Changed, and reads and writes its
// properties in the property store under "<Prefix>Checked(<index>)",
// "<Prefix>Enabled(...)", "<Prefix>Style(...)", "<Prefix>Tag(...)" and
// "<Prefix>Text(...)".
#pragma once

#include "controls/property_store.h"

#include <string>
#include <string_view>

namespace vellumark::controls {

class MenuItem {
 public:
  enum : int { kDefault = 0, kSeparator = 1 };  // Style

  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Index() const { return index_; }
  int Style() const { return style_; }
  void SetStyle(int value);  // values outside 0..1 are ignored
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string_view value);
  const std::string& Text() const { return text_; }  // "&" marks the mnemonic
  void SetText(std::string_view value);

  // Every property from `store` (defaults where a key is missing), each
  // through its setter; and every property into `store`.
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

 protected:
  // `prefix` names the item's properties in the store and in Changed; it
  // must outlive the item (a string literal).
  MenuItem(std::string_view prefix, int index) : prefix_(prefix), index_(index) {}
  ~MenuItem() = default;

  // After each setter, with the property's item key ("PopupMenuItemText(2)").
  virtual void Changed(const std::string& key) = 0;

 private:
  std::string Key(std::string_view property) const;

  std::string_view prefix_;
  int index_;
  bool checked_ = false;
  bool enabled_ = true;
  int style_ = kDefault;
  std::string tag_;
  std::string text_;
};

}  // namespace vellumark::controls
