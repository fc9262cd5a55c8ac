#include "support/win32/common_dialogs.h"

#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <commdlg.h>
#include <shlobj.h>
#include <winspool.h>

#include <cmath>
#include <cwchar>

namespace vellumark {
namespace {

constexpr DWORD kPathBuffer = 32768;  // the longest path the system handles

inline void FreeIdList(LPITEMIDLIST list) { ::CoTaskMemFree(list); }
inline void ReleaseShellFolder(IShellFolder* folder) { folder->Release(); }
inline void FreeGlobal(HGLOBAL memory) { ::GlobalFree(memory); }
inline void ClosePrinterHandle(HANDLE printer) { ::ClosePrinter(printer); }
using UniqueIdList = win32::UniqueAny<LPITEMIDLIST, FreeIdList, 0>;
using UniqueShellFolder = win32::UniqueAny<IShellFolder*, ReleaseShellFolder, 0>;
using UniqueGlobal = win32::UniqueAny<HGLOBAL, FreeGlobal, 0>;
using UniquePrinter = win32::UniqueAny<HANDLE, ClosePrinterHandle, 0>;

// COM for the shell's folder browser, for the duration of one call.
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

// A global memory block locked for reading or writing.
template <typename T>
class Locked {
 public:
  explicit Locked(HGLOBAL memory) : memory_(memory), data_(memory ? static_cast<T*>(::GlobalLock(memory)) : nullptr) {}
  ~Locked() {
    if (data_ != nullptr) ::GlobalUnlock(memory_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  T* get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// The browser's start item and how far the browser has taken it.
struct BrowseStart {
  LPCITEMIDLIST item = nullptr;
  bool shown = false;      // the tree's selection is the start item
  int steadyTicks = 0;     // timer ticks the tree has kept showing it
  ULONGLONG giveUpAt = 0;  // when asking for it again ends anyway
  DWORD opened = 0;        // input tick when the browser came up
};

constexpr UINT kTickMilliseconds = 50;
constexpr int kSteadyTicks = 1000 / kTickMilliseconds;
constexpr ULONGLONG kGiveUpAfter = 5000;

bool UserActedSince(DWORD tick) {
  LASTINPUTINFO input{sizeof input, 0};
  return ::GetLastInputInfo(&input) && static_cast<LONG>(input.dwTime - tick) > 0;
}

// Asks again for the start item while the tree does not show it, as a
// browser still filling its tree may drop or undo a request, until the
// tree has kept it for a second (or five seconds have passed). The
// timer's identifier is the BrowseStart it serves.
void CALLBACK RepeatStart(HWND window, UINT, UINT_PTR timer, DWORD) {
  auto* start = reinterpret_cast<BrowseStart*>(timer);
  start->steadyTicks = start->shown ? start->steadyTicks + 1 : 0;
  if (start->steadyTicks >= kSteadyTicks || ::GetTickCount64() >= start->giveUpAt || UserActedSince(start->opened)) {
    ::KillTimer(window, timer);
    return;
  }
  if (!start->shown) ::SendMessageW(window, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(start->item));
}

// Opens the browser with the start item selected (and so expanded), asked
// for again as above, and no longer once the user acts: a selection the
// user makes is never taken back.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM item, LPARAM data) {
  auto* start = reinterpret_cast<BrowseStart*>(data);
  if (start == nullptr) return 0;
  if (message == BFFM_INITIALIZED) {
    start->opened = ::GetTickCount();
    start->giveUpAt = ::GetTickCount64() + kGiveUpAfter;
    ::SendMessageW(window, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(start->item));
    ::SetTimer(window, reinterpret_cast<UINT_PTR>(start), kTickMilliseconds, RepeatStart);
  } else if (message == BFFM_SELCHANGED) {
    start->shown = item != 0 && ::ILIsEqual(reinterpret_cast<LPCITEMIDLIST>(item), start->item);
  }
  return 0;
}

// "a|b|c" as "a\0b\0c\0\0", the form the file dialogs take.
std::wstring FilterText(std::string_view filter) {
  std::wstring text = win32::Widen(filter);
  for (wchar_t& c : text)
    if (c == L'|') c = L'\0';
  text.append(2, L'\0');
  return text;
}

void TakeDevMode(const DEVMODEW& mode, PrinterSettings& printer) {
  printer.Copies = mode.dmCopies;
  printer.Duplex = mode.dmDuplex;
  printer.Orientation = mode.dmOrientation;
  printer.PaperSize = mode.dmPaperSize;
  printer.PaperSource = mode.dmDefaultSource;
  printer.PrintQuality = mode.dmPrintQuality;
}

PrinterSettings DefaultPrinter() {
  PrinterSettings printer;
  DWORD size = 0;
  ::GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return printer;
  std::wstring name(size, L'\0');
  if (!::GetDefaultPrinterW(name.data(), &size)) return printer;
  name.resize(std::wcslen(name.c_str()));
  UniquePrinter handle;
  if (!::OpenPrinterW(name.data(), handle.put(), nullptr)) return printer;
  DWORD needed = 0;
  ::GetPrinterW(handle.get(), 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !::GetPrinterW(handle.get(), 2, buffer.data(), needed, &needed)) return printer;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  const auto text = [](const wchar_t* value) { return value ? win32::Narrow(value) : std::string(); };
  printer.Port = text(info->pPortName);
  printer.PrinterName = text(info->pPrinterName);
  printer.PrinterType = text(info->pDriverName);
  if (info->pDevMode != nullptr) TakeDevMode(*info->pDevMode, printer);
  return printer;
}

}  // namespace

const PrinterSettings& CommonDialogs::Printer() const {
  if (!printerRead_) printer_ = DefaultPrinter();
  printerRead_ = true;
  return printer_;
}

int CommonDialogs::ShowBrowse() {
  const ComScope com;
  const auto owner = static_cast<HWND>(OwnerHwnd);
  UniqueShellFolder desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.put()))) return kCancelled;
  UniqueIdList start;
  std::wstring folder = win32::Widen(FolderName);
  if (!folder.empty()) {
    ULONG eaten = 0;
    LPITEMIDLIST parsed = nullptr;
    if (SUCCEEDED(desktop.get()->ParseDisplayName(owner, nullptr, folder.data(), &eaten, &parsed, nullptr)))
      start.reset(parsed);
  }
  const std::wstring title = win32::Widen(Title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  BrowseStart offered{start.get()};
  info.lpfn = BrowseCallback;
  info.lParam = start ? reinterpret_cast<LPARAM>(&offered) : 0;
  const UniqueIdList chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return kCancelled;
  std::wstring path(kPathBuffer, L'\0');
  if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), kPathBuffer, GPFIDL_DEFAULT)) return kCancelled;
  path.resize(std::wcslen(path.c_str()));
  // The volume the folder lies on: a drive root or a network share.
  std::wstring root(kPathBuffer, L'\0');
  if (!::GetVolumePathNameW(path.c_str(), root.data(), kPathBuffer)) return kDriveNotAccessible;
  wchar_t volumeName[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
  DWORD serial = 0, maximumLength = 0, flags = 0;
  if (!::GetVolumeInformationW(root.c_str(), volumeName, MAX_PATH + 1, &serial, &maximumLength, &flags, fileSystem,
                               MAX_PATH + 1))
    return kDriveNotAccessible;
  FolderName = win32::Narrow(path);
  return kChosen;
}

