// Screen descriptions: stored property entries and the component records that group them.
//
// A property entry is the name's length byte, the name (a property path such as
// "WaveData.Data"), the value-kind byte, then the value. The only kind is the raw byte
// block (0x0A): a 32-bit little-endian length L, then L bytes. A property list is a run of
// entries closed by a zero length byte (an empty name).
//
// A component record is the class name and the component name, each as a length byte and
// the text, then the component's property list. A description is a run of component
// records closed by a zero byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "components/description/byte_stream.h"
#include "components/description/persistent.h"

namespace verdal {

inline constexpr std::uint8_t kValueKindBinary = 0x0A;

struct PropertyEntry {
  std::string name;
  std::vector<std::uint8_t> block;
  bool operator==(const PropertyEntry&) const = default;
};

struct ComponentRecord {
  std::string className;
  std::string name;
  std::vector<PropertyEntry> properties;
  bool operator==(const ComponentRecord&) const = default;
};

void WritePropertyList(ByteWriter& out, const std::vector<PropertyEntry>& entries);
// A length that runs past the description or an unknown value kind is an EReadError.
std::vector<PropertyEntry> ReadPropertyList(ByteReader& in);

// The entries that object's stored properties produce; a property with nothing to store
// gives no entry.
std::vector<PropertyEntry> SaveProperties(TPersistent& object);
// Hands each entry's block to the reader of the property of that path, in stored order.
// A property missing from entries is left as it is; an entry that no property claims is an
// EReadError.
void LoadProperties(TPersistent& object, const std::vector<PropertyEntry>& entries);

std::vector<std::uint8_t> WriteComponents(const std::vector<ComponentRecord>& records);
std::vector<ComponentRecord> ReadComponents(std::span<const std::uint8_t> description);

ComponentRecord SaveComponent(TComponent& component);
// Fills component from the record bearing its Name; no such record, or one of another
// class, is an EReadError.
void LoadComponent(TComponent& component, const std::vector<ComponentRecord>& records);

}  // namespace verdal
