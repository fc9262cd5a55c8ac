#include "app/win32/form_vellumark.h"

#include "app/win32/companion_windows.h"
#include "app/win32/control_ids.h"
#include "app/win32/main_window_texts.h"
#include "app/win32/single_instance.h"
#include "app/win32/version_info.h"
#include "controls/dpi.h"
#include "controls/form_resource.h"
#include "controls/message_loop.h"
#include "controls/window_messages.h"
#include "runner/site_settings.h"
#include "runner/skipped_items.h"
#include "runner/standard_processes.h"
#include "support/path.h"
#include "support/program_folder.h"
#include "support/special_folders.h"
#include "support/win32/wide_string.h"
#include "support/win32/window_helpers.h"

#include <commctrl.h>

#include <exception>

namespace vellumark::gui {
namespace {

constexpr std::uint32_t kReadOnlyAttribute = 1;
constexpr std::uint32_t kHiddenAttribute = 2;
constexpr int kStatusPanel = 2;
constexpr std::string_view kWebsite = "https://tarnwell.example/vellumark";

// Thrown out of a run through the runner's error path when Escape was
// pressed or the window is being closed; the window shows no message for it.
class RunStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "The run was stopped"; }
};

// The command identifiers of the controls the window handles by name.
constexpr std::pair<std::string_view, int> kControlIds[] = {
    {"FrameFolders", IDC_FRAME_FOLDERS},   {"DropDownButtonProcess", IDC_PROCESS},
    {"CommandSelectall", IDC_SELECT_ALL},  {"CommandRefresh", IDC_REFRESH},
    {"FrameOptions", IDC_FRAME_OPTIONS},   {"CheckOptionsReadonly", IDC_READ_ONLY},
    {"ProgressBarVellumark", IDC_PROGRESS}, {"StatusBarVellumark", IDC_STATUS},
};

struct WindowStyle {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
};

}  // namespace

FormVellumark::FormVellumark() : settings_(CompleteSetCheck(templates_)) {}

// The window and its controls go while every member they call on exists.
FormVellumark::~FormVellumark() { DestroyHostWindow(); }

