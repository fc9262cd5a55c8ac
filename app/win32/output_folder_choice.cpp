#include "app/win32/output_folder_choice.h"

#include "support/win32/wide_string.h"

#include <filesystem>
#include <fstream>

namespace vellumark::gui {
namespace {

constexpr int kCancelled = CommonDialogs::kCancelled;

std::wstring Environment(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return L"";
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

}  // namespace

int OutputFolderChoice::Choose(std::string& folder) {
  const std::wstring choiceFile = Environment(L"VELLUMARK_TEST_FOLDER_CHOICE");
  int status = kCancelled;
  if (choiceFile.empty()) {
    // The prompt shows the folder offered first.
    dialogs_.Title = dialogs_.FolderName;
    status = dialogs_.ShowBrowse();
  } else {
    status = FromTestSeam(choiceFile);
  }
  if (status == CommonDialogs::kChosen) folder = dialogs_.FolderName;
  return status;
}

int OutputFolderChoice::FromTestSeam(const std::wstring& choiceFile) {
  std::ifstream file{std::filesystem::path(choiceFile)};
  std::string line;
  if (!file || !std::getline(file, line)) return kCancelled;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) return kCancelled;
  dialogs_.FolderName = line;
  return CommonDialogs::kChosen;
}

}  // namespace vellumark::gui
