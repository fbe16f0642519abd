// TWave: the screen component that owns one embedded sound and announces each play.
#pragma once

#include "common/notify.h"
#include "components/description/persistent.h"
#include "components/wave/wave_data.h"

namespace verdal {

class TWave : public TComponent {
 public:
  std::string_view ClassName() const override { return "TWave"; }

  // The owned holder; never replaced.
  TWaveData& WaveData() { return waveData_; }
  const TWaveData& WaveData() const { return waveData_; }
  // Copies value's content into the owned holder; value stays the caller's.
  void SetWaveData(const TPersistent* value) { waveData_.Assign(value); }

  // The holder's stored properties stand under "WaveData.".
  void DefineProperties(TFiler& filer) override;

  // Calls OnPlay (even for an empty holder), then plays the held sound without waiting.
  void Play();

  NotifyEvent<TWave> OnPlay;

 private:
  TWaveData waveData_;
};

}  // namespace verdal
