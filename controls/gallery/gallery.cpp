// The control gallery: a window with one of each control, read from the
// form description compiled into the program. Not shipped; tests start it
// and drive it. With a file name argument it writes what happens there, one
// line per event, and where the drop-down button and its open menu's
// entries are on the screen, so a test can click them:
//   Ready button=LEFT,TOP,RIGHT,BOTTOM
//   MenuItem 2=LEFT,TOP,RIGHT,BOTTOM
//   Click
//   ItemClick Index=2 Text=Convert
#include "controls/dpi.h"
#include "controls/form_builder.h"
#include "controls/form_resource.h"
#include "controls/host_window.h"
#include "controls/message_loop.h"
#include "controls/window_messages.h"
#include "support/win32/wide_string.h"

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace vellumark::controls {
namespace {

constexpr UINT_PTR kMenuProbeTimer = 1;
constexpr SIZE kClientSize{420, 190};  // 96-DPI units

class GalleryWindow : public HostWindow<GalleryWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkGallery";
  static constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW;

  GalleryWindow(const FormDescription& form, const std::filesystem::path& eventFile) {
    if (!eventFile.empty()) events_.open(eventFile, std::ios::out | std::ios::trunc | std::ios::binary);
    RECT bounds{0, 0, kClientSize.cx, kClientSize.cy};
    ::AdjustWindowRectEx(&bounds, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int dpi = DpiForWindow(nullptr);
    if (!CreateHostWindow(nullptr, {40, 40, 40 + Scale(bounds.right - bounds.left, dpi), 40 + Scale(bounds.bottom - bounds.top, dpi)},
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, L"Vellumark control gallery"))
      return;
    if (!CreateControls(form)) {
      ::DestroyWindow(Hwnd());
      return;
    }
    Layout();
  }
  ~GalleryWindow() {
    controls_.reset();
    DestroyHostWindow();
  }

  void Show() {
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::UpdateWindow(Hwnd());
    RECT button{};
    ::GetWindowRect(process_->ControlHwnd(), &button);
    Log("Ready button=" + Rect(button));
    ::SetFocus(process_->ControlHwnd());
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
      case WM_SIZE:
        Layout();
        return 0;
      case kDpiChanged: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
      }
      case WM_TIMER:
        if (wParam == kMenuProbeTimer) ProbeOpenMenu();
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

 private:
  bool CreateControls(const FormDescription& form) {
    controls_ = std::make_unique<FormControls>(Hwnd(), form, DpiForWindow(Hwnd()));
    header_ = controls_->InfoFrameOf("InfoFrameGallery");
    process_ = controls_->DropDownButtonOf("DropDownButtonProcess");
    progress_ = controls_->ProgressBarOf("ProgressBarRun");
    status_ = controls_->StatusBarOf("StatusBarGallery");
    systemMenu_ = controls_->SystemMenuOf("SystemMenuGallery");
    if (!controls_->AllMade() || !header_ || !process_ || !progress_ || !status_ || !systemMenu_) return false;
    header_->onClick = [this] { Log("InfoFrame Click"); };
    process_->onClick = [this] {
      Log("Click");
      // The menu opens after this returns; its entries are reported from its
      // own loop once it is on the screen.
      menuProbes_ = 0;
      ::SetTimer(Hwnd(), kMenuProbeTimer, 100, nullptr);
    };
    process_->onItemClick = [this](PopupMenuItem& item) {
      Log("ItemClick Index=" + std::to_string(item.Index()) + " Text=" + item.Text());
      progress_->SetValue(progress_->Min() + (progress_->Max() - progress_->Min()) * (item.Index() + 1) / 6);
      if (status_->PanelAt(2)) status_->PanelAt(2)->SetText("Chose " + item.Text());
    };
    status_->onPanelClick = [this](Panel& panel, int button) {
      Log("PanelClick Index=" + std::to_string(panel.Index()) + " Button=" + std::to_string(button));
    };
    systemMenu_->onItemClick = [this](SystemMenuItem& item) {
      Log("SystemMenu ItemClick Index=" + std::to_string(item.Index()));
    };
    return true;
  }

  void Layout() {
    if (!status_) return;
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    const int dpi = DpiForWindow(Hwnd());
    const int barHeight = Scale(22, dpi);
    ::MoveWindow(header_->Hwnd(), 0, 0, client.right, Scale(InfoFrame::kHeight, dpi), TRUE);
    ::MoveWindow(process_->Hwnd(), Scale(12, dpi), Scale(80, dpi), Scale(100, dpi), Scale(24, dpi), TRUE);
    ::MoveWindow(progress_->Hwnd(), Scale(124, dpi), Scale(82, dpi), client.right - Scale(136, dpi), Scale(20, dpi),
                 TRUE);
    ::MoveWindow(status_->Hwnd(), 0, client.bottom - barHeight, client.right, barHeight, TRUE);
  }

  void ProbeOpenMenu() {
    const HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    const bool shown = menuWindow != nullptr && ::IsWindowVisible(menuWindow);
    if (shown || ++menuProbes_ >= 100) ::KillTimer(Hwnd(), kMenuProbeTimer);
    if (!shown) return;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      RECT item{};
      if (::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item))
        Log("MenuItem " + std::to_string(i) + "=" + Rect(item));
    }
  }

  static std::string Rect(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }

  void Log(const std::string& line) {
    if (events_.is_open()) events_ << line << std::endl;
  }

  std::ofstream events_;
  int menuProbes_ = 0;
  std::unique_ptr<FormControls> controls_;
  InfoFrame* header_ = nullptr;
  DropDownButton* process_ = nullptr;
  ProgressBar* progress_ = nullptr;
  StatusBar* status_ = nullptr;
  SystemMenu* systemMenu_ = nullptr;
};

}  // namespace
}  // namespace vellumark::controls

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace vellumark::controls;
  EnablePerMonitorDpiAwareness();
  std::string error;
  const auto form = LoadFormDescription(instance, L"GALLERY_FORM", &error);
  if (!form) {
    ::MessageBoxW(nullptr, vellumark::win32::Widen(error).c_str(), L"Vellumark control gallery", MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const std::filesystem::path eventFile = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::path();
  ::LocalFree(argv);
  GalleryWindow window(*form, eventFile);
  if (window.Hwnd() == nullptr) return 1;
  window.Show();
  return RunMessageLoop(window.Hwnd());
}
