// The typed reads and writes of Registry over each platform's raw values.
#include "support/registry.h"
#include "support/registry_storage.h"

#include <array>
#include <utility>

namespace vellumark {
namespace registry_storage {

bool IsTextType(std::uint32_t type) {
  return type == Registry::kText || type == Registry::kExpandableText || type == Registry::kTextList;
}

}  // namespace registry_storage

using registry_storage::IsTextType;
using registry_storage::RawRead;
using registry_storage::RawValue;
using registry_storage::RawWrite;

bool Registry::ReadBinaryValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::vector<std::uint8_t>& data) {
  data.clear();
  RawValue value;
  if (!RawRead(rootkey, subkey, valuename, value) || value.type != kBinary) return false;
  data = std::move(value.data);
  return true;
}

bool Registry::ReadNumberValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::int32_t& valuedata) {
  valuedata = 0;
  RawValue value;
  if (!RawRead(rootkey, subkey, valuename, value) || value.type != kNumber) return false;
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i) number |= std::uint32_t{value.data[i]} << (8 * i);
  valuedata = static_cast<std::int32_t>(number);
  return true;
}

bool Registry::ReadStringValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                               std::string& valuedata, std::uint32_t& valuetype) {
  valuedata.clear();
  valuetype = 0;
  RawValue value;
  if (!RawRead(rootkey, subkey, valuename, value)) return false;
  valuetype = value.type;
  if (!IsTextType(value.type)) return false;
  valuedata = registry_storage::TextOf(value.data);
  return true;
}

bool Registry::WriteBinaryValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                                std::span<const std::uint8_t> data) {
  return RawWrite(rootkey, subkey, valuename, kBinary, data);
}

bool Registry::WriteNumberValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                                std::int32_t valuedata) {
  const auto number = static_cast<std::uint32_t>(valuedata);
  const std::array<std::uint8_t, 4> bytes{static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                          static_cast<std::uint8_t>(number >> 16),
                                          static_cast<std::uint8_t>(number >> 24)};
  return RawWrite(rootkey, subkey, valuename, kNumber, bytes);
}

bool Registry::WriteStringValue(std::uint32_t rootkey, std::string_view subkey, std::string_view valuename,
                                std::string_view valuedata, std::uint32_t valuetype) {
  if (!IsTextType(valuetype)) return false;
  return RawWrite(rootkey, subkey, valuename, valuetype, registry_storage::TextBytes(valuedata));
}

}  // namespace vellumark
