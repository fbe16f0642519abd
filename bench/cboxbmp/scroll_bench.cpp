// Paint time, pace and slowest second of the scrolling text with the welcome screen's layout.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "components/cboxbmp/qt/scrolling_text_bmp.h"

namespace {

using verdal::TScrollingTextBmp;

struct Line {
  const char* text;
  int left, top, width, height, pixels;
};

// The welcome text as the screen lays it out in its 497x321 panel.
constexpr Line kLines[] = {
    {"Bienvenue dans VERDAL", 88, 8, 305, 33, 29},
    {"VERDAL est un jeu de mots, à 1 ou 2 joueurs", 96, 64, 295, 18, 16},
    {"Il vous faudra trouver des mots de 6,7 ou 8 lettres", 80, 104, 337, 18, 16},
    {"parmi plus de 20 000 mots en un minimum de temps", 72, 144, 362, 18, 16},
    {"N'oubliez pas de consulter l'aide pour connaître la règle du jeu", 40, 208, 424, 18, 16},
    {"Bonne Chance !!", 176, 248, 142, 22, 19},
    {"Une réalisation :", 184, 320, 134, 22, 19},
};

TScrollingTextBmp* WelcomeScreen(QWidget& window) {
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  window.setPalette(black);
  window.setGeometry(0, 0, 800, 600);
  auto* panel = new QWidget(&window);
  panel->setGeometry(144, 72, 497, 321);
  for (const Line& line : kLines) {
    auto* label = new QLabel(QString::fromUtf8(line.text), panel);
    QFont font("Arial");
    font.setPixelSize(line.pixels);
    label->setFont(font);
    label->setGeometry(line.left, line.top, line.width, line.height);
  }
  QPixmap logo(100, 85);
  logo.fill(QColor(0, 128, 128));
  QPainter(&logo).drawEllipse(10, 10, 80, 65);
  auto* picture = new QLabel(panel);
  picture->setPixmap(logo);
  picture->setGeometry(200, 352, 113, 89);

  auto* control = new TScrollingTextBmp(&window);
  control->setGeometry(144, 72, 497, 321);
  control->SetScrollDirection(verdal::sdUp);
  control->SetScrollType(verdal::stNormal);
  control->SetTimeDelay(10);
  control->SetScrollStep(1);
  control->SetCompSpace(10);
  control->SetTile(true);
  control->SetTextContainer(panel);
  window.show();
  QApplication::processEvents();
  return control;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  TScrollingTextBmp* control = WelcomeScreen(window);

  // One paint at the laid-out positions, every item in view.
  std::vector<double> paintUs;
  for (int i = 0; i < 1000; ++i) {
    QElapsedTimer t;
    t.start();
    control->repaint();
    paintUs.push_back(static_cast<double>(t.nsecsElapsed()) / 1000.0);
  }
  std::printf("figure scroll_paint_welcome_us %.0f us\n", Median(paintUs));

  // The pace: count the steps the worker gets through in 3 s, against what the mean step
  // time (a step and its paint, measured over a whole pass) allows with a 10 ms delay.
  control->Start();
  control->Stop();  // the prepared control, stepped by hand to time the steps
  QElapsedTimer stepTimer;
  stepTimer.start();
  constexpr int kTimedSteps = 755;
  for (int i = 0; i < kTimedSteps; ++i) {
    control->Step();
    QCoreApplication::processEvents();  // the strip a step uncovers is painted from the loop
  }
  const double meanStepMs = static_cast<double>(stepTimer.nsecsElapsed()) / 1e6 / kTimedSteps;
  std::printf("figure scroll_step_welcome_us %.0f us\n", meanStepMs * 1000.0);

  // The same run, counted second by second: the slowest second is what a player would see
  // as a stutter of the welcome text.
  QWidget paceWindow;
  TScrollingTextBmp* paced = WelcomeScreen(paceWindow);
  int steps = 0, stepsThisSecond = 0;
  paced->SetOnDraw([&](TScrollingTextBmp&, QImage&) { ++steps, ++stepsThisSecond; });
  constexpr int kSeconds = 5;
  std::vector<int> perSecond;
  QEventLoop loop;
  QTimer second;
  QObject::connect(&second, &QTimer::timeout, [&] {
    perSecond.push_back(std::exchange(stepsThisSecond, 0));
    if (perSecond.size() == kSeconds) loop.quit();
  });
  QElapsedTimer run;
  run.start();
  second.start(1000);
  paced->Start();
  loop.exec();
  paced->Stop();
  const double elapsedMs = static_cast<double>(run.nsecsElapsed()) / 1e6;
  const double expected = elapsedMs / (10.0 + meanStepMs);
  std::printf("figure scroll_pace_ratio %.3f ratio\n", steps / expected);
  std::printf("figure welcome_min_frames_per_s %d fps\n",
              *std::min_element(perSecond.begin(), perSecond.end()));
  return 0;
}
