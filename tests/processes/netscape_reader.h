// An independent reader of Netscape bookmark files, the way browsers'
// importers read them: it goes line by line, takes one bookmark or folder
// heading per line, nests folders by their H3 heading and the DL lists that
// follow, matches tags and attribute names without letter case, takes
// double-quoted attribute values, and decodes character references (named
// and numeric) in names and URLs and percent escapes in URLs. It knows
// nothing of the writer it checks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::testing::netscape {

struct Bookmark {
  std::string name;
  std::string url;
  std::int64_t added = 0;
  std::int64_t modified = 0;
};

struct Folder {
  std::string name;
  std::int64_t added = 0;
  std::int64_t modified = 0;
  std::vector<Folder> folders;
  std::vector<Bookmark> bookmarks;
};

struct Document {
  Folder root;        // the outermost list
  bool balanced = false;  // every DL closed, nothing closed twice
};

Document Read(std::string_view html);

// "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#NN;", "&#xHH;" decoded.
std::string DecodeReferences(std::string_view text);

}  // namespace vellumark::testing::netscape
