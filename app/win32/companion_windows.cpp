#include "app/win32/companion_windows.h"

#include "generate/form_generate.h"

namespace vellumark::gui {

struct LoadingWindow::Window {};

LoadingWindow::LoadingWindow(std::string_view) {}

LoadingWindow::~LoadingWindow() = default;

void ShowAboutWindow(HWND, const AboutContent&) {}

bool ChooseGenerateOptions(HWND owner, Settings& settings, const Templates& templates) {
  FormGenerate form(settings, templates);
  return form.ShowModal(owner);
}

}  // namespace vellumark::gui
