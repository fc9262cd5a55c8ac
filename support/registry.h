// Stateless functions over the registry: read, write and remove values,
// remove keys, list child keys and value names. Each call opens the key it
// needs, does one job and closes it again; the result says whether it
// worked, and outputs are reset ("" / 0 / empty) when it did not.
//
// Windows: the system registry through the wide API (texts are UTF-8 here,
// UTF-16 in the registry). Elsewhere: a per-user settings file under
// $XDG_CONFIG_HOME/vellumark/ (else ~/.config/vellumark/) that holds the
// same keys, value names and types for the current user's root; other
// roots fail there.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

class Registry {
 public:
  // The current user's root.
  static constexpr std::uint32_t kCurrentUser = 0x80000001;

  // Value types.
  static constexpr std::uint32_t kText = 1;
  static constexpr std::uint32_t kExpandableText = 2;
  static constexpr std::uint32_t kBinary = 3;
  static constexpr std::uint32_t kNumber = 4;
  static constexpr std::uint32_t kTextList = 7;

  // Deletes the child key `keyname` of `subkey`; it must have no child keys
  // of its own.
  static bool RemoveKey(std::uint32_t rootkey, std::string_view subkey, std::string_view keyname);
  static bool RemoveValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename);

  // Names of the child keys / values of `subkey`, in the store's order; the
  // count is names.size(). True with no names for a key that has none.
  static bool EnumerateKeys(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names);
  static bool EnumerateValues(std::uint32_t rootkey, std::string_view subkey, std::vector<std::string>& names);

  // True only for a non-empty value of type 3.
  static bool ReadBinaryValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                              std::vector<std::uint8_t>& data);
  // True only for a value of type 4; its bytes little-endian.
  static bool ReadNumberValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                              std::int32_t& valuedata);
  // True only for a value of type 1, 2 or 7: the stored text without its
  // terminating zero (type 7 keeps the zeros between its texts).
  // `valuetype` is the type found, also when it is not a text type.
  static bool ReadStringValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                              std::string& valuedata, std::uint32_t& valuetype);

  // The writers create the key (and the keys above it) when missing.
  static bool WriteBinaryValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::span<const std::uint8_t> data);
  static bool WriteNumberValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::int32_t valuedata);
  // Only for types 1, 2 and 7; any other type writes nothing and fails.
  static bool WriteStringValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::string_view valuedata, std::uint32_t valuetype);
};

}  // namespace vellumark
