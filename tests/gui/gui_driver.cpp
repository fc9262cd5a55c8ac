// vellumark-gui-driver: drives the running vellumark.exe from outside, for
// the end-to-end tests. It finds the main window and its controls by class
// and ID, reads what they show (list entries, status panels) through
// buffers inside the program's process, and sends the messages a click
// would cause where a click cannot be aimed.
//
// Usage: vellumark-gui-driver COMMAND [ARGUMENTS] [-- COMMAND ...]
//   wait-main                  wait (10 s) for the main window to show
//   list                       one line per entry: "[x] text" or "[ ] text"
//   status N                   the text of status panel N, between | |
//   enabled                    1 when the "Process" button is enabled
//   tick I / untick I          change the tick of entry I as a click would
//   click ID                   press the button with child ID (BM_CLICK)
//   process I [MODE]           choose menu entry I of "Process" and wait for
//                              the run to end; message boxes are printed as
//                              "message: text" and acknowledged, the
//                              Generate dialog is confirmed, the folder
//                              browser is given the folder named by
//                              VELLUMARK_DRIVER_FOLDER (cancelled when that
//                              is empty). MODE
//                              cancel-browser / accept-browser: cancel the
//                              folder browser or take the folder it offers
//                              ("browser" printed); probe: once the run
//                              walks (status panel 2 shows its text) try a
//                              tick, a refresh and a second run; close: once
//                              it walks close the main window, wait for it
//                              to go;
//                              generate-checks: at the Generate dialog try
//                              an empty interval, then no template, then
//                              cancel it; escape: once Verify checks links
//                              press Escape
//   rect ID / item-rect I      screen rectangle "x y width height" of a
//                              control / of entry I's check box
//   current                    the index of the list's current entry
//   menu                       1 when a popup menu is open
//   focus                      the child ID of the focused control (the
//                              ID of the custom control around it)
//   about                      choose the About entry of the system menu
//   wait-window TITLE          wait (10 s) for a visible window with TITLE
//   close-window TITLE         close that window and wait for it to go
//   message                    wait (10 s) for a message box with the
//                              application title, print and acknowledge it
//   close                      close the main window and wait for it to go
//   hostile-messages           send WM_APP..WM_APP+16 with odd parameters
//                              to every window of the program; "still
//                              running" when it answers afterwards
//   gui-objects                "gdi N user M": the program's GDI and USER
//                              objects in use, counted inside its process
//                              by vellumark-gui-probe.dll (beside this
//                              driver); see tests/win32/gui_object_count.h
#include "app/win32/control_ids.h"
#include "app/win32/form_generate.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <commctrl.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using vellumark::win32::Narrow;
using vellumark::win32::Widen;

constexpr const wchar_t* kTitle = L"Tarnwell Vellumark";
// The system menu's second entry of ours: (index 1 + 1) * 16.
constexpr WPARAM kAboutCommand = 2 * 16;

[[noreturn]] void Fail(const std::string& text) {
  std::fprintf(stdout, "error: %s\n", text.c_str());
  std::fflush(stdout);
  std::exit(1);
}

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

HWND MainWindow() { return ::FindWindowW(L"VellumarkMainWindow", nullptr); }

HWND Control(int id) {
  HWND control = ::GetDlgItem(MainWindow(), id);
  if (control == nullptr) Fail("no control " + std::to_string(id));
  return control;
}

HWND ProcessButton() { return ::GetWindow(Control(IDC_PROCESS), GW_CHILD); }

HWND StatusBarWindow() { return ::FindWindowExW(Control(IDC_STATUS), nullptr, STATUSCLASSNAMEW, nullptr); }

// A buffer inside the program's process for messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process_ == nullptr) Fail("cannot open the program's process");
    address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) Fail("cannot allocate in the program's process");
  }
  ~RemoteBuffer() {
    ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    ::CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void* get() const { return address_; }
  void Write(const void* bytes, std::size_t size, std::size_t offset = 0) {
    ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, bytes, size, nullptr);
  }
  void Read(void* bytes, std::size_t size, std::size_t offset = 0) const {
    ::ReadProcessMemory(process_, static_cast<char*>(address_) + offset, bytes, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

std::string PanelText(int panel) {
  HWND bar = StatusBarWindow();
  const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0));
  RemoteBuffer buffer(bar, (length + 1) * sizeof(wchar_t));
  ::SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer.get()));
  std::wstring text(length, L'\0');
  buffer.Read(text.data(), length * sizeof(wchar_t));
  return Narrow(text);
}

