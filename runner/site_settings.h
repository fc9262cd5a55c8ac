// The settings store as the site processes and the Generate options use
// it: the Template rule over the template sets, the stored choices a site
// is built with, and the confirmed options stored.
#pragma once

#include "generate/generate_options.h"
#include "generate/site_generator.h"
#include "generate/templates.h"
#include "runner/settings.h"

namespace vellumark {

// The Template rule: a complete set of `templates`, which must outlive the
// result.
Settings::TemplateCheck CompleteSetCheck(const Templates& templates);

SiteSettings ReadSiteSettings(const Settings& settings);

inline constexpr std::string_view kErrorSavingOptions = "Error saving the Generate options";

// Stores the interval, the template and the update note; false when any of
// them did not reach the store.
bool StoreGenerateOptions(const ConfirmedOptions& options, Settings& settings);

}  // namespace vellumark
