#include "runner/site_settings.h"

namespace vellumark {

Settings::TemplateCheck CompleteSetCheck(const Templates& templates) {
  return [&templates](std::string_view name) { return templates.Check(name); };
}

SiteSettings ReadSiteSettings(const Settings& settings) {
  return {settings.Interval(), settings.Updated(), settings.WHOIS(), settings.Template()};
}

void StoreGenerateOptions(const ConfirmedOptions& options, Settings& settings) {
  settings.SetInterval(options.interval);
  settings.SetTemplate(options.templateName);
  settings.SetUpdated(options.updated);
}

bool StoredOptionsEqual(const ConfirmedOptions& options, const Settings& settings) {
  return settings.Interval() == options.interval && settings.Template() == options.templateName &&
         settings.Updated() == options.updated;
}

}  // namespace vellumark
