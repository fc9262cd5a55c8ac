#include "app/win32/output_folder_choice.h"

#include "support/win32/wide_string.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace vellumark::gui {
namespace {

constexpr int kChosen = 0;
constexpr int kCancelled = -1;
constexpr int kDriveNotAccessible = -2;

std::wstring Environment(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return L"";
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Opens the browser with the start folder selected and expanded.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED && startFolder != 0) ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, startFolder);
  return 0;
}

bool DriveReadable(const std::wstring& path) {
  if (path.size() < 3) return false;
  const std::wstring root = path.substr(0, 3);
  wchar_t volume[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  return ::GetVolumeInformationW(root.c_str(), volume, MAX_PATH, nullptr, nullptr, nullptr, fileSystem,
                                 MAX_PATH) != FALSE;
}

}  // namespace

int OutputFolderChoice::Choose(std::string& folder) {
  const std::wstring choiceFile = Environment(L"VELLUMARK_TEST_FOLDER_CHOICE");
  const int status = choiceFile.empty() ? Browse() : FromTestSeam(choiceFile);
  if (status == kChosen) folder = folderName_;
  return status;
}

int OutputFolderChoice::Browse() {
  const std::wstring title = win32::Widen(folderName_);
  const std::wstring start = title;
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  if (chosen == nullptr) return kCancelled;
  wchar_t path[MAX_PATH] = {};
  const bool isPath = ::SHGetPathFromIDListW(chosen, path) != FALSE && path[0] != L'\0';
  ::CoTaskMemFree(chosen);
  if (!isPath) return kCancelled;
  if (!DriveReadable(path)) return kDriveNotAccessible;
  folderName_ = win32::Narrow(path);
  return kChosen;
}

int OutputFolderChoice::FromTestSeam(const std::wstring& choiceFile) {
  std::ifstream file{std::filesystem::path(choiceFile)};
  std::string line;
  if (!file || !std::getline(file, line)) return kCancelled;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) return kCancelled;
  folderName_ = line;
  return kChosen;
}

}  // namespace vellumark::gui
