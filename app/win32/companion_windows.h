// The windows the main window opens besides its own: the loading window
// shown while the folder list is built, the About window and the Generate
// options dialog.
#pragma once

#include "generate/templates.h"
#include "runner/settings.h"
#include "support/win32/windows_gate.h"

#include <memory>
#include <string>
#include <string_view>

namespace vellumark::gui {

// Shows the loading window with `text` for the life of the object.
class LoadingWindow {
 public:
  explicit LoadingWindow(std::string_view text);
  ~LoadingWindow();
  LoadingWindow(const LoadingWindow&) = delete;
  LoadingWindow& operator=(const LoadingWindow&) = delete;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

// What the About window shows.
struct AboutContent {
  std::string caption;      // "About Vellumark"
  std::string application;  // "Vellumark 1.0"
  std::string copyright;
  std::string website;
  HICON icon = nullptr;
};

// Shows the About window modally, centred on `owner`.
void ShowAboutWindow(HWND owner, const AboutContent& content);

// Shows the Generate options dialog; true when the user confirmed valid
// options (which are then stored).
bool ChooseGenerateOptions(HWND owner, Settings& settings, const Templates& templates);

}  // namespace vellumark::gui
