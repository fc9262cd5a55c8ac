// FormLoading: a small captionless window, centred on the screen, that
// shows a one-line message inside a frame while the program is busy
// without pumping messages (the main window building its folder list).
// It paints itself at once when shown and shows the busy pointer until it
// is closed.
//
//   FormLoading loading;
//   loading.SetText("Loading...");
//   loading.Show();
//   ...long work...
//   loading.Close();                 // also done when the object goes
#pragma once

#include "controls/host_window.h"
#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

#include <string>
#include <string_view>

namespace vellumark::gui {

class FormLoading : public controls::HostWindow<FormLoading> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkLoading";
  static constexpr UINT kClassStyle = 0;
  // The label's child window identifier.
  static constexpr int kLabelLoading = 1201;

  FormLoading() = default;
  ~FormLoading();

  const std::string& Text() const { return text_; }
  // Shown at once when the window is open.
  void SetText(std::string_view text);

  // Opens the window (once), painted before this returns; false when the
  // system refuses to create it.
  bool Show();
  // Closes the window and shows the normal pointer; nothing when not open.
  void Close();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  void Layout();
  void PaintShape(HDC dc);

  std::string text_;
  HWND label_ = nullptr;
  win32::UniqueFont font_;
};

}  // namespace vellumark::gui
