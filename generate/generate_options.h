// The rules of the Generate options (the interval, the update note and the
// template set) as the options dialog and the command line apply them
// before a Generate run: the interval first, then the template.
#pragma once

#include "generate/templates.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

inline constexpr std::string_view kInvalidInterval = "Invalid interval";
inline constexpr std::string_view kSelectTemplate = "Please select a template";
inline constexpr int kMaximumInterval = 1000;

// The interval's value: a whole number of days from 0 to 1000 written in
// digits; nothing for anything else (empty text included).
std::optional<int> ParseInterval(std::string_view text);

// The complete set whose name equals `name` without regard to letter case,
// as the set's own folder name; nothing when there is none.
std::optional<std::string> FindTemplate(const Templates& templates, std::string_view name);

// What the options hold when the user confirms them.
struct GenerateOptions {
  std::string interval;                     // as typed
  std::string updated;                      // any text
  std::optional<std::string> templateName;  // the selected set, if any
};

// The checked options, ready to be stored.
struct ConfirmedOptions {
  int interval = 0;
  std::string templateName;  // the set's own folder name
  std::string updated;
};

// Checks the options: "" and `confirmed` filled when they hold, otherwise
// the message for people (kInvalidInterval or kSelectTemplate).
std::string_view CheckGenerateOptions(const GenerateOptions& options, const Templates& templates,
                                      ConfirmedOptions& confirmed);

}  // namespace vellumark
