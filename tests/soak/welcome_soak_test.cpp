// The welcome screen left scrolling on its worker for a long while: memory does not grow.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "components/cboxbmp/qt/scrolling_text_bmp.h"
#include "screens/support/full_screen.h"
#include "screens/welcome/form_premiere.h"
#include "tests/screens/front/front_fixture.h"
#include "tests/soak/soak_verdict.h"

namespace verdal::test {
namespace {

// The front screens' test services, but on the real clock: the worker paces itself on the
// system clock, and the soak lasts real minutes.
class WelcomeSoak : public ::testing::Test {
 protected:
  ~WelcomeSoak() override {
    std::filesystem::current_path(start_);
    AppTaskBar().Show();
  }

  std::filesystem::path start_ = std::filesystem::current_path();
  TempFolder folder_;
  ScopedProgramFolder program_{folder_.Path()};
  RecordedMessages messages_;
  ScopedMessages installedMessages_{messages_};
  RecordedShell shell_;
  ScopedShell installedShell_{shell_};
  FakeDesktop desktop_;
  ScopedDesktop installedDesktop_{desktop_};
  QtPointer pointer_;
  ScopedPointer installedPointer_{pointer_};
};

TEST_F(WelcomeSoak, TextScrollsForTheWholeRunAndMemoryStaysFlat) {
  const std::int64_t seconds = EnvironmentCount("VERDAL_SOAK_SECONDS", VERDAL_SOAK_SECONDS);
  // About twenty samples in a short run, one a minute in a long one.
  const std::int64_t sampleSeconds = std::clamp<std::int64_t>(seconds / 20, 1, 60);
  {
    std::string entry(DictionaryEntry::kSize, '\0');
    entry[0] = 1;
    entry[1] = 'A';
    std::ofstream mots(folder_.Path() / "mots", std::ios::binary);
    for (int i = 0; i < kDictionarySize; ++i) mots << entry;
  }
  TForm_premiere screen;
  ASSERT_TRUE(ReportErrors([&] { screen.FormCreate(); }));
  ShowFullScreen(screen);
  auto* text = screen.findChild<TScrollingTextBmp*>(QStringLiteral("ScrollingTextBmp1"));
  ASSERT_NE(text, nullptr);
  ASSERT_TRUE(text->Started());
  // Each step of the worker ends in a paint, which draws a frame. The count is taken where the
  // frame is drawn, on the UI thread: an event filter on the control would also read the
  // worker's queued calls, built on the worker thread and handed over by Qt's own lock, which
  // the thread checker cannot see.
  std::int64_t frames = 0;
  text->SetOnDraw([&frames](TScrollingTextBmp&, QImage&) { ++frames; });

  MemoryCurve curve;
  QEventLoop loop;
  QElapsedTimer elapsed;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    curve.Add(SampleMemory(std::to_string((elapsed.elapsed() + 500) / 1000) + " s",
                           std::exchange(frames, 0)));
    if (elapsed.elapsed() >= seconds * 1000) loop.quit();
  });
  elapsed.start();
  sampler.start(static_cast<int>(sampleSeconds * 1000));
  loop.exec();
  text->SetOnDraw(nullptr);

  ExpectFlat("welcome", curve, "frames");
  // The frames show that the text moved while memory was sampled; how fast it moves is
  // measured by the scrolling bench (welcome_min_frames_per_s), on a machine left to it.
  std::int64_t allFrames = 0;
  for (const MemorySample& sample : curve.Samples()) allFrames += sample.work;
  EXPECT_GT(allFrames, 0);
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace verdal::test
