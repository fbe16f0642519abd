// The persistent-object and component bases: copy-assignment and stored-property declaration.
#include "components/description/persistent.h"

#include "common/convert_error.h"

namespace verdal {
namespace {

// "Ne peut affecter %s à %s": the source's class, then the target's.
std::string CannotAssign(std::string_view source, std::string_view target) {
  return "Ne peut affecter " + std::string(source) + " à " + std::string(target);
}

}  // namespace

TFiler::PathScope::PathScope(TFiler& filer, std::string_view property)
    : filer_(filer), previousLength_(filer.prefix_.size()) {
  filer_.prefix_.append(property);
  filer_.prefix_.push_back('.');
}

TFiler::PathScope::~PathScope() { filer_.prefix_.resize(previousLength_); }

std::string TFiler::PathOf(std::string_view name) const { return prefix_ + std::string(name); }

void TPersistent::Assign(const TPersistent* source) {
  if (source == nullptr) throw EConvertError(CannotAssign("nil", ClassName()));
  source->AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& destination) const {
  throw EConvertError(CannotAssign(ClassName(), destination.ClassName()));
}

}  // namespace verdal