struct Entry {
  std::string text;
  bool ticked = false;
};

std::vector<Entry> Entries() {
  HWND list = Control(IDC_LIST_FOLDERS);
  const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  constexpr std::size_t kTextSize = 1024;
  RemoteBuffer buffer(list, sizeof(LVITEMW) + kTextSize * sizeof(wchar_t));
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.cchTextMax = kTextSize;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.get()) + sizeof(LVITEMW));
    buffer.Write(&item, sizeof item);
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(buffer.get())));
    std::wstring text(length, L'\0');
    buffer.Read(text.data(), length * sizeof(wchar_t), sizeof(LVITEMW));
    const UINT state = static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
    entries.push_back({Narrow(text), state == INDEXTOSTATEIMAGEMASK(2)});
  }
  return entries;
}

void SetTick(int index, bool ticked) {
  HWND list = Control(IDC_LIST_FOLDERS);
  RemoteBuffer buffer(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  buffer.Write(&item, sizeof item);
  ::SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(buffer.get()));
}

void PrintRect(RECT rect) {
  Print(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
        " " + std::to_string(rect.bottom - rect.top));
}

void ItemRect(int index) {
  HWND list = Control(IDC_LIST_FOLDERS);
  RemoteBuffer buffer(list, sizeof(RECT));
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  buffer.Write(&rect, sizeof rect);
  ::SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(buffer.get()));
  buffer.Read(&rect, sizeof rect);
  // The check box sits at the start of the row, as wide as the row is high.
  RECT box{rect.left, rect.top, rect.left + (rect.bottom - rect.top), rect.bottom};
  ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&box), 2);
  PrintRect(box);
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  ::GetWindowTextW(window, text, 4096);
  return text;
}

