// UTF-8 for the files the program writes. Text inside the program is
// UTF-8 already, so Encode only makes sure the bytes are well-formed:
// a byte that does not belong to a valid sequence (a Linux file name may
// hold any bytes) becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace vellumark {

class UTF8 {
 public:
  // Text -> UTF-8 bytes.
  std::string Encode(std::string_view buffer) const;
  // UTF-8 bytes -> text; malformed bytes become "?".
  std::string Decode(std::string_view buffer) const;
};

}  // namespace vellumark
