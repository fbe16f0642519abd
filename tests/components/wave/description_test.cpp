// Screen description entries and component records: layout, round trip, damaged input.
#include "components/description/description.h"

#include <gtest/gtest.h>

namespace verdal {
namespace {

// A component with two byte-block properties, one of them inside an owned object.
class TPart : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TPart"; }
  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Data",
        [this](ByteReader& in) {
          auto b = in.ReadBytes(in.Remaining());
          data.assign(b.begin(), b.end());
        },
        [this](ByteWriter& out) { out.WriteBytes(data); }, !data.empty());
  }
  std::vector<std::uint8_t> data;
};

class TThing : public TComponent {
 public:
  explicit TThing(std::string name) { Name = std::move(name); }
  std::string_view ClassName() const override { return "TThing"; }
  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Tag", [this](ByteReader& in) { tag = in.ReadU8(); },
        [this](ByteWriter& out) { out.WriteU8(tag); }, tag != 0);
    TFiler::PathScope scope(filer, "Part");
    part.DefineProperties(filer);
  }
  std::uint8_t tag = 0;
  TPart part;
};

TEST(DescriptionTest, ComponentsRoundTripWithTheirPropertyPaths) {
  TThing a("Chose_a"), b("Chose_b");  // b stores nothing
  a.tag = 7;
  a.part.data = {1, 2, 3};
  auto bytes = WriteComponents({SaveComponent(a), SaveComponent(b)});

  const char expected[] =
      "\x06TThing\x07"
      "Chose_a"
      "\x03Tag\x0a\x01\0\0\0\x07"
      "\x09Part.Data\x0a\x03\0\0\0\x01\x02\x03"
      "\0"  // end of Chose_a's properties
      "\x06TThing\x07"
      "Chose_b\0"
      "\0";  // end of the components (the literal's own zero is not counted)
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(expected, sizeof expected - 1));

  auto records = ReadComponents(bytes);
  TThing a2("Chose_a"), b2("Chose_b");
  b2.tag = 9;  // no entry: stays as it is
  LoadComponent(a2, records);
  LoadComponent(b2, records);
  EXPECT_EQ(a2.tag, 7);
  EXPECT_EQ(a2.part.data, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(b2.tag, 9);
  EXPECT_TRUE(b2.part.data.empty());
}

TEST(DescriptionTest, DamagedDescriptionsAreReadErrors) {
  TThing thing("Chose");
  thing.tag = 1;
  thing.part.data = {4, 5};
  const auto good = WriteComponents({SaveComponent(thing)});

  // Every truncation ends early somewhere: always an error, never a read past the end.
  for (std::size_t size = 0; size < good.size(); ++size) {
    std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_THROW(ReadComponents(part), EReadError) << size;
  }
  auto changed = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    return bytes;
  };
  const std::size_t tagKind = 1 + 6 + 1 + 5 + 1 + 3;
  EXPECT_THROW(ReadComponents(changed(tagKind, 0x06)), EReadError);      // unknown value kind
  EXPECT_THROW(ReadComponents(changed(tagKind + 4, 0x80)), EReadError);  // negative length
  EXPECT_THROW(ReadComponents(changed(tagKind + 1, 0xff)), EReadError);  // length past the end

  // A record for another class, a missing record, an entry no property claims.
  auto records = ReadComponents(good);
  TComponent plain;
  plain.Name = "Chose";
  EXPECT_THROW(LoadComponent(plain, records), EReadError);
  TThing other("Autre");
  EXPECT_THROW(LoadComponent(other, records), EReadError);
  records[0].properties.push_back({"Part.Inconnu", {}});
  try {
    LoadComponent(thing, records);
    ADD_FAILURE();
  } catch (const EReadError& error) {
    EXPECT_STREQ(
        error.what(),
        "Erreur de lecture de la description d'écran : propriété Part.Inconnu inexistante");
  }
}

}  // namespace
}  // namespace verdal
