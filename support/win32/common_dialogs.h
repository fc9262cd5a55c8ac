// The system's standard dialogs behind plain properties: set the fields that
// preset a dialog, call its Show member, read the choice back from the same
// fields. A cancelled dialog changes nothing. Nothing here throws or shows a
// message of its own.
//
//   CommonDialogs dialogs;
//   dialogs.OwnerHwnd = window;
//   dialogs.FolderName = "C:\\Output";  // offered first
//   if (dialogs.ShowBrowse() == 0) use(dialogs.FolderName);
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellumark {

// The printer settings the print setup dialog presets and reads back.
struct PrinterSettings {
  std::int16_t Copies = 0;
  std::int32_t Duplex = 0;
  std::int32_t Orientation = 0;
  std::int32_t PaperSize = 0;
  std::int32_t PaperSource = 0;
  std::int32_t PrintQuality = 0;
  std::string Port;
  std::string PrinterName;
  std::string PrinterType;  // the driver's name
};

class CommonDialogs {
 public:
  // Statuses of ShowBrowse.
  static constexpr int kChosen = 0;
  static constexpr int kCancelled = -1;           // also: the choice has no file-system path
  static constexpr int kDriveNotAccessible = -2;  // the chosen folder's volume cannot be read

  std::uint32_t Color = 0;                      // 0x00BBGGRR
  std::array<std::uint32_t, 16> CustomColors{};  // the colour dialog's custom colours
  std::string FileExtension;                    // default extension of ShowSave, without the dot
  std::string FileName;
  // "Description|pattern|Description|pattern", e.g. "Text files (*.txt)|*.txt|All files|*.*".
  std::string Filter;
  int FilterIndex = 1;  // 1-based
  std::string FolderName;
  bool FontBold = false;
  bool FontItalic = false;
  std::string FontName = "MS Sans Serif";
  int FontSize = 8;  // points
  bool FontStrikeout = false;
  bool FontUnderline = false;
  bool MultiSelect = false;
  void* OwnerHwnd = nullptr;  // HWND
  std::string Title;

  const std::string& FileTitle() const { return fileTitle_; }
  // Every chosen file in full after ShowOpen (several with MultiSelect).
  const std::vector<std::string>& FileNames() const { return fileNames_; }
  // The default printer's settings (empty when there is none), read on
  // first use, so that no printer is asked before one is wanted; after
  // ShowPrint, the printer chosen there.
  const PrinterSettings& Printer() const;

  // The folder browser, starting at FolderName. kChosen puts the chosen
  // folder (without trailing separator) in FolderName.
  int ShowBrowse();
  // True when the user chose OK; see the fields each one reads back.
  bool ShowColor();  // Color, CustomColors
  bool ShowFont();   // FontName, FontSize, FontBold/Italic/Underline/Strikeout, Color
  bool ShowOpen();   // FileName, FileNames, FileTitle, FilterIndex
  bool ShowSave();   // FileName, FileTitle, FilterIndex
  // The printer setup dialog: -1 on OK (Printer() updated), 0 otherwise.
  int ShowPrint();

 private:
  bool ShowFileDialog(bool save);

  std::string fileTitle_;
  std::vector<std::string> fileNames_;
  mutable PrinterSettings printer_;
  mutable bool printerRead_ = false;
};

}  // namespace vellumark
