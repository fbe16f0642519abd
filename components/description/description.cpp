// Screen descriptions: stored property entries and the component records that group them.
#include "components/description/description.h"

#include <algorithm>
#include <limits>
#include <map>

namespace verdal {
namespace {

constexpr std::uint8_t kValueKindBinary = 0x0A;

class PropertySaver final : public TFiler {
 public:
  void DefineBinaryProperty(std::string_view name, const BinaryReader& /*reader*/,
                            const BinaryWriter& writer, bool hasData) override {
    if (!hasData) return;
    ByteWriter block;
    writer(block);
    entries.push_back({PathOf(name), block.Bytes()});
  }

  std::vector<PropertyEntry> entries;
};

class PropertyLoader final : public TFiler {
 public:
  void DefineBinaryProperty(std::string_view name, const BinaryReader& reader,
                            const BinaryWriter& /*writer*/, bool /*hasData*/) override {
    readers.emplace(PathOf(name), reader);
  }

  std::map<std::string, BinaryReader, std::less<>> readers;
};

void WritePropertyList(ByteWriter& out, const std::vector<PropertyEntry>& entries) {
  for (const auto& entry : entries) {
    // An empty name would read back as the end of the list.
    if (entry.name.empty()) throw std::invalid_argument("a stored property needs a name");
    if (entry.block.size() > std::size_t{std::numeric_limits<std::int32_t>::max()}) {
      throw std::length_error("stored block too large: " + entry.name);
    }
    out.WriteShortString(entry.name);
    out.WriteU8(kValueKindBinary);
    out.WriteI32(static_cast<std::int32_t>(entry.block.size()));
    out.WriteBytes(entry.block);
  }
  out.WriteU8(0);
}

std::vector<PropertyEntry> ReadPropertyList(ByteReader& in) {
  std::vector<PropertyEntry> entries;
  for (std::string name = in.ReadShortString(); !name.empty(); name = in.ReadShortString()) {
    if (in.ReadU8() != kValueKindBinary) throw EReadError("type de valeur inconnu pour " + name);
    std::int32_t length = in.ReadI32();
    if (length < 0) throw EReadError();
    auto block = in.ReadBytes(static_cast<std::size_t>(length));
    entries.push_back({std::move(name), {block.begin(), block.end()}});
  }
  return entries;
}

}  // namespace

std::vector<std::uint8_t> WriteComponents(const std::vector<ComponentRecord>& records) {
  ByteWriter out;
  for (const auto& record : records) {
    if (record.className.empty()) throw std::invalid_argument("a component needs a class name");
    out.WriteShortString(record.className);
    out.WriteShortString(record.name);
    WritePropertyList(out, record.properties);
  }
  out.WriteU8(0);
  return out.Bytes();
}

std::vector<ComponentRecord> ReadComponents(std::span<const std::uint8_t> description) {
  ByteReader in(description);
  std::vector<ComponentRecord> records;
  for (std::string className = in.ReadShortString(); !className.empty();
       className = in.ReadShortString()) {
    // A braced list is read in order: the component's name, then its properties.
    records.push_back({std::move(className), in.ReadShortString(), ReadPropertyList(in)});
  }
  if (!in.AtEnd()) throw EReadError();
  return records;
}

ComponentRecord SaveComponent(TComponent& component) {
  PropertySaver saver;
  component.DefineProperties(saver);
  return {std::string(component.ClassName()), component.Name, std::move(saver.entries)};
}

void LoadComponent(TComponent& component, const std::vector<ComponentRecord>& records) {
  auto found = std::ranges::find(records, component.Name, &ComponentRecord::name);
  if (found == records.end()) throw EReadError("composant " + component.Name + " absent");
  if (found->className != component.ClassName()) {
    throw EReadError("composant " + component.Name + " de type " + found->className);
  }
  PropertyLoader loader;
  component.DefineProperties(loader);
  for (const auto& entry : found->properties) {
    auto reader = loader.readers.find(entry.name);
    if (reader == loader.readers.end()) {
      throw EReadError("propriété " + entry.name + " inexistante");
    }
    // The reader sees exactly the stored block, so a wrong length inside it cannot make
    // the rest of the description unreadable.
    ByteReader block(entry.block);
    reader->second(block);
  }
}

}  // namespace verdal
