#include "app/win32/form_vellumark.h"

#include "app/win32/companion_windows.h"
#include "app/win32/control_ids.h"
#include "app/win32/form_resource.h"
#include "app/win32/main_window_texts.h"
#include "app/win32/single_instance.h"
#include "app/win32/version_info.h"
#include "controls/dpi.h"
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

  const std::optional<controls::FormDescription> form = LoadFormResource(IDR_FORM_VELLUMARK);
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

  // Controls are created in the description's order, which is also the
  // tab order.
  for (const std::string& name : form.Names()) {
    const controls::PropertyStore& store = *form.Find(name);
    const RECT bounds = BoundsOf(store);
    const controls::Placement placement{Hwnd(), bounds};
    HWND created = nullptr;
    if (name == "InfoFrameVellumark") {
      infoFrame_ = std::make_unique<controls::InfoFrame>(placement);
      infoFrame_->ReadProperties(store);
      created = infoFrame_->Hwnd();
    } else if (name == "FrameFolders") {
      created = CreateStandardControl(store, L"BUTTON", BS_GROUPBOX, IDC_FRAME_FOLDERS);
    } else if (name == "ListFoldersFolders") {
      folders_ = std::make_unique<FolderList>(Hwnd(), IDC_LIST_FOLDERS, ScaleBounds(bounds, dpi_));
      folders_->onTickChanged = [this](int) { OnTickChanged(); };
      folders_->refuseUserTicks = [this] { return running_; };
      created = folders_->Hwnd();
    } else if (name == "DropDownButtonProcess") {
      process_ = std::make_unique<controls::DropDownButton>(placement);
      process_->ReadProperties(store);
      process_->onItemClick = [this](controls::PopupMenuItem& item) { OnProcess(item.Index()); };
      created = process_->Hwnd();
      if (created != nullptr) ::SetWindowLongPtrW(created, GWLP_ID, IDC_PROCESS);
    } else if (name == "CommandSelectall") {
      created = CreateStandardControl(store, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDC_SELECT_ALL);
    } else if (name == "CommandRefresh") {
      created = CreateStandardControl(store, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDC_REFRESH);
    } else if (name == "FrameOptions") {
      created = CreateStandardControl(store, L"BUTTON", BS_GROUPBOX, IDC_FRAME_OPTIONS);
    } else if (name == "CheckOptionsReadonly") {
      readOnly_ = CreateStandardControl(store, L"BUTTON", BS_CHECKBOX | WS_TABSTOP, IDC_READ_ONLY);
      created = readOnly_;
    } else if (name == "ProgressBarVellumark") {
      progress_ = std::make_unique<controls::ProgressBar>(placement);
      progress_->ReadProperties(store);
      created = progress_->Hwnd();
      if (created != nullptr) ::SetWindowLongPtrW(created, GWLP_ID, IDC_PROGRESS);
    } else if (name == "StatusBarVellumark") {
      status_ = std::make_unique<controls::StatusBar>(placement);
      status_->ReadProperties(store);
      created = status_->Hwnd();
      if (created != nullptr) ::SetWindowLongPtrW(created, GWLP_ID, IDC_STATUS);
    } else if (name == "SystemMenuVellumark") {
      systemMenu_ = std::make_unique<controls::SystemMenu>(Hwnd());
      systemMenu_->ReadProperties(store);
      systemMenu_->onItemClick = [this](controls::SystemMenuItem& item) { OnAbout(item); };
      continue;
    } else {
      continue;
    }
    if (created == nullptr) return false;
    placed_.push_back({created, bounds});
  }
  if (!infoFrame_ || !folders_ || !process_ || !progress_ || !status_ || !systemMenu_ || readOnly_ == nullptr) {
    return false;
  }
  ApplyFonts();
  PlaceControls();
  win32::CentreOnOwner(Hwnd(), nullptr);
  return true;
}

HWND FormVellumark::CreateStandardControl(const controls::PropertyStore& store, const wchar_t* className,
                                          DWORD style, int id) {
  const RECT bounds = ScaleBounds(BoundsOf(store), dpi_);
  return ::CreateWindowExW(0, className, win32::Widen(store.ReadText("Caption", "")).c_str(),
                           WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

void FormVellumark::ApplyFonts() {
  for (const Placed& control : placed_) {
    ::SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  const controls::FontDescription description = controls::FontDescriptionOf(font_.get(), dpi_);
  process_->SetFont(description);
  status_->SetFont(description);
}

// Sizes the window for its client area at the current DPI and puts every
// control at its place.
void FormVellumark::PlaceControls() {
  const WindowStyle style;
  RECT frame{0, 0, controls::Scale(client96_.cx, dpi_), controls::Scale(client96_.cy, dpi_)};
  ::AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const Placed& control : placed_) {
    const RECT bounds = ScaleBounds(control.bounds96, dpi_);
    if (control.window == folders_->Hwnd()) {
      folders_->Move(bounds);
    } else if (control.window == infoFrame_->Hwnd()) {
      // The header band spans the whole client width.
      ::SetWindowPos(control.window, nullptr, 0, bounds.top, controls::Scale(client96_.cx, dpi_),
                     controls::Scale(controls::InfoFrame::kHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      ::MoveWindow(control.window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   TRUE);
    }
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

// Counts the ticked entries again, so a run's progress reaches its end
// when favorites were added since the list was filled.
void FormVellumark::RefreshTickedCounts() {
  const std::vector<MainFolders> now = favoritesobj_->Initialize();
  for (int i = 0; i < folders_->Count(); ++i) {
    if (!folders_->IsTicked(i)) continue;
    int count = 0;
    for (const MainFolders& folder : now) {
      if (folder.Name == folders_->Text(i)) count = folder.Count;
    }
    totalFavorites_ += count - folders_->FavoriteCount(i);
    folders_->SetFavoriteCount(i, count);
  }
  WriteStatusCounts();
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
  running_ = true;
  const ProcessRunner::Report report = runner_->Run(ProcessFromMenuIndex(index));
  running_ = false;
  if (stopRequested_) {
    stopRequested_ = false;
    if (closeRequested_) ::DestroyWindow(Hwnd());
    return;
  }
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

FolderChoice FormVellumark::ChooseOutputFolder(std::string& folder) {
  const FolderChoice choice = folderChoice_.Choose(folder);
  if (choice == FolderChoice::kChosen) RefreshTickedCounts();
  return choice;
}

int FormVellumark::FolderCount() { return folders_->Count(); }

std::string FormVellumark::FolderText(int index) { return folders_->Text(index); }

bool FormVellumark::IsFolderTicked(int index) { return folders_->IsTicked(index); }

int FormVellumark::FolderFavoriteCount(int index) { return folders_->FavoriteCount(index); }

void FormVellumark::SetCurrentFolder(int index) { folders_->SetCurrent(index); }

void FormVellumark::UntickFolder(int index) { folders_->SetTicked(index, false); }

void FormVellumark::SetStatusText(std::string_view text) { status_->PanelAt(kStatusPanel)->SetText(text); }

void FormVellumark::SetProgressMinimum(int value) { progress_->SetMin(value); }

void FormVellumark::SetProgressMaximum(int value) { progress_->SetMax(value); }

void FormVellumark::SetProgressValue(int value) { progress_->SetValue(value); }

void FormVellumark::StepProgress() { progress_->SetValue(progress_->Value() + 1); }

void FormVellumark::EnableProcessButton(bool enabled) { process_->SetEnabled(enabled); }

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
