// Fade figures: the blend kernel against a plain streaming pass, the frame pacing on the real
// clock, and the cost of building a full-screen dissolve order.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "components/lumofade/blend_kernel.h"
#include "components/lumofade/lumo_fade.h"
#include "components/lumofade/pixel_order.h"

namespace verdal {
namespace {

using Steady = std::chrono::steady_clock;

double MicrosecondsSince(Steady::time_point start) {
  return std::chrono::duration<double, std::micro>(Steady::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One byte operation per byte over the same two sources and destination: the memory traffic
// of a blend with no arithmetic worth the name.
[[gnu::noinline]] void StreamPass(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                                  std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) d[i] = s[i] | t[i];
}

void BlendVersusStream() {
  const std::size_t bytes = 800 * 3 * 600;
  std::vector<std::uint8_t> s(bytes), t(bytes), d(bytes);
  std::mt19937 random(7);
  for (std::size_t i = 0; i < bytes; ++i) {
    s[i] = static_cast<std::uint8_t>(random());
    t[i] = static_cast<std::uint8_t>(random());
  }
  using Kernel =
      void (*)(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, std::size_t, int);
  const struct {
    const char* name;
    Kernel kernel;
  } forms[] = {{"blend", BlendKernel}, {"blend_reference", BlendKernelReference}};
  for (const auto& form : forms) {
    std::vector<double> blend, stream;
    for (int round = 0; round < 200; ++round) {
      auto start = Steady::now();
      form.kernel(s.data(), t.data(), d.data(), bytes, 1 + round % 32);
      blend.push_back(MicrosecondsSince(start));
      start = Steady::now();
      StreamPass(s.data(), t.data(), d.data(), bytes);
      stream.push_back(MicrosecondsSince(start));
    }
    const double blendUs = Median(blend);
    const double streamUs = Median(stream);
    std::printf("figure %s_800x600_us %.1f us\n", form.name, blendUs);
    std::printf("figure %s_800x600_vs_stream_ratio %.3f ratio\n", form.name, blendUs / streamUs);
  }
}

// Times a transition from its first frame to its return.
class FirstFrame : public LumoFadeSurface {
 public:
  void RepaintNow() override {
    if (!seen) start = Steady::now();
    seen = true;
  }
  bool seen = false;
  Steady::time_point start;
};

double PacingErrorPct(TLumoFade& fade, bool dissolve, double scheduledMs) {
  FirstFrame surface;
  fade.SetSurface(&surface);
  if (dissolve) {
    fade.Dissolve();
  } else {
    fade.Blend();
  }
  const double measuredMs = MicrosecondsSince(surface.start) / 1000.0;
  fade.SetSurface(nullptr);
  return 100.0 * std::abs(measuredMs - scheduledMs) / scheduledMs;
}

void Pacing() {
  // The splash's full-screen fade: 51 frames at 25 ms.
  TLumoFade screen;
  screen.SetBounds(0, 0, 800, 600);
  screen.SetBlendRate(50);
  screen.SetMsecPerFrame(25);
  std::printf("figure blend_pacing_error_pct %.2f %%\n", PacingErrorPct(screen, false, 51 * 25));

  // The end-of-match picture: 125 paced frames at 40 ms and an unpaced last one.
  TLumoFade picture;
  picture.SetBounds(0, 0, 433, 353);
  std::printf("figure dissolve_pacing_error_pct %.2f %%\n",
              PacingErrorPct(picture, true, 125 * 40));
}

void PixelOrder() {
  std::vector<double> times;
  for (int round = 0; round < 21; ++round) {
    std::vector<PixelPos> order;  // allocated afresh, as each dissolve does
    const auto start = Steady::now();
    BuildPixelOrder(800, 600, order);
    times.push_back(MicrosecondsSince(start));
  }
  std::printf("figure pixel_order_800x600_us %.0f us\n", Median(times));
}

}  // namespace
}  // namespace verdal

int main() {
  verdal::BlendVersusStream();
  verdal::PixelOrder();
  verdal::Pacing();
  return 0;
}
