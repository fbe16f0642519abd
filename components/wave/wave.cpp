// TWave: the screen component that owns one embedded sound and announces each play.
#include "components/wave/wave.h"

namespace verdal {

void TWave::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  TFiler::PathScope scope(filer, "WaveData");
  waveData_.DefineProperties(filer);
}

void TWave::Play() {
  Notify(OnPlay, *this);
  waveData_.Play();
}

}  // namespace verdal
