// File names of the folder pages of a generated site. A page is named after
// its folder in lower case with ".html" added ("Links" -> "links.html"),
// made safe for file systems and links, and never the name of another
// output of the same run.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace vellumark {

// Lower case of A-Z and of the capitals of Latin-1, Latin Extended-A,
// Greek and Cyrillic; other bytes stay as they are.
std::string LowerCase(std::string_view text);

class PageNames {
 public:
  // "index.html" is always taken.
  PageNames();

  // Marks a name of the output folder's top level as used (a copied
  // resource file or folder); letter case is ignored.
  void Reserve(std::string_view name);

  // The page name for a folder, unique among the names given out and
  // reserved so far, letter case ignored. Characters that break a file
  // name or a relative link ("#", "?", "%", "/", "\", ":", "*", '"', "<",
  // ">", "|" and controls) become "_"; a reserved device name ("con",
  // "lpt1", ...) gets "_" after it; a taken name gets "-2", "-3", ...
  // before ".html". Very long names are shortened.
  // Example: "Index" -> "index-2.html"; "a#b" -> "a_b.html".
  std::string Add(std::string_view folderName);

 private:
  std::unordered_set<std::string> taken_;
};

}  // namespace vellumark
