// The settings file store on an arbitrary settings file. Checks: a value
// written reads back exactly, whatever its name and text; every other
// value reads as before the write and after its removal; a removed value
// is gone.
//
// Input: a type byte, then fields separated by 0xFF: the settings file, the
// value's name, its data.
#include "fuzz/require.h"
#include "support/ascii.h"
#include "support/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace vellumark;
using fuzz::Require;

constexpr std::uint32_t kRoot = Registry::kCurrentUser;

struct Stored {
  std::uint32_t type = 0;
  std::string data;
  friend bool operator==(const Stored&, const Stored&) = default;
};

using Snapshot = std::map<std::pair<std::string, std::string>, Stored>;

Stored ReadAny(const std::string& key, const std::string& name) {
  Stored stored;
  std::string text;
  if (Registry::ReadStringValue(kRoot, key, name, text, stored.type)) {
    stored.data = text;
    return stored;
  }
  std::int32_t number = 0;
  if (Registry::ReadNumberValue(kRoot, key, name, number)) return {Registry::kNumber, std::to_string(number)};
  std::vector<std::uint8_t> bytes;
  if (Registry::ReadBinaryValue(kRoot, key, name, bytes)) return {Registry::kBinary, {bytes.begin(), bytes.end()}};
  return {};
}

// Every value of every key (a bounded number of keys).
void Collect(const std::string& key, Snapshot& snapshot, int& budget) {
  if (--budget < 0) return;
  std::vector<std::string> names;
  Registry::EnumerateValues(kRoot, key, names);
  for (const std::string& name : names) snapshot[{ascii::Lowered(key), ascii::Lowered(name)}] = ReadAny(key, name);
  std::vector<std::string> children;
  Registry::EnumerateKeys(kRoot, key, children);
  for (const std::string& child : children) Collect(key.empty() ? child : key + "\\" + child, snapshot, budget);
}

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  int budget = 64;
  Collect("", snapshot, budget);
  return snapshot;
}

void RequireSameExcept(Snapshot before, Snapshot after, const std::pair<std::string, std::string>& changed,
                       const char* what) {
  before.erase(changed);
  after.erase(changed);
  Require(before == after, what);
}

const std::string& StoreFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/vellumark-fuzz-settings-XXXXXX";
    const char* made = mkdtemp(pattern);
    Require(made != nullptr, "a scratch folder");
    setenv("XDG_CONFIG_HOME", made, 1);
    return std::string(made) + "/vellumark";
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint32_t type = data[0] % 3 == 0 ? Registry::kText : data[0] % 3 == 1 ? Registry::kTextList
                                                                                   : Registry::kExpandableText;
  std::vector<std::string> fields(1);
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0xFF) {
      fields.emplace_back();
    } else {
      fields.back() += static_cast<char>(data[i]);
    }
  }
  fields.resize(3);
  const std::string& name = fields[1];
  const std::string& value = fields[2];

  const std::string folder = StoreFolder();
  mkdir(folder.c_str(), 0700);
  std::ofstream(folder + "/settings.ini", std::ios::binary | std::ios::trunc) << fields[0];

  const Snapshot before = TakeSnapshot();
  std::vector<std::string> keys;
  Registry::EnumerateKeys(kRoot, "", keys);
  const std::string key = keys.empty() ? "Software\\Fuzz" : keys.front();
  const std::pair<std::string, std::string> changed{ascii::Lowered(key), ascii::Lowered(name)};

  Require(Registry::WriteStringValue(kRoot, key, name, value, type), "a value can be written");
  std::string read;
  std::uint32_t readType = 0;
  const bool found = Registry::ReadStringValue(kRoot, key, name, read, readType);
  Require(found && read == value && readType == type, "a written value reads back exactly");
  Snapshot after = TakeSnapshot();
  Require(after.count(changed) == 1, "a written value is listed");
  RequireSameExcept(before, after, changed, "other values stay as they were after a write");

  Require(Registry::RemoveValue(kRoot, key, name), "a written value can be removed");
  Require(!Registry::ReadStringValue(kRoot, key, name, read, readType), "a removed value is gone");
  after = TakeSnapshot();
  Require(after.count(changed) == 0, "a removed value is not listed");
  RequireSameExcept(before, after, changed, "other values stay as they were after a removal");
  return 0;
}