bool FormVellumark::Load() {
  const VersionInfo version = ReadVersionInfo();
  title_ = ApplicationTitle(version.companyName);

  const std::optional<controls::FormDescription> form = 
      controls::LoadFormDescription(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_FORM_VELLUMARK));
  if (!form || !CreateForm(*form)) {
    ::MessageBoxW(nullptr, L"The main window cannot be created", win32::Widen(title_).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
  }

  // Held until the program ends, so later starts see this one.
  static const SingleInstance instance;
  if (instance.AnotherIsRunning()) {
    ::MessageBoxW(nullptr, L"The application is already active", win32::Widen(title_).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    ::DestroyWindow(Hwnd());
    return false;
  }

  favoritesfolder_ = path::AddFolderSeparator(GetSpecialFolder(special_folder::kFavorites));
  if (favoritesfolder_.size() <= 1) {
    ::MessageBoxW(nullptr, L"Error accessing favorites folder", win32::Widen(title_).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    ::DestroyWindow(Hwnd());
    return false;
  }

  {
    LoadingWindow loading("Loading...");
    const std::string root = favoritesfolder_;
    favoritesobj_ = std::make_unique<Favorites>(NativeFileServices(), [root] { return root; });
    folderChoice_.SetFolderName(FirstOutputFolder(ProgramFolder(), GetSpecialFolder(special_folder::kDocuments)));
    folderChoice_.SetOwner(Hwnd());
    site_.emplace(SiteContext{NativeFileServices(), html_, templates_, [this] { return ReadSiteSettings(settings_); },
                              [this](std::string_view text) { ShowMessage(text); },
                              [this] { return ChooseGenerateOptions(Hwnd(), settings_, templates_); }, {}});
    runner_ = std::make_unique<ProcessRunner>(static_cast<Host&>(*this), *favoritesobj_, favoritesfolder_,
                                              [this](ProcessKind kind) { return MakeStandardProcess(kind, NativeFileServices(), html_, &*site_); });
    FillFolderList();
  }
  ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
  ::UpdateWindow(Hwnd());
  ::SetFocus(folders_->Hwnd());
  return true;
}

bool FormVellumark::CreateForm(const controls::FormDescription& form) {
  const controls::PropertyStore* window = form.Find("FormVellumark");
  if (window == nullptr) return false;
  client96_ = SIZE{window->ReadNumber("ClientWidth", 440), window->ReadNumber("ClientHeight", 330)};
  const WindowStyle style;
  if (!CreateHostWindow(nullptr, RECT{0, 0, 0, 0}, style.style, style.exStyle, win32::Widen(title_).c_str())) {
    return false;
  }
  dpi_ = controls::DpiForWindow(Hwnd());
  font_ = win32::MessageFont(dpi_);

  const std::wstring icon = win32::Widen(window->ReadText("Icon", "#1"));
  iconLarge_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), icon.c_str(), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
  iconSmall_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), icon.c_str(), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), 0)));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconLarge_.get()));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_.get()));

  form_ = std::make_unique<controls::FormControls>(
      Hwnd(), form, dpi_, [this](const std::string& name, const controls::PropertyStore&, const RECT& bounds) -> HWND {
        if (name != "ListFoldersFolders") return nullptr;
        folders_ = std::make_unique<FolderList>(Hwnd(), IDC_LIST_FOLDERS, bounds);
        return folders_->Hwnd();
      });
  infoFrame_ = form_->InfoFrameOf("InfoFrameVellumark");
  process_ = form_->DropDownButtonOf("DropDownButtonProcess");
  progress_ = form_->ProgressBarOf("ProgressBarVellumark");
  status_ = form_->StatusBarOf("StatusBarVellumark");
  systemMenu_ = form_->SystemMenuOf("SystemMenuVellumark");
  readOnly_ = form_->WindowOf("CheckOptionsReadonly");
  if (!form_->AllMade() || !infoFrame_ || !folders_ || !process_ || !progress_ || !status_ || !systemMenu_ ||
      readOnly_ == nullptr) {
    return false;
  }
  for (const auto& [name, id] : kControlIds) ::SetWindowLongPtrW(form_->WindowOf(name), GWLP_ID, id);
  folders_->onTickChanged = [this](int) { OnTickChanged(); };
  folders_->refuseUserTicks = [this] { return running_; };
  process_->onItemClick = [this](controls::PopupMenuItem& item) { OnProcess(item.Index()); };
  systemMenu_->onItemClick = [this](controls::SystemMenuItem& item) { OnAbout(item); };
  ApplyFonts();
  PlaceControls();
  win32::CentreOnOwner(Hwnd(), nullptr);
  return true;
}

void FormVellumark::ApplyFonts() { form_->ApplyFont(font_.get(), dpi_); }

// Sizes the window for its client area at the current DPI and puts every
// control at its place.
void FormVellumark::PlaceControls() {
  const WindowStyle style;
  RECT frame{0, 0, controls::Scale(client96_.cx, dpi_), controls::Scale(client96_.cy, dpi_)};
  ::AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  form_->Place(dpi_, controls::Scale(client96_.cx, dpi_));
  // The list sizes its columns to its new width.
  for (const controls::FormControls::Control& control : form_->Controls()) {
    if (control.window == folders_->Hwnd()) folders_->Move(controls::ScaleBounds(control.bounds96, dpi_));
  }
}

