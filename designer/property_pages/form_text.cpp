#include "designer/property_pages/form_text.h"

#include "support/ascii.h"

#include <optional>
#include <set>
#include <vector>

namespace vellumark::controls::pages {
namespace {

std::string_view Trim(std::string_view text) { return ascii::Trimmed(text, " \t\r"); }

// "Key = value" as the description's own writer spells it.
std::string FormatEntry(std::string_view key, const PropertyStore::Value& value) {
  FormDescription one;
  one.Control("C").Write(key, value);
  std::string text = one.ToText();
  const auto start = text.find('\n') + 1;
  return text.substr(start, text.size() - start - 1);
}

// The value of a "Key = value" line, as the description reads it.
std::optional<PropertyStore::Value> ValueOf(std::string_view line, std::string_view key) {
  const auto parsed = FormDescription::Parse("[C]\n" + std::string(line) + "\n");
  if (!parsed) return std::nullopt;
  for (const PropertyStore::Entry& entry : parsed->Find("C")->Entries()) {
    if (entry.key == key) return entry.value;
  }
  return std::nullopt;
}

class Rewriter {
 public:
  Rewriter(std::string_view original, const FormDescription& edited) : edited_(edited) {
    newline_ = original.find("\r\n") != std::string_view::npos &&
                       original.find("\r\n") == original.find('\n') - 1
                   ? "\r\n"
                   : "\n";
    if (original.starts_with("\xEF\xBB\xBF")) {
      out_.push_back("\xEF\xBB\xBF");
      original.remove_prefix(3);
      bomLine_ = true;
    }
    while (!original.empty()) {
      const auto end = original.find('\n');
      std::string_view line = original.substr(0, end);
      if (line.ends_with('\r')) line.remove_suffix(1);
      Line(line);
      original = end == std::string_view::npos ? std::string_view() : original.substr(end + 1);
    }
    EndSection();
    for (const std::string& name : edited_.Names()) {
      if (seen_.count(name) != 0) continue;
      if (!out_.empty() && !Trim(out_.back()).empty()) out_.push_back("");
      out_.push_back("[" + name + "]");
      for (const PropertyStore::Entry& entry : edited_.Find(name)->Entries()) {
        out_.push_back(FormatEntry(entry.key, entry.value));
      }
    }
  }

  std::string Text() const {
    std::string text;
    for (std::size_t i = 0; i < out_.size(); ++i) {
      text += out_[i];
      if (!(i == 0 && bomLine_)) text += newline_;
    }
    return text;
  }

 private:
  void Line(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') {
      if (!dropping_) out_.emplace_back(line);
      return;
    }
    if (trimmed.front() == '[') {
      EndSection();
      const std::string name(Trim(trimmed.substr(1, trimmed.size() - 2)));
      seen_.insert(name);
      store_ = edited_.Find(name);
      dropping_ = store_ == nullptr;
      written_.clear();
      if (!dropping_) {
        out_.emplace_back(line);
        insertAt_ = out_.size();
      }
      return;
    }
    if (store_ == nullptr) return;
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) return;
    const std::string key(Trim(trimmed.substr(0, equals)));
    const PropertyStore::Value* value = Find(key);
    if (value == nullptr) return;
    written_.insert(key);
    const std::optional<PropertyStore::Value> old = ValueOf(trimmed, key);
    if (old && *old == *value) {
      out_.emplace_back(line);
    } else {
      const std::string_view indent = line.substr(0, line.find_first_not_of(" \t"));
      out_.push_back(std::string(indent) + FormatEntry(key, *value));
    }
    insertAt_ = out_.size();
  }

  // Keys of the section's control that had no line yet follow its last
  // property.
  void EndSection() {
    if (store_ == nullptr) return;
    std::vector<std::string> added;
    for (const PropertyStore::Entry& entry : store_->Entries()) {
      if (written_.count(entry.key) == 0) added.push_back(FormatEntry(entry.key, entry.value));
    }
    out_.insert(out_.begin() + static_cast<std::ptrdiff_t>(insertAt_), added.begin(), added.end());
    store_ = nullptr;
  }

  const PropertyStore::Value* Find(const std::string& key) const {
    for (const PropertyStore::Entry& entry : store_->Entries()) {
      if (entry.key == key) return &entry.value;
    }
    return nullptr;
  }

  const FormDescription& edited_;
  std::string newline_;
  bool bomLine_ = false;
  std::vector<std::string> out_;
  std::set<std::string> seen_;
  std::set<std::string> written_;
  const PropertyStore* store_ = nullptr;
  bool dropping_ = false;
  std::size_t insertAt_ = 0;
};

}  // namespace

std::string RewriteFormText(std::string_view original, const FormDescription& edited) {
  return Rewriter(original, edited).Text();
}

}  // namespace vellumark::controls::pages