// A visible dialog of this desktop with the given title, or null.
HWND FindDialog(const wchar_t* title) {
  HWND found = nullptr;
  while ((found = ::FindWindowExW(nullptr, found, L"#32770", title)) != nullptr) {
    if (::IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// Prints and acknowledges a message box with the application title; false
// when none is shown.
bool AcknowledgeMessage() {
  HWND box = FindDialog(kTitle);
  if (box == nullptr) return false;
  HWND text = ::GetDlgItem(box, 0xFFFF);
  Print("message: " + Narrow(WindowText(text)));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  while (::IsWindow(box)) ::Sleep(20);
  return true;
}

void WaitMessage() {
  for (int tries = 0; tries < 500; ++tries) {
    if (AcknowledgeMessage()) return;
    ::Sleep(20);
  }
  Fail("no message box");
}

enum class RunMode { kPlain, kCancelBrowser, kAcceptBrowser, kProbe, kClose, kGenerateChecks, kEscape };

// Presses OK on the Generate dialog with an empty interval, then with a
// valid one and no template chosen (each message is printed), then cancels.
void TryGenerateChecks(HWND dialog) {
  HWND interval = ::GetDlgItem(dialog, vellumark::FormGenerate::kTextInterval);
  ::SendMessageW(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  WaitMessage();
  ::SendMessageW(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
  ::SendMessageW(::GetDlgItem(dialog, vellumark::FormGenerate::kComboTemplate), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  WaitMessage();
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// While the run walks its folders: tries to untick the last
// entry, to refresh the list and to start a second run, and prints what
// became of each. The run answers one message per favorite it passes, so
// the probe asks as little as it can to act well inside the walk.
void ProbeRunningWindow() {
  HWND list = Control(IDC_LIST_FOLDERS);
  const auto count = [list] { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
  const int entries = count();
  const auto lastTicked = [list, entries] {
    return static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, entries - 1, LVIS_STATEIMAGEMASK)) ==
           INDEXTOSTATEIMAGEMASK(2);
  };
  const std::string status = PanelText(2);
  SetTick(entries - 1, false);
  Print(lastTicked() ? "tick during run: refused" : "tick during run: accepted");
  ::SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(IDC_REFRESH)));
  Print(count() == entries && lastTicked() ? "refresh during run: refused" : "refresh during run: accepted");
  // A second run (Check) would show its own status text and leave a
  // Check.txt among the outputs, which are compared with the console's.
  ::SendMessageW(ProcessButton(), WM_COMMAND, 0, 0);
  const std::string after = PanelText(2);
  const bool sameRun = after.empty() || after.starts_with(status.substr(0, status.find(' ')));
  Print(sameRun ? "second run: refused" : "second run: started");
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[4096] = {};
  ::GetEnvironmentVariableW(name, value, 4096);
  return value;
}

// The text of the browser's selected tree item.
std::wstring BrowserSelection(HWND browser) {
  HWND tree = ::FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
  const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (tree == nullptr || item == nullptr) return L"";
  constexpr std::size_t kTextSize = 1024;
  RemoteBuffer buffer(tree, sizeof(TVITEMW) + kTextSize * sizeof(wchar_t));
  TVITEMW request{};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.cchTextMax = kTextSize;
  request.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.get()) + sizeof(TVITEMW));
  buffer.Write(&request, sizeof request);
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.get()));
  std::wstring text(kTextSize, L'\0');
  buffer.Read(text.data(), kTextSize * sizeof(wchar_t), sizeof(TVITEMW));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

// Selects the folder (or, with kAcceptBrowser, keeps the one offered) and
// presses OK, or cancels. The browser selects its start folder itself as it
// settles, which may come after a request of ours, so the request is made
// again until the tree keeps showing the folder.
void AnswerBrowser(HWND browser, RunMode mode) {
  const std::wstring folder = Environment(L"VELLUMARK_DRIVER_FOLDER");
  const bool accept = mode == RunMode::kAcceptBrowser || (mode != RunMode::kCancelBrowser && !folder.empty());
  if (mode == RunMode::kCancelBrowser || mode == RunMode::kAcceptBrowser) Print("browser");
  RemoteBuffer path(browser, (folder.size() + 1) * sizeof(wchar_t));
  if (accept && mode != RunMode::kAcceptBrowser) {
    path.Write(folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    const std::wstring name = folder.substr(folder.find_last_of(L'\\') + 1);
    // Posted, so it comes after the browser's own request in its queue; the
    // folder must show twice in a row before OK.
    const auto shown = [&] { return BrowserSelection(browser) == name; };
    for (int tries = 0; tries < 100; ++tries) {
      ::PostMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.get()));
      ::Sleep(300);
      if (shown() && (::Sleep(300), shown())) break;
    }
  }
  ::PostMessageW(browser, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
  for (int tries = 0; tries < 1500 && ::IsWindow(browser); ++tries) ::Sleep(20);
}

// Answers what a run asks while the driver waits for it.
void WatchRun(std::atomic<bool>& done, RunMode mode) {
  bool walking = false;
  while (!done) {
    // The window answers between two favorites, so these land in the walk.
    if (!walking && (mode == RunMode::kProbe || mode == RunMode::kClose) && !PanelText(2).empty()) {
      walking = true;
      if (mode == RunMode::kProbe) ProbeRunningWindow();
      if (mode == RunMode::kClose) ::PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
    }
    if (!walking && mode == RunMode::kEscape && PanelText(2).starts_with("Verifying links")) {
      walking = true;
      ::PostMessageW(MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    AcknowledgeMessage();
    if (HWND generate = FindDialog(L"Generate")) {
      Print("generate dialog");
      if (mode == RunMode::kGenerateChecks) {
        TryGenerateChecks(generate);
      } else {
        ::PostMessageW(generate, WM_COMMAND, IDOK, 0);
      }
      while (::IsWindow(generate) && !done) ::Sleep(20);
    }
    HWND found = nullptr;
    while ((found = ::FindWindowExW(nullptr, found, L"#32770", nullptr)) != nullptr) {
      if (!::IsWindowVisible(found) || WindowText(found) == kTitle || WindowText(found) == L"Generate") continue;
      AnswerBrowser(found, mode);
      while (::IsWindow(found) && !done) ::Sleep(20);
      break;
    }
    ::Sleep(20);
  }
}

void RunProcess(int index, RunMode mode) {
  std::atomic<bool> done = false;
  std::thread watcher(WatchRun, std::ref(done), mode);
  if (mode == RunMode::kClose) {
    HWND main = MainWindow();
    ::PostMessageW(ProcessButton(), WM_COMMAND, static_cast<WPARAM>(index), 0);
    for (int tries = 0; tries < 1500 && ::IsWindow(main); ++tries) ::Sleep(20);
  } else {
    ::SendMessageW(ProcessButton(), WM_COMMAND, static_cast<WPARAM>(index), 0);
  }
  done = true;
  watcher.join();
  Print("run ended");
}

void WaitMain() {
  for (int tries = 0; tries < 500; ++tries) {
    HWND main = MainWindow();
    if (main != nullptr && ::IsWindowVisible(main)) {
      Print("main window");
      return;
    }
    ::Sleep(20);
  }
  Fail("the main window did not show");
}

void PrintFocus() {
  HWND main = MainWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info) || info.hwndFocus == nullptr) {
    Print("none");
    return;
  }
  // The focused window, or its ancestor that is a direct child of the main window.
  HWND control = info.hwndFocus;
  while (control != nullptr && ::GetParent(control) != main) control = ::GetParent(control);
  Print(control != nullptr ? std::to_string(::GetDlgCtrlID(control)) : "outside");
}

// A visible top-level window with the title, or null.
HWND FindTitled(const std::wstring& title) {
  HWND found = nullptr;
  while ((found = ::FindWindowExW(nullptr, found, nullptr, title.c_str())) != nullptr) {
    if (::IsWindowVisible(found)) return found;
  }
  return nullptr;
}

void WaitWindow(const std::string& title) {
  for (int tries = 0; tries < 500; ++tries) {
    if (FindTitled(Widen(title)) != nullptr) {
      Print("window: " + title);
      return;
    }
    ::Sleep(20);
  }
  Fail("no window " + title);
}

void CloseWindow(const std::string& title) {
  HWND window = FindTitled(Widen(title));
  if (window == nullptr) Fail("no window " + title);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  for (int tries = 0; tries < 500 && ::IsWindow(window); ++tries) ::Sleep(20);
  Print("closed");
}

void Close() {
  HWND main = MainWindow();
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  for (int tries = 0; tries < 500 && ::IsWindow(main); ++tries) ::Sleep(20);
  if (::IsWindow(main)) Fail("the main window stays");
  Print("closed");
}

// Sends the program's own message numbers, with parameters that are no
// valid pointers there, to each of its windows and their children.
void SendHostileMessages() {
  DWORD program = 0;
  ::GetWindowThreadProcessId(MainWindow(), &program);
  std::vector<HWND> windows;
  const auto collect = [](HWND window, LPARAM found) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
  };
  ::EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [&](HWND window) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    return owner != program;
  });
  for (std::size_t i = 0, tops = windows.size(); i < tops; ++i)
    ::EnumChildWindows(windows[i], collect, reinterpret_cast<LPARAM>(&windows));
  constexpr WPARAM kOdd[] = {1, 0x10, 0xFFFF, 0xDEADBEEF, static_cast<WPARAM>(-1), 0x7FFE0000};
  for (HWND window : windows) {
    for (UINT message = WM_APP; message <= WM_APP + 16; ++message) {
      for (WPARAM value : kOdd) {
        ::SendMessageTimeoutW(window, message, value, static_cast<LPARAM>(value * 7), SMTO_ABORTIFHUNG, 2000, nullptr);
      }
    }
  }
  Print(::SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0 ? "still running"
                                                                                                  : "gone");
}

