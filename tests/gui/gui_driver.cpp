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
//   tick I / untick I          tick or untick entry I
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
#include <functional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

using vellumark::win32::Narrow;
using vellumark::win32::UniqueHandle;
using vellumark::win32::Widen;
using Command = std::vector<std::string>;

constexpr const wchar_t* kTitle = L"Tarnwell Vellumark";
// The system menu's second entry of ours: (index 1 + 1) * 16.
constexpr WPARAM kAboutCommand = 2 * 16;

void Print(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& text) {
  Print("error: " + text);
  std::exit(1);
}

// Polls `done` every 20 ms, `tries` times at most; whether it came true.
bool WaitFor(const std::function<bool()>& done, int tries = 500) {
  for (int i = 0; i < tries; ++i, ::Sleep(20))
    if (done()) return true;
  return done();
}

HWND MainWindow() { return ::FindWindowW(L"VellumarkMainWindow", nullptr); }

HWND Control(int id) {
  HWND control = ::GetDlgItem(MainWindow(), id);
  if (control == nullptr) Fail("no control " + std::to_string(id));
  return control;
}

HWND ProcessButton() { return ::GetWindow(Control(IDC_PROCESS), GW_CHILD); }
HWND List() { return Control(IDC_LIST_FOLDERS); }

UniqueHandle OpenProgram(HWND window, DWORD access) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  UniqueHandle process(::OpenProcess(access, FALSE, id));
  if (!process) Fail("cannot open the program's process");
  return process;
}

// A buffer inside the program's process for messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size)
      : process_(OpenProgram(window, PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE)),
        address_(::VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (address_ == nullptr) Fail("cannot allocate in the program's process");
  }
  ~RemoteBuffer() { ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* get() const { return static_cast<char*>(address_); }
  void Write(const void* bytes, std::size_t size) { ::WriteProcessMemory(process_.get(), get(), bytes, size, nullptr); }
  void Read(void* bytes, std::size_t size, std::size_t offset) const {
    ::ReadProcessMemory(process_.get(), get() + offset, bytes, size, nullptr);
  }

 private:
  UniqueHandle process_;
  void* address_;
};

// The text `message` writes into the program's process: after `request`
// (an item structure that is pointed at the text) or, without one, alone.
template <typename Request = std::nullptr_t>
std::string RemoteText(HWND window, UINT message, WPARAM wParam, Request request = nullptr, std::size_t chars = 1024) {
  constexpr std::size_t kHeader = std::is_same_v<Request, std::nullptr_t> ? 0 : sizeof(Request);
  RemoteBuffer buffer(window, kHeader + chars * sizeof(wchar_t));
  if constexpr (kHeader > 0) {
    request.pszText = reinterpret_cast<wchar_t*>(buffer.get() + kHeader);
    request.cchTextMax = static_cast<int>(chars);
    buffer.Write(&request, sizeof request);
  }
  ::SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(buffer.get()));
  std::wstring text(chars, L'\0');
  buffer.Read(text.data(), chars * sizeof(wchar_t), kHeader);
  return Narrow(text.c_str());
}

std::string PanelText(int panel) {
  HWND bar = ::FindWindowExW(Control(IDC_STATUS), nullptr, STATUSCLASSNAMEW, nullptr);
  const std::size_t length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0));
  return RemoteText(bar, SB_GETTEXTW, panel, nullptr, length + 1);
}

