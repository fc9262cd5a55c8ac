#include "runner/skipped_items.h"

namespace vellumark {
namespace {

constexpr std::size_t kListedItems = 10;

struct KindText {
  std::string_view lead;
  std::string_view singular;
  std::string_view plural;
};

constexpr std::array<KindText, 2> kKinds{{
    {"Error reading URL from", "shortcut", "shortcuts"},
    {"Error parsing", "URL", "URLs"},
}};

const KindText& TextOf(Skipped kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

}  // namespace

std::string_view SkippedLead(Skipped kind) { return TextOf(kind).lead; }

std::string ListedItemsMessage(std::string_view lead, std::string_view singular, std::string_view plural,
                               const std::vector<std::string>& items) {
  std::string text = std::string(lead) + " " + std::to_string(items.size()) + " " +
                     std::string(items.size() == 1 ? singular : plural) + ":";
  for (std::size_t i = 0; i < items.size() && i < kListedItems; ++i) text += "\r\n" + items[i];
  if (items.size() > kListedItems) text += "\r\n...";
  return text;
}

void SkippedItems::Add(Skipped kind, std::string_view item) {
  items_.at(static_cast<std::size_t>(kind)).emplace_back(item);
}

void SkippedItems::Clear() {
  for (std::vector<std::string>& items : items_) items.clear();
}

std::string SkippedItems::Message() const {
  std::string message;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].empty()) continue;
    if (!message.empty()) message += "\r\n\r\n";
    message += ListedItemsMessage(kKinds[i].lead, kKinds[i].singular, kKinds[i].plural, items_[i]);
  }
  return message;
}

}  // namespace vellumark
