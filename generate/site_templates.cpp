#include "generate/site_templates.h"

#include "support/path.h"

#include <optional>
#include <stdexcept>

namespace vellumark {

SiteTemplates::SiteTemplates(const Templates& templates, std::string_view name, FileServices& services,
                             bool withNewMarkers) {
  if (!templates.Check(name)) {
    const std::string what = name.empty() ? std::string("No complete template set is selected")
                                          : "The template set \"" + std::string(name) + "\" is not complete";
    throw std::runtime_error(what + "\r\n" + templates.FolderName());
  }
  folder_ = templates.FolderName() + std::string(name) + path::kSeparator;
  for (std::size_t i = 0; i < Templates::kFiles.size(); ++i) {
    const bool marker = i == template_file::kFileNew || i == template_file::kFolderNew;
    if (marker && !withNewMarkers) continue;
    const std::string file = folder_ + std::string(Templates::kFiles[i]);
    std::optional<std::string> text = services.ReadFile(file);
    if (!text) throw std::runtime_error("Error reading template \r\n" + file);
    texts_[i] = std::move(*text);
  }
}

std::string SiteTemplates::Fill(int index, int indent, bool keepnewline, int count,
                                const Replacements& replacements) const {
  return Templates::Fill(texts_.at(static_cast<std::size_t>(index)), indent, keepnewline, count, replacements);
}

}  // namespace vellumark
