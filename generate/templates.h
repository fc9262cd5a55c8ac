// Template sets: folders of nine HTML fragments in the "Templates" folder
// beside the program, from which the site generator builds its pages.
//
// A fragment file is read line by line (a line ends at CR or CR LF; a bare
// LF stays inside its line), every line gets `indent` spaces in front and
// CR LF after it, and the final CR LF is dropped unless `keepnewline`. Then
// each (placeholder, value) pair replaces every occurrence of its
// placeholder, left to right, case-sensitive, without rescanning what it
// inserted. Last, when `count` >= 0, the first plural choice "||one,many||"
// becomes "one" for a count of 1 and "many" otherwise (every occurrence of
// that same choice); a choice without exactly two words stays as it is.
#pragma once

#include "support/file_services.h"
#include "support/program_folder.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumark {

// What Templates::Enumerate fills (the options dialog's combo box, a test
// list, the CLI).
class TemplateList {
 public:
  virtual ~TemplateList() = default;
  virtual void Clear() = 0;
  virtual void AddItem(std::string_view name) = 0;
};

// (placeholder, value), applied in order.
using Replacements = std::vector<std::pair<std::string, std::string>>;

class Templates {
 public:
  // FolderName = programFolder + "Templates" + separator; creates that
  // folder when missing (failure ignored; nothing is created when the
  // program folder is unknown).
  explicit Templates(std::string_view programFolder = ProgramFolder(), FileServices& services = NativeFileServices());

  // Always ends in the separator.
  const std::string& FolderName() const { return folderName_; }

  // The files of a complete set; callers name a file by its position.
  static constexpr std::array<std::string_view, 9> kFiles = {
      "beginlist.html", "endlist.html", "filelink.html", "filenew.html", "folderlink.html",
      "foldernew.html", "footer.html",  "header.html",   "index.html"};

  // True when `folder` names a subfolder of FolderName that holds every one
  // of kFiles as a file. A name that is empty, "." or "..", or holds a path
  // separator, is no set.
  bool Check(std::string_view folder) const;

  // Clears `ctrl` and adds the names of the complete sets in the file
  // services' order (names starting with "." left out); false when the
  // templates folder is there but cannot be listed (a missing one holds
  // no set).
  bool Enumerate(TemplateList& ctrl) const;

  // Reads the set's file at `index` and fills it; "" on any error (no such
  // set or file, index outside 0-8, unreadable file).
  std::string Generate(std::string_view folder, int index, int indent, bool keepnewline, int count,
                       const Replacements& replacements) const;

  // The same filling on text already read (the bytes of a template file),
  // so a caller can read each template file once per run and fill it many
  // times. A negative indent counts as 0; a result that would exceed
  // kMaxFilledSize gives "".
  static std::string Fill(std::string_view fileText, int indent, bool keepnewline, int count,
                          const Replacements& replacements);

  static constexpr std::size_t kMaxFilledSize = std::size_t{512} << 20;

 private:
  std::string folderName_;
  FileServices& services_;
};

}  // namespace vellumark
