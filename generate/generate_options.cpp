#include "generate/generate_options.h"

#include "generate/page_names.h"

#include <vector>

namespace vellumark {
namespace {

class CollectedNames final : public TemplateList {
 public:
  void Clear() override { names.clear(); }
  void AddItem(std::string_view name) override { names.emplace_back(name); }

  std::vector<std::string> names;
};

bool SameIgnoringCase(std::string_view a, std::string_view b) { return LowerCase(a) == LowerCase(b); }

}  // namespace

std::optional<int> ParseInterval(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaximumInterval) return std::nullopt;
  }
  return value;
}

std::optional<std::string> FindTemplate(const Templates& templates, std::string_view name) {
  CollectedNames sets;
  templates.Enumerate(sets);
  for (const std::string& set : sets.names) {
    if (SameIgnoringCase(set, name)) return set;
  }
  return std::nullopt;
}

std::string_view CheckGenerateOptions(const GenerateOptions& options, const Templates& templates,
                                      ConfirmedOptions& confirmed) {
  const std::optional<int> interval = ParseInterval(options.interval);
  if (!interval) return kInvalidInterval;
  std::optional<std::string> set = options.templateName ? FindTemplate(templates, *options.templateName) : std::nullopt;
  if (!set) return kSelectTemplate;
  confirmed = {*interval, std::move(*set), options.updated};
  return "";
}

}  // namespace vellumark
