// What the registry helpers do differently on each platform: reading and
// writing a value's type and bytes as stored, and the bytes of a text
// value. The typed reads and writes of Registry over these are the same on
// every platform (registry_values.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::registry_storage {

struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

// The value's type and bytes; false when the key or value cannot be read or
// the value is empty.
bool RawRead(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, RawValue& value);

// Stores `data` as a value of `type`, creating the key (and the keys above
// it) when missing.
bool RawWrite(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename, std::uint32_t type,
              std::span<const std::uint8_t> data);

// The stored bytes of UTF-8 `text` as a text value, terminating zero included.
std::vector<std::uint8_t> TextBytes(std::string_view text);

// The UTF-8 text of a text value's stored bytes (not empty), without its
// terminating zero.
std::string TextOf(std::span<const std::uint8_t> bytes);

// Types 1, 2 and 7.
bool IsTextType(std::uint32_t type);

}  // namespace vellumark::registry_storage
