#include "runner/site_settings.h"

namespace vellumark {

Settings::TemplateCheck CompleteSetCheck(const Templates& templates) {
  return [&templates](std::string_view name) { return templates.Check(name); };
}

SiteSettings ReadSiteSettings(const Settings& settings) {
  return {settings.Interval(), settings.Updated(), settings.WHOIS(), settings.Template()};
}

bool StoreGenerateOptions(const ConfirmedOptions& options, Settings& settings) {
  const bool interval = settings.SetInterval(options.interval);
  const bool set = settings.SetTemplate(options.templateName);
  return settings.SetUpdated(options.updated) && interval && set;
}

}  // namespace vellumark
