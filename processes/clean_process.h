// Clean: rewrites every shortcut of the checked folders so that its section
// "InternetShortcut" holds nothing but the "URL=" line; other sections and
// the file's attributes stay. The new bytes replace the file atomically, so
// a failure leaves the shortcut as it was, never half-written. A shortcut
// that is already clean is not written again.
#pragma once

#include "processes/process.h"
#include "support/file_services.h"

#include <string>
#include <vector>

namespace vellumark {

class CleanProcess final : public Process {
 public:
  explicit CleanProcess(FileServices& services) : services_(services) {}

  bool Prepare(RunState& state) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;

  // Shortcuts that could not be cleaned, in walking order: unreadable or
  // unwritable ones, ones whose text would not survive a rewrite, and ones
  // whose attributes could not be put back.
  const std::vector<std::string>& Unwritten() const { return unwritten_; }
  void AddFindings(RunFindings& findings) const override { findings.unwritten = unwritten_; }

 private:
  bool Rewrite(const std::string& file);

  FileServices& services_;
  std::vector<std::string> unwritten_;
};

}  // namespace vellumark
