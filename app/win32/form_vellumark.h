// FormVellumark: the program's main window. It lists the top-level folders
// of the Favorites tree with a check box each, shows the counts in its
// status bar, and runs the processes of its "Process" button through the
// process runner, for which it is the host.
//
// While a run is in progress the window keeps repainting, but a second
// run, "Refresh", "Select All", the function keys and tick changes by the
// user are refused; closing the window stops the run after the favorite in
// hand, closes the run's output and then ends the program.
#pragma once

#include "app/win32/folder_list.h"
#include "app/win32/output_folder_choice.h"
#include "controls/form_builder.h"
#include "controls/host_window.h"
#include "favorites/favorites.h"
#include "generate/site_generator.h"
#include "generate/templates.h"
#include "processes/html.h"
#include "runner/host.h"
#include "runner/process_runner.h"
#include "runner/settings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vellumark::gui {

class FormVellumark final : public controls::HostWindow<FormVellumark>, private Host {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkMainWindow";
  static constexpr UINT kClassStyle = 0;

  FormVellumark();
  ~FormVellumark();

  // Start-up: creates the window hidden, refuses a second instance, finds
  // the Favorites folder and fills the list behind the loading window, then
  // shows the window. False (after the message) when the program must end.
  bool Load();

  // Sees every message of the thread before it is translated: function
  // keys released anywhere in the window, then the controls' own keys and
  // dialog navigation. True when the message has been handled.
  bool PreTranslate(MSG& message);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  bool CreateForm(const controls::FormDescription& form);
  void ApplyFonts();
  void PlaceControls();

  void FillFolderList();
  void WriteStatusCounts();
  int CountSelectedFavorites() const;
  bool Refused();

  void OnTickChanged();
  void OnSelectAll();
  void OnRefresh();
  void OnReadOnly();
  void OnFunctionKey(WPARAM key);
  void OnAbout(controls::SystemMenuItem& item);
  void OnProcess(int index);
  void OnClose();
  void OnDpiChanged(const RECT& suggested);
  void OnCommand(int id, int code);

  // Host
  void SetBusyPointer(bool busy) override;
  void Repaint() override;
  FolderChoice ChooseOutputFolder(std::string& folder) override;
  void EntryStarted(int position, int favorites) override;
  void EntryFinished(int position) override;
  void SetStatusText(std::string_view text) override;
  void SetProgressMinimum(int value) override;
  void SetProgressMaximum(int value) override;
  void SetProgressValue(int value) override;
  void StepProgress() override;
  void PumpMessages() override;
  void ShowMessage(std::string_view text) override;
  bool GathersSkipped() const override { return true; }

  std::string title_;
  std::string favoritesfolder_;
  int dpi_ = 96;
  win32::UniqueFont font_;
  win32::UniqueIcon iconLarge_;
  win32::UniqueIcon iconSmall_;
  SIZE client96_{};

  // The controls of the form description; the pointers below are into it.
  std::unique_ptr<FolderList> folders_;
  std::unique_ptr<controls::FormControls> form_;
  controls::InfoFrame* infoFrame_ = nullptr;
  controls::DropDownButton* process_ = nullptr;
  controls::ProgressBar* progress_ = nullptr;
  controls::StatusBar* status_ = nullptr;
  controls::SystemMenu* systemMenu_ = nullptr;
  HWND readOnly_ = nullptr;

  int totalFavorites_ = 0;
  bool busy_ = false;
  bool running_ = false;
  bool stopRequested_ = false;  // Escape or closing: the run ends at its next pump
  bool closeRequested_ = false;

  Templates templates_;
  Settings settings_;
  HTML html_;
  std::optional<SiteContext> site_;
  std::unique_ptr<Favorites> favoritesobj_;
  std::unique_ptr<ProcessRunner> runner_;
  OutputFolderChoice folderChoice_;
};

}  // namespace vellumark::gui
