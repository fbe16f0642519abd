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

struct PropertyEntry {
  std::string name;
  std::vector<std::uint8_t> block;
};

struct ComponentRecord {
  std::string className;
  std::string name;
  std::vector<PropertyEntry> properties;
};

std::vector<std::uint8_t> WriteComponents(const std::vector<ComponentRecord>& records);
// A truncated description, an unknown value kind or a length that runs past the
// description is an EReadError.
std::vector<ComponentRecord> ReadComponents(std::span<const std::uint8_t> description);

// A property with nothing to store gives no entry.
ComponentRecord SaveComponent(TComponent& component);
// Fills component from the record bearing its Name, handing each entry's block to the
// reader of the property of that path; a property without an entry is left as it is. No
// such record, one of another class, or an entry no property claims is an EReadError.
void LoadComponent(TComponent& component, const std::vector<ComponentRecord>& records);

}  // namespace verdal