// Runs `start` in the program's process and returns its exit code.
DWORD RunRemote(HANDLE process, void* start, void* argument) {
  const vellumark::win32::UniqueHandle thread(::CreateRemoteThread(
      process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), argument, 0, nullptr));
  if (!thread) Fail("cannot start a thread in the program's process");
  if (::WaitForSingleObject(thread.get(), 300000) != WAIT_OBJECT_0) Fail("the thread in the program's process hangs");
  DWORD code = 0;
  ::GetExitCodeThread(thread.get(), &code);
  return code;
}

// The base address of the module `name` in the program's process.
char* RemoteModule(HANDLE process, const std::wstring& name) {
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (!::EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
    Fail("cannot list the program's modules");
  modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    wchar_t base[MAX_PATH] = {};
    ::GetModuleBaseNameW(process, module, base, MAX_PATH);
    if (::lstrcmpiW(base, name.c_str()) == 0) return reinterpret_cast<char*>(module);
  }
  Fail("no module " + Narrow(name) + " in the program's process");
}

// The address in the program's process of `function`, exported by the
// module `name` that this process has loaded at `local`.
void* RemoteFunction(HANDLE process, HMODULE local, const std::wstring& name, const char* function) {
  const auto address = reinterpret_cast<char*>(::GetProcAddress(local, function));
  if (address == nullptr) Fail(std::string("no function ") + function);
  return RemoteModule(process, name) + (address - reinterpret_cast<char*>(local));
}