void FormVellumark::FillFolderList() {
  folders_->Clear();
  totalFavorites_ = 0;
  const bool readOnlyTicked = ::SendMessageW(readOnly_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  favoritesobj_->SetAttributes((readOnlyTicked ? 0 : kReadOnlyAttribute) | kHiddenAttribute);
  for (const MainFolders& folder : favoritesobj_->Initialize()) {
    folders_->Add(folder.Name, folder.Count);
    totalFavorites_ += folder.Count;
  }
  process_->SetEnabled(false);
  WriteStatusCounts();
  SetStatusText("");
}

void FormVellumark::WriteStatusCounts() {
  status_->SetPreventUpdate(true);
  status_->PanelAt(0)->SetText(FolderCountText(folders_->Count(), folders_->TickedCount()));
  status_->PanelAt(1)->SetText(FavoriteCountText(totalFavorites_, CountSelectedFavorites()));
  status_->SetPreventUpdate(false);
  status_->UpdatePanels(-1);
}

int FormVellumark::CountSelectedFavorites() const {
  int selected = 0;
  for (int i = 0; i < folders_->Count(); ++i) {
    if (folders_->IsTicked(i)) selected += folders_->FavoriteCount(i);
  }
  return selected;
}

bool FormVellumark::Refused() {
  if (!running_) return false;
  ::MessageBeep(MB_ICONEXCLAMATION);
  return true;
}

void FormVellumark::OnTickChanged() {
  SetBusyPointer(true);
  process_->SetEnabled(folders_->TickedCount() > 0);
  WriteStatusCounts();
  SetBusyPointer(false);
}

void FormVellumark::OnSelectAll() {
  if (Refused()) return;
  SetBusyPointer(true);
  for (int i = 0; i < folders_->Count(); ++i) folders_->SetTicked(i, true, false);
  process_->SetEnabled(folders_->TickedCount() > 0);
  WriteStatusCounts();
  SetStatusText("");
  SetBusyPointer(false);
}

void FormVellumark::OnRefresh() {
  if (Refused()) return;
  SetBusyPointer(true);
  FillFolderList();
  SetBusyPointer(false);
}

void FormVellumark::OnReadOnly() {
  if (Refused()) return;
  const bool ticked = ::SendMessageW(readOnly_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ::SendMessageW(readOnly_, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
  OnRefresh();
}

void FormVellumark::OnFunctionKey(WPARAM key) {
  if (Refused()) return;
  SetBusyPointer(true);
  if (key == VK_F3) {
    std::vector<std::string> ticked;
    for (int i = 0; i < folders_->Count(); ++i) {
      if (folders_->IsTicked(i)) ticked.push_back(folders_->Text(i));
    }
    if (!settings_.SetShortcutFolders(JoinShortcutFolders(ticked))) ShowMessage("Could not save the ticked folders");
  } else if (key == VK_F1) {
    for (int i = 0; i < folders_->Count(); ++i) folders_->SetTicked(i, false, false);
    for (const std::string& piece : SplitShortcutFolders(settings_.ShortcutFolders())) {
      const int found = folders_->FindExact(piece);
      if (found >= 0) folders_->SetTicked(found, true, false);
    }
    process_->SetEnabled(folders_->TickedCount() > 0);
    WriteStatusCounts();
  } else if (key == VK_F2) {
    for (int i = 0; i < folders_->Count(); ++i) {
      const bool ticked = folders_->IsTicked(i);
      if (!ticked) folders_->SetCurrent(i);
      folders_->SetTicked(i, !ticked);
    }
  }
  SetBusyPointer(false);
}

void FormVellumark::OnAbout(controls::SystemMenuItem& item) {
  SetBusyPointer(true);
  const VersionInfo version = ReadVersionInfo();
  ShowAboutWindow(Hwnd(), AboutContent{CaptionFromMenuText(item.Text()),
                                       ApplicationVersionText(version.major, version.minor, version.patch),
                                       version.legalCopyright, std::string(kWebsite), iconLarge_.get()});
  Repaint();
  SetBusyPointer(false);
}

void FormVellumark::OnProcess(int index) {
  if (Refused()) return;
  std::vector<ProcessRunner::Entry> ticked;
  for (int i = 0; i < folders_->Count(); ++i) {
    if (folders_->IsTicked(i)) ticked.push_back({i, folders_->Text(i)});
  }
  running_ = true;
  const ProcessRunner::Report report = runner_->Run(ProcessFromMenuIndex(index), ticked);
  running_ = false;
  if (stopRequested_) {
    stopRequested_ = false;
    if (closeRequested_) ::DestroyWindow(Hwnd());
    return;
  }
  process_->SetEnabled(folders_->TickedCount() > 0);
  if (!report.found.unwritten.empty()) {
    ShowMessage(ListedItemsMessage("Could not rewrite", "shortcut", "shortcuts", report.found.unwritten));
  }
  if (!report.found.summary.empty()) ShowMessage(report.found.summary);
}

void FormVellumark::OnClose() {
  if (running_) {
    stopRequested_ = closeRequested_ = true;
    return;
  }
  ::DestroyWindow(Hwnd());
}

void FormVellumark::OnDpiChanged(const RECT& suggested) {
  dpi_ = controls::DpiForWindow(Hwnd());
  // The old font stays alive until every control has the new one.
  const win32::UniqueFont old = std::move(font_);
  font_ = win32::MessageFont(dpi_);
  ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyFonts();
  PlaceControls();
}

void FormVellumark::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_SELECT_ALL: OnSelectAll(); break;
    case IDC_REFRESH: OnRefresh(); break;
    case IDC_READ_ONLY: OnReadOnly(); break;
    case IDC_PROCESS:
      // Enter anywhere in the window opens the default button's menu.
      if (process_->Enabled() && !Refused()) process_->OpenMenu();
      break;
    default: break;
  }
}

bool FormVellumark::PreTranslate(MSG& message) {
  const bool ours = message.hwnd == Hwnd() || ::IsChild(Hwnd(), message.hwnd);
  // Escape stops a run; the window stays.
  if (running_ && ours && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    stopRequested_ = true;
    return true;
  }
  // With Alt held the release comes as WM_SYSKEYUP.
  if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && message.wParam >= VK_F1 &&
      message.wParam <= VK_F3 && ours) {
    OnFunctionKey(message.wParam);
  }
  return controls::PreTranslateMessage(Hwnd(), message);
}