int EntryCount() { return static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
bool Ticked(int index) {
  return static_cast<UINT>(::SendMessageW(List(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK)) ==
         INDEXTOSTATEIMAGEMASK(2);
}

void SetTick(int index, bool ticked) {
  RemoteBuffer buffer(List(), sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  buffer.Write(&item, sizeof item);
  ::SendMessageW(List(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(buffer.get()));
}

// "x y width height" of a rectangle in screen coordinates.
void PrintRect(RECT r) {
  Print(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
        std::to_string(r.bottom - r.top));
}

// Entry I's check box: the start of its row, as wide as the row is high.
void ItemRect(int index) {
  RemoteBuffer buffer(List(), sizeof(RECT));
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  buffer.Write(&r, sizeof r);
  ::SendMessageW(List(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(buffer.get()));
  buffer.Read(&r, sizeof r, 0);
  r.right = r.left + (r.bottom - r.top);
  ::MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  PrintRect(r);
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  ::GetWindowTextW(window, text, 4096);
  return text;
}

// A visible top-level window of this desktop with the class and title
// (any title when null), or null.
HWND FindVisible(const wchar_t* className, const wchar_t* title) {
  HWND found = nullptr;
  do found = ::FindWindowExW(nullptr, found, className, title);
  while (found != nullptr && !::IsWindowVisible(found));
  return found;
}

void CloseAndWait(HWND window) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!WaitFor([window] { return !::IsWindow(window); })) Fail("the window stays");
  Print("closed");
}

// Prints and acknowledges a message box with the application title; false
// when none is shown.
bool AcknowledgeMessage() {
  HWND box = FindVisible(L"#32770", kTitle);
  if (box == nullptr) return false;
  Print("message: " + Narrow(WindowText(::GetDlgItem(box, 0xFFFF))));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitFor([box] { return !::IsWindow(box); });
  return true;
}

void WaitMessage() {
  if (!WaitFor(AcknowledgeMessage)) Fail("no message box");
}

// How a run is answered: "" (plainly), "cancel-browser", "accept-browser",
// "probe", "close", "generate-checks" or "escape" (pressed while Verify
// checks its links).
using RunMode = std::string;

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

// While the run walks its folders: tries to untick the last entry, to
// refresh the list and to start a second run, and prints what became of
// each. The run answers one message per favorite it passes, so the probe
// asks as little as it can to act well inside the walk.
void ProbeRunningWindow() {
  const int entries = EntryCount();
  const std::string status = PanelText(2);
  SetTick(entries - 1, false);
  Print(Ticked(entries - 1) ? "tick during run: refused" : "tick during run: accepted");
  ::SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(IDC_REFRESH)));
  Print(EntryCount() == entries && Ticked(entries - 1) ? "refresh during run: refused" : "refresh during run: accepted");
  // A second run (Check) would show its own status text and leave a
  // Check.txt among the outputs, which are compared with the console's.
  ::SendMessageW(ProcessButton(), WM_COMMAND, 0, 0);
  const std::string after = PanelText(2);
  const bool sameRun = after.empty() || after.starts_with(status.substr(0, status.find(' ')));
  Print(sameRun ? "second run: refused" : "second run: started");
}

// The text of the browser's selected tree item.
std::string BrowserSelection(HWND browser) {
  HWND tree = ::FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
  const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (tree == nullptr || item == nullptr) return "";
  TVITEMW request{};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  return RemoteText(tree, TVM_GETITEMW, 0, request);
}

// Selects the folder (or, with kAcceptBrowser, keeps the one offered) and
// presses OK, or cancels. The browser selects its start folder itself as it
// settles, which may come after a request of ours, so the request is made
// again until the tree keeps showing the folder.
void AnswerBrowser(HWND browser, const RunMode& mode) {
  wchar_t value[4096] = {};
  ::GetEnvironmentVariableW(L"VELLUMARK_DRIVER_FOLDER", value, 4096);
  const std::wstring folder = value;
  const bool accept = mode == "accept-browser" || (mode != "cancel-browser" && !folder.empty());
  if (mode == "cancel-browser" || mode == "accept-browser") Print("browser");
  if (accept && mode != "accept-browser") {
    RemoteBuffer path(browser, (folder.size() + 1) * sizeof(wchar_t));
    path.Write(folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    const std::string name = Narrow(folder.substr(folder.find_last_of(L'\\') + 1));
    // Posted, so it comes after the browser's own request in its queue; the
    // folder must show twice in a row before OK.
    const auto shown = [&] { return BrowserSelection(browser) == name; };
    WaitFor(
        [&] {
          ::PostMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.get()));
          ::Sleep(300);
          return shown() && (::Sleep(300), shown());
        },
        100);
  }
  ::PostMessageW(browser, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
  WaitFor([browser] { return !::IsWindow(browser); }, 1500);
}

// Answers what a run asks while the driver waits for it.
void WatchRun(std::atomic<bool>& done, const RunMode& mode) {
  bool walking = false;
  const auto whileOpen = [&done](HWND window) { WaitFor([&] { return done || !::IsWindow(window); }, 1 << 30); };
  for (; !done; ::Sleep(20)) {
    // The window answers between two favorites, so these land in the walk.
    if (!walking && (mode == "probe" || mode == "close") && !PanelText(2).empty()) {
      walking = true;
      if (mode == "probe") ProbeRunningWindow();
      if (mode == "close") ::PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
    }
    if (!walking && mode == "escape" && PanelText(2).starts_with("Verifying links")) {
      walking = true;
      ::PostMessageW(MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    AcknowledgeMessage();
    if (HWND generate = FindVisible(L"#32770", L"Generate")) {
      Print("generate dialog");
      if (mode == "generate-checks") TryGenerateChecks(generate);
      else ::PostMessageW(generate, WM_COMMAND, IDOK, 0);
      whileOpen(generate);
    }
    HWND found = nullptr;
    while ((found = ::FindWindowExW(nullptr, found, L"#32770", nullptr)) != nullptr) {
      if (!::IsWindowVisible(found) || WindowText(found) == kTitle || WindowText(found) == L"Generate") continue;
      AnswerBrowser(found, mode);
      whileOpen(found);
      break;
    }
  }
}

void RunProcess(int index, const RunMode& mode) {
  std::atomic<bool> done = false;
  std::thread watcher(WatchRun, std::ref(done), mode);
  // Closing: the run is started without waiting for it, then the window must go.
  const HWND main = MainWindow();
  if (mode == "close") ::PostMessageW(ProcessButton(), WM_COMMAND, static_cast<WPARAM>(index), 0);
  else ::SendMessageW(ProcessButton(), WM_COMMAND, static_cast<WPARAM>(index), 0);
  if (mode == "close") WaitFor([main] { return !::IsWindow(main); }, 1500);
  done = true;
  watcher.join();
  Print("run ended");
}

void PrintFocus() {
  HWND main = MainWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info) || info.hwndFocus == nullptr)
    return Print("none");
  // The focused window, or its ancestor that is a direct child of the main window.
  HWND control = info.hwndFocus;
  while (control != nullptr && ::GetParent(control) != main) control = ::GetParent(control);
  Print(control != nullptr ? std::to_string(::GetDlgCtrlID(control)) : "outside");
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
  for (HWND window : windows)
    for (UINT message = WM_APP; message <= WM_APP + 16; ++message)
      for (WPARAM value : kOdd)
        ::SendMessageTimeoutW(window, message, value, static_cast<LPARAM>(value * 7), SMTO_ABORTIFHUNG, 2000, nullptr);
  const bool answers = ::SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
  Print(answers ? "still running" : "gone");
}

// Runs `start` in the program's process and returns its exit code.
DWORD RunRemote(HANDLE process, void* start, void* argument) {
  const UniqueHandle thread(::CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                                 argument, 0, nullptr));
  if (!thread) Fail("cannot start a thread in the program's process");
  if (::WaitForSingleObject(thread.get(), 300000) != WAIT_OBJECT_0) Fail("the thread in the program's process hangs");
  DWORD code = 0;
  ::GetExitCodeThread(thread.get(), &code);
  return code;
}