// Loads the probe library into the program, counts there, unloads it.
void PrintGuiObjects() {
  constexpr const wchar_t* kProbe = L"vellumark-gui-probe.dll";
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring probePath = self;
  probePath.erase(probePath.find_last_of(L"\\/") + 1);
  probePath += kProbe;
  const vellumark::win32::UniqueModule probe(::LoadLibraryW(probePath.c_str()));
  if (!probe) Fail("cannot load " + Narrow(probePath));
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");

  DWORD id = 0;
  ::GetWindowThreadProcessId(MainWindow(), &id);
  const vellumark::win32::UniqueHandle process(
      ::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                        PROCESS_VM_WRITE,
                    FALSE, id));
  if (!process) Fail("cannot open the program's process");
  RemoteBuffer path(MainWindow(), (probePath.size() + 1) * sizeof(wchar_t));
  path.Write(probePath.c_str(), (probePath.size() + 1) * sizeof(wchar_t));
  if (RunRemote(process.get(), RemoteFunction(process.get(), kernel, L"kernel32.dll", "LoadLibraryW"), path.get()) == 0)
    Fail("the program cannot load " + Narrow(probePath));
  void* count = RemoteFunction(process.get(), probe.get(), kProbe, "CountGuiObjectsOfKind");
  const auto gdi = static_cast<std::int32_t>(RunRemote(process.get(), count, nullptr));
  const auto user = static_cast<std::int32_t>(RunRemote(process.get(), count, reinterpret_cast<void*>(1)));
  RunRemote(process.get(), RemoteFunction(process.get(), kernel, L"kernel32.dll", "FreeLibrary"),
            RemoteModule(process.get(), kProbe));
  Print("gdi " + std::to_string(gdi) + " user " + std::to_string(user));
}

int Number(const std::vector<std::string>& command, std::size_t at) {
  if (command.size() <= at) Fail("missing number for " + command[0]);
  return std::stoi(command[at]);
}

void Run(const std::vector<std::string>& command) {
  const std::string& name = command[0];
  if (name == "wait-main") {
    WaitMain();
  } else if (name == "list") {
    for (const Entry& entry : Entries()) Print((entry.ticked ? "[x] " : "[ ] ") + entry.text);
  } else if (name == "status") {
    Print("|" + PanelText(Number(command, 1)) + "|");
  } else if (name == "enabled") {
    Print(::IsWindowEnabled(ProcessButton()) ? "1" : "0");
  } else if (name == "tick" || name == "untick") {
    SetTick(Number(command, 1), name == "tick");
  } else if (name == "click") {
    ::SendMessageW(Control(Number(command, 1)), BM_CLICK, 0, 0);
  } else if (name == "process") {
    const std::string mode = command.size() > 2 ? command[2] : "";
    RunProcess(Number(command, 1), mode == "cancel-browser" ? RunMode::kCancelBrowser
                                   : mode == "accept-browser" ? RunMode::kAcceptBrowser
                                   : mode == "probe"        ? RunMode::kProbe
                                   : mode == "close"        ? RunMode::kClose
                                   : mode == "generate-checks" ? RunMode::kGenerateChecks
                                   : mode == "escape"       ? RunMode::kEscape
                                                            : RunMode::kPlain);
  } else if (name == "rect") {
    RECT rect{};
    ::GetWindowRect(Control(Number(command, 1)), &rect);
    PrintRect(rect);
  } else if (name == "item-rect") {
    ItemRect(Number(command, 1));
  } else if (name == "current") {
    Print(std::to_string(::SendMessageW(Control(IDC_LIST_FOLDERS), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                        LVNI_FOCUSED)));
  } else if (name == "menu") {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    Print(menu != nullptr && ::IsWindowVisible(menu) ? "1" : "0");
  } else if (name == "focus") {
    PrintFocus();
  } else if (name == "about") {
    ::PostMessageW(MainWindow(), WM_SYSCOMMAND, kAboutCommand, 0);
  } else if (name == "wait-window") {
    if (command.size() < 2) Fail("wait-window needs a title");
    WaitWindow(command[1]);
  } else if (name == "close-window") {
    if (command.size() < 2) Fail("close-window needs a title");
    CloseWindow(command[1]);
  } else if (name == "message") {
    WaitMessage();
  } else if (name == "close") {
    Close();
  } else if (name == "hostile-messages") {
    SendHostileMessages();
  } else if (name == "gui-objects") {
    PrintGuiObjects();
  } else {
    Fail("unknown command " + name);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> command;
  for (int i = 1; i <= argc; ++i) {
    if (i == argc || std::wstring_view(argv[i]) == L"--") {
      if (!command.empty()) Run(command);
      command.clear();
    } else {
      command.push_back(Narrow(argv[i]));
    }
  }
  return 0;
}
