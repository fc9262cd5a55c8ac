#include "runner/settings.h"

#include "support/formatting.h"
#include "support/registry.h"

#include <algorithm>
#include <utility>

namespace vellumark {
namespace {

constexpr std::string_view kCompanyName = "Tarnwell";
constexpr std::string_view kProductName = "Vellumark";

}  // namespace

AppEx::AppEx() {
  std::string product(kProductName);
  product.erase(std::remove(product.begin(), product.end(), ' '), product.end());
  registryKey_ = "Software\\" + std::string(kCompanyName) + "\\" + product;
}

Settings::Settings(TemplateCheck isCompleteSet) : isCompleteSet_(std::move(isCompleteSet)) {}

int Settings::Interval() const {
  std::int32_t days = 0;
  if (!Registry::ReadNumberValue(Registry::kCurrentUser, app_.RegistryKey(), "Interval", days)) return 0;
  return NumberEx::Clamp(days, 0, 1000, 0);
}

bool Settings::SetInterval(int days) {
  return Registry::WriteNumberValue(Registry::kCurrentUser, app_.RegistryKey(), "Interval", days);
}

std::string Settings::ShortcutFolders() const { return ReadText("ShortcutFolders"); }
bool Settings::SetShortcutFolders(std::string_view folders) { return WriteText("ShortcutFolders", folders); }

std::string Settings::Template() const {
  std::string name = ReadText("Template");
  if (name.empty()) name = kDefaultTemplate;
  return isCompleteSet_(name) ? name : "";
}
bool Settings::SetTemplate(std::string_view name) { return WriteText("Template", name); }

std::string Settings::Updated() const { return ReadText("Updated"); }
bool Settings::SetUpdated(std::string_view text) { return WriteText("Updated", text); }

std::string Settings::WHOIS() const {
  std::string address;
  std::uint32_t type = 0;
  // An empty address would give links to nowhere, like a missing one.
  if (!Registry::ReadStringValue(Registry::kCurrentUser, app_.RegistryKey(), "WHOIS", address, type) ||
      address.empty()) {
    return std::string(kDefaultWHOIS);
  }
  return address;
}
bool Settings::SetWHOIS(std::string_view address) { return WriteText("WHOIS", address); }

std::string Settings::ReadText(std::string_view name) const {
  std::string value;
  std::uint32_t type = 0;
  Registry::ReadStringValue(Registry::kCurrentUser, app_.RegistryKey(), name, value, type);
  return value;
}

bool Settings::WriteText(std::string_view name, std::string_view value) const {
  return Registry::WriteStringValue(Registry::kCurrentUser, app_.RegistryKey(), name, value, Registry::kText);
}

}  // namespace vellumark
