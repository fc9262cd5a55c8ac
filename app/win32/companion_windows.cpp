#include "app/win32/companion_windows.h"

#include "app/win32/form_about.h"
#include "app/win32/form_generate.h"
#include "app/win32/form_loading.h"

namespace vellumark::gui {

struct LoadingWindow::Window {
  FormLoading form;
};

LoadingWindow::LoadingWindow(std::string_view text) : window_(std::make_unique<Window>()) {
  window_->form.SetText(text);
  window_->form.Show();
}

LoadingWindow::~LoadingWindow() { window_->form.Close(); }

void ShowAboutWindow(HWND owner, const AboutContent& content) {
  FormAbout about;
  about.SetCaption(content.caption);
  about.SetApplication(content.application);
  about.SetCopyright(content.copyright);
  about.SetIcon2(content.icon);
  about.SetWebsite(content.website);
  about.ShowModal(owner);
}

bool ChooseGenerateOptions(HWND owner, Settings& settings, const Templates& templates) {
  FormGenerate form(settings, templates);
  return form.ShowModal(owner);
}

}  // namespace vellumark::gui
