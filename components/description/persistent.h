// The persistent-object and component bases: copy-assignment and stored-property declaration.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "components/description/byte_stream.h"

namespace verdal {

// Visits the stored properties an object declares; the description loader and saver are filers.
class TFiler {
 public:
  using BinaryReader = std::function<void(ByteReader& block)>;
  using BinaryWriter = std::function<void(ByteWriter& block)>;

  virtual ~TFiler() = default;

  // A raw byte block property: reader fills the object from the stored block, writer
  // produces it; hasData says whether the property is to be stored at all.
  virtual void DefineBinaryProperty(std::string_view name, const BinaryReader& reader,
                                    const BinaryWriter& writer, bool hasData) = 0;

  // Properties declared inside an owned object stand under its property path
  // ("WaveData." + "Data") for as long as the scope lives.
  class PathScope {
   public:
    PathScope(TFiler& filer, std::string_view property);
    ~PathScope();
    PathScope(const PathScope&) = delete;
    PathScope& operator=(const PathScope&) = delete;

   private:
    TFiler& filer_;
    std::size_t previousLength_;
  };

 protected:
  std::string PathOf(std::string_view name) const;

 private:
  std::string prefix_;
};

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  virtual std::string_view ClassName() const { return "TPersistent"; }

  // Copies source's content into this object. The base hands the work to the source's
  // AssignTo, which refuses with EConvertError unless a class knows the pair.
  virtual void Assign(const TPersistent* source);
  virtual void DefineProperties(TFiler& /*filer*/) {}

 protected:
  virtual void AssignTo(TPersistent& destination) const;
};

// A named member of a screen. Left and Top are the design position; they do nothing at run time.
class TComponent : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TComponent"; }

  std::string Name;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
};

}  // namespace verdal