// Where `function` of the module `name`, loaded here at `local`, lies in
// the program's process; without `function`, the module's base there.
char* RemoteAddress(HANDLE process, HMODULE local, const wchar_t* name, const char* function = nullptr) {
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  ::EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed);
  modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    wchar_t base[MAX_PATH] = {};
    ::GetModuleBaseNameW(process, module, base, MAX_PATH);
    if (::lstrcmpiW(base, name) != 0) continue;
    if (function == nullptr) return reinterpret_cast<char*>(module);
    const auto address = reinterpret_cast<char*>(::GetProcAddress(local, function));
    if (address == nullptr) Fail(std::string("no function ") + function);
    return reinterpret_cast<char*>(module) + (address - reinterpret_cast<char*>(local));
  }
  Fail("no module " + Narrow(name) + " in the program's process");
}

// Loads the probe library into the program, counts there, unloads it.
void PrintGuiObjects() {
  constexpr const wchar_t* kProbe = L"vellumark-gui-probe.dll";
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring probePath = self;
  probePath.replace(probePath.find_last_of(L"\\/") + 1, std::wstring::npos, kProbe);
  const vellumark::win32::UniqueModule probe(::LoadLibraryW(probePath.c_str()));
  if (!probe) Fail("cannot load " + Narrow(probePath));
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const UniqueHandle process = OpenProgram(MainWindow(), PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                                             PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE);
  RemoteBuffer path(MainWindow(), (probePath.size() + 1) * sizeof(wchar_t));
  path.Write(probePath.c_str(), (probePath.size() + 1) * sizeof(wchar_t));
  if (RunRemote(process.get(), RemoteAddress(process.get(), kernel, L"kernel32.dll", "LoadLibraryW"), path.get()) == 0)
    Fail("the program cannot load " + Narrow(probePath));
  void* count = RemoteAddress(process.get(), probe.get(), kProbe, "CountGuiObjectsOfKind");
  const auto gdi = static_cast<std::int32_t>(RunRemote(process.get(), count, nullptr));
  const auto user = static_cast<std::int32_t>(RunRemote(process.get(), count, reinterpret_cast<void*>(1)));
  RunRemote(process.get(), RemoteAddress(process.get(), kernel, L"kernel32.dll", "FreeLibrary"),
            RemoteAddress(process.get(), probe.get(), kProbe));
  Print("gdi " + std::to_string(gdi) + " user " + std::to_string(user));
}