LRESULT FormVellumark::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (folders_ && header.hwndFrom == folders_->Hwnd()) return folders_->OnNotify(header);
      return 0;
    }
    case WM_SETCURSOR:
      if (busy_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(Hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    case WM_HELP:
      return TRUE;  // F1 restores the ticked set; there is no help
    case DM_GETDEFID:
      return MAKELRESULT(IDC_PROCESS, DC_HASDEFID);
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case controls::kDpiChanged:
      OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void FormVellumark::SetBusyPointer(bool busy) {
  busy_ = busy;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  HWND under = ::WindowFromPoint(cursor);
  if (under == Hwnd() || ::IsChild(Hwnd(), under)) {
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  }
}

void FormVellumark::Repaint() {
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

FolderChoice FormVellumark::ChooseOutputFolder(std::string& folder) { return folderChoice_.Choose(folder); }

// The list shows the count the run's listing found, so the progress bar and
// the counts agree when favorites were added since the list was filled.
void FormVellumark::EntryStarted(int position, int favorites) {
  folders_->SetCurrent(position);
  totalFavorites_ += favorites - folders_->FavoriteCount(position);
  folders_->SetFavoriteCount(position, favorites);
  WriteStatusCounts();
}

void FormVellumark::EntryFinished(int position) { folders_->SetTicked(position, false); }

void FormVellumark::SetStatusText(std::string_view text) { status_->PanelAt(kStatusPanel)->SetText(text); }

void FormVellumark::SetProgressMinimum(int value) { progress_->SetMin(value); }

void FormVellumark::SetProgressMaximum(int value) { progress_->SetMax(value); }

void FormVellumark::SetProgressValue(int value) { progress_->SetValue(value); }

void FormVellumark::StepProgress() { progress_->SetValue(progress_->Value() + 1); }

void FormVellumark::PumpMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (stopRequested_) throw RunStopped();
}

void FormVellumark::ShowMessage(std::string_view text) {
  if (stopRequested_) return;
  ::MessageBoxW(Hwnd(), win32::Widen(text).c_str(), win32::Widen(title_).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vellumark::gui
