// DesignerWindow: the designer's one window. It opens a form description,
// shows the form as it will look (FormPreview), lists its controls, and
// offers the item page of the selected status bar, system menu or
// drop-down button with the buttons Add, Remove, Apply and Save. Apply
// changes the control shown at once; Save writes the items back into the
// description's file, keeping the rest of its text as it was.
#pragma once

#include "controls/host_window.h"
#include "controls/property_store.h"
#include "designer/form_preview.h"
#include "designer/property_pages/property_page.h"
#include "support/win32/unique_handle.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace vellumark::designer {

class DesignerWindow : public controls::HostWindow<DesignerWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkDesignerWindow";
  static constexpr UINT kClassStyle = 0;

  enum Command : int { kAdd = 1, kRemove, kApply, kSave };

  // Creates the (hidden) window; Hwnd() is null when that failed. With
  // `endsProgram`, closing the window ends the message loop.
  explicit DesignerWindow(bool endsProgram);
  ~DesignerWindow();

  // Reads and shows the description in `path` and selects its form; false
  // with the reason in `error` when it cannot be read or parsed.
  bool Open(std::string_view path, std::string& error);
  // Selects the named control: outlines it and shows its item page. False
  // for an unknown name or when edits pending on the page were refused.
  bool Select(std::string_view name);
  // Applies pending edits, then writes the description to its file. False
  // with the reason in `error`; the file is then as it was.
  bool Save(std::string& error);

  bool Modified() const;
  const std::string& Path() const { return path_; }
  const std::string& Selection() const { return selection_; }
  FormPreview* Preview() const { return preview_.get(); }
  // The page shown for the selection; null when it has none.
  controls::pages::PropertyPage* Page() const;
  HWND CommandButton(Command command) const;
  HWND ControlList() const { return list_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  void CreateChrome();
  void Layout();
  void PlaceButtons(int pageHeight);
  void UpdateCommands();
  void UpdateTitle();
  void OnCommand(int id, int code);
  void OnClose();
  void ShowError(const std::string& text);

  bool endsProgram_;
  int dpi_ = 96;
  int right_ = 0;  // left edge of the page column, pixels
  win32::UniqueFont font_;
  win32::UniqueFont boldFont_;
  // Child windows: they go with the window, so they are not owned here.
  HWND listLabel_ = nullptr;
  HWND list_ = nullptr;
  HWND pageTitle_ = nullptr;
  HWND noPage_ = nullptr;
  std::array<HWND, 4> buttons_{};
  std::array<std::unique_ptr<controls::pages::PropertyPage>, 3> pages_;
  std::unique_ptr<FormPreview> preview_;
  controls::FormDescription form_;
  std::string text_;  // the file's text as last read or written
  std::string path_;
  std::string selection_;
  bool modified_ = false;
};

}  // namespace vellumark::designer