int Number(const Command& command) {
  if (command.size() < 2) Fail("missing argument for " + command[0]);
  return std::stoi(command[1]);
}

const std::wstring Title(const Command& command) {
  if (command.size() < 2) Fail(command[0] + " needs a title");
  return Widen(command[1]);
}

void WaitOrFail(const std::function<bool()>& done, const std::string& failure, const std::string& success) {
  if (!WaitFor(done)) Fail(failure);
  Print(success);
}

void Run(const Command& c) {
  const std::string& name = c[0];
  if (name == "wait-main")
    WaitOrFail([] { return MainWindow() != nullptr && ::IsWindowVisible(MainWindow()); },
               "the main window did not show", "main window");
  else if (name == "list")
    for (int i = 0, count = EntryCount(); i < count; ++i)
      Print((Ticked(i) ? "[x] " : "[ ] ") + RemoteText(List(), LVM_GETITEMTEXTW, i, LVITEMW{}));
  else if (name == "status") Print("|" + PanelText(Number(c)) + "|");
  else if (name == "enabled") Print(::IsWindowEnabled(ProcessButton()) ? "1" : "0");
  else if (name == "tick" || name == "untick") SetTick(Number(c), name == "tick");
  else if (name == "click") ::SendMessageW(Control(Number(c)), BM_CLICK, 0, 0);
  else if (name == "process") RunProcess(Number(c), c.size() > 2 ? c[2] : "");
  else if (name == "rect") {
    RECT rect{};
    ::GetWindowRect(Control(Number(c)), &rect);
    PrintRect(rect);
  } else if (name == "item-rect") ItemRect(Number(c));
  else if (name == "current")
    Print(std::to_string(::SendMessageW(List(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)));
  else if (name == "menu") Print(FindVisible(L"#32768", nullptr) != nullptr ? "1" : "0");
  else if (name == "focus") PrintFocus();
  else if (name == "about") ::PostMessageW(MainWindow(), WM_SYSCOMMAND, kAboutCommand, 0);
  else if (name == "wait-window")
    WaitOrFail([&] { return FindVisible(nullptr, Title(c).c_str()) != nullptr; }, "no window " + c[1],
               "window: " + c[1]);
  else if (name == "close-window") {
    HWND window = FindVisible(nullptr, Title(c).c_str());
    if (window == nullptr) Fail("no window " + c[1]);
    CloseAndWait(window);
  } else if (name == "message") WaitMessage();
  else if (name == "close") CloseAndWait(MainWindow());
  else if (name == "hostile-messages") SendHostileMessages();
  else if (name == "gui-objects") PrintGuiObjects();
  else Fail("unknown command " + name);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Command command;
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