bool CommonDialogs::ShowColor() {
  std::array<COLORREF, 16> custom{};
  for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = CustomColors[i];
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = static_cast<HWND>(OwnerHwnd);
  choose.rgbResult = Color;
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!::ChooseColorW(&choose)) return false;
  Color = choose.rgbResult;
  for (std::size_t i = 0; i < custom.size(); ++i) CustomColors[i] = custom[i];
  return true;
}

bool CommonDialogs::ShowFont() {
  LOGFONTW font{};
  {
    win32::WindowDc screen(nullptr);
    // FontSize goes in as a cell height (positive), which includes the
    // font's internal leading: the dialog offers the size of a character
    // that fits that cell, and the size chosen there comes back.
    font.lfHeight = ::MulDiv(FontSize, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
  }
  font.lfWeight = FontBold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = FontItalic;
  font.lfUnderline = FontUnderline;
  font.lfStrikeOut = FontStrikeout;
  win32::Widen(FontName).substr(0, LF_FACESIZE - 1).copy(font.lfFaceName, LF_FACESIZE - 1);
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = static_cast<HWND>(OwnerHwnd);
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = Color;
  if (!::ChooseFontW(&choose)) return false;
  FontName = win32::Narrow(font.lfFaceName);
  FontSize = static_cast<int>(std::nearbyint(choose.iPointSize / 10.0));
  FontBold = font.lfWeight >= FW_BOLD;
  FontItalic = font.lfItalic != 0;
  FontUnderline = font.lfUnderline != 0;
  FontStrikeout = font.lfStrikeOut != 0;
  Color = choose.rgbColors;
  return true;
}

bool CommonDialogs::ShowFileDialog(bool save) {
  std::wstring file(kPathBuffer, L'\0');
  win32::Widen(FileName).substr(0, kPathBuffer - 1).copy(file.data(), kPathBuffer - 1);
  std::wstring title(kPathBuffer, L'\0');
  const std::wstring filter = FilterText(Filter);
  const std::wstring folder = win32::Widen(FolderName);
  const std::wstring caption = win32::Widen(Title);
  const std::wstring extension = win32::Widen(FileExtension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(OwnerHwnd);
  dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathBuffer;
  dialog.lpstrFileTitle = title.data();
  dialog.nMaxFileTitle = kPathBuffer;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (save) {
    dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NODEREFERENCELINKS;
    if (MultiSelect) dialog.Flags |= OFN_ALLOWMULTISELECT;
  }
  if (!(save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog))) return false;
  // Several files come as the folder, then each name, each ended by a zero.
  const std::wstring first = file.c_str();
  fileNames_.clear();
  for (const wchar_t* name = file.c_str() + first.size() + 1; !save && *name != L'\0'; name += std::wcslen(name) + 1) {
    std::wstring path = first;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    fileNames_.push_back(win32::Narrow(path + name));
  }
  if (fileNames_.empty()) fileNames_.push_back(win32::Narrow(first));
  FileName = win32::Narrow(first);
  fileTitle_ = win32::Narrow(title.c_str());
  FilterIndex = static_cast<int>(dialog.nFilterIndex);
  return true;
}

bool CommonDialogs::ShowOpen() { return ShowFileDialog(false); }
bool CommonDialogs::ShowSave() { return ShowFileDialog(true); }

int CommonDialogs::ShowPrint() {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(OwnerHwnd);
  dialog.Flags = PD_PRINTSETUP;
  UniqueGlobal devMode, devNames;
  if (!Printer().PrinterName.empty()) {
    devMode.reset(::GlobalAlloc(GHND, sizeof(DEVMODEW)));
    if (Locked<DEVMODEW> mode(devMode.get()); mode.get() != nullptr) {
      DEVMODEW& m = *mode.get();
      m.dmSize = sizeof m;
      win32::Widen(printer_.PrinterName).substr(0, CCHDEVICENAME - 1).copy(m.dmDeviceName, CCHDEVICENAME - 1);
      m.dmFields = DM_COPIES | DM_DUPLEX | DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_PRINTQUALITY;
      m.dmCopies = printer_.Copies;
      m.dmDuplex = static_cast<short>(printer_.Duplex);
      m.dmOrientation = static_cast<short>(printer_.Orientation);
      m.dmPaperSize = static_cast<short>(printer_.PaperSize);
      m.dmDefaultSource = static_cast<short>(printer_.PaperSource);
      m.dmPrintQuality = static_cast<short>(printer_.PrintQuality);
    }
    const std::wstring driver = win32::Widen(printer_.PrinterType), device = win32::Widen(printer_.PrinterName),
                       port = win32::Widen(printer_.Port);
    const std::size_t characters = sizeof(DEVNAMES) / sizeof(wchar_t) + driver.size() + device.size() + port.size() + 3;
    devNames.reset(::GlobalAlloc(GHND, characters * sizeof(wchar_t)));
    if (Locked<wchar_t> names(devNames.get()); names.get() != nullptr) {
      auto& header = *reinterpret_cast<DEVNAMES*>(names.get());
      auto offset = static_cast<WORD>(sizeof(DEVNAMES) / sizeof(wchar_t));
      for (auto [text, field] : {std::pair{&driver, &header.wDriverOffset}, std::pair{&device, &header.wDeviceOffset},
                                 std::pair{&port, &header.wOutputOffset}}) {
        *field = offset;
        text->copy(names.get() + offset, text->size());
        offset = static_cast<WORD>(offset + text->size() + 1);
      }
    }
  }
  dialog.hDevMode = devMode.release();
  dialog.hDevNames = devNames.release();
  const bool chosen = ::PrintDlgW(&dialog) != FALSE;
  devMode.reset(dialog.hDevMode);  // the dialog may have replaced them; either way they are ours to free
  devNames.reset(dialog.hDevNames);
  if (!chosen) return 0;
  if (Locked<DEVMODEW> mode(devMode.get()); mode.get() != nullptr) TakeDevMode(*mode.get(), printer_);
  if (Locked<wchar_t> names(devNames.get()); names.get() != nullptr) {
    const auto& header = *reinterpret_cast<const DEVNAMES*>(names.get());
    printer_.PrinterType = win32::Narrow(names.get() + header.wDriverOffset);
    printer_.PrinterName = win32::Narrow(names.get() + header.wDeviceOffset);
    printer_.Port = win32::Narrow(names.get() + header.wOutputOffset);
  }
  return -1;
}

}  // namespace vellumark
