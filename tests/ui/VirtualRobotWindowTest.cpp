// "Robot virtual": after a short drive the window shows the arena, the robot and its trail;
// its controls pause, reset and speed up the running program; DEBUG text reaches the terminal.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <thread>

#include "QtEnvironment.h"
#include "sim/vm/LiveProgram.h"
#include "tokenizer/Tokenizer.h"
#include "app/core/Texts.h"
#include "ui/VirtualRobotWindow.h"

namespace {

sim::vm::Image Compile(const std::string& body) {
  auto t = std::make_unique<tok::Tokenizer>();
  t->SetSource("'{$VARDA VD2}\n'{$TESSIC 2.5}\n" + body + "\n");
  EXPECT_TRUE(t->Tokenize(false, true, false)) << (t->TokenizeResult.ErrorText ? t->TokenizeResult.ErrorText : "");
  sim::vm::Image image{};
  for (int i = 0; i < sim::vm::kImageSize; ++i) image[i] = t->TokenizeResult.EEPROM[i];
  return image;
}

template <typename Done>
bool WaitFor(Done done, int ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

int CountColour(const QImage& image, QColor colour, int tolerance) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
          std::abs(c.blue() - colour.blue()) <= tolerance)
        ++n;
    }
  return n;
}

TEST(VirtualRobotWindow, ShowsTheArenaTheRobotAndItsTrailAfterADrive) {
  sim::vm::LiveProgram live(true);
  live.Load(Compile("w VAR WORD\nDEBUG \"go\", CR\nFOR w = 1 TO 80\nPULSOUT 13, 850\nPULSOUT 12, 680\nPAUSE 15\nNEXT\n"
                    "DEBUG \"done\""));
  ASSERT_TRUE(WaitFor([&] { return live.snapshot().state == sim::vm::RunState::Ended; }));
  ui::VirtualRobotWindow window(live);
  window.resize(560, 520);
  window.Refresh();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Robot virtual"));
  EXPECT_EQ(window.Terminal->toPlainText(), QStringLiteral("go\ndone"));
  const QImage picture = window.Arena->grab().toImage();
  if (const char* dir = std::getenv("ROVALIS_SCREENSHOT_DIR")) picture.save(QString::fromLocal8Bit(dir) + "/virtual-robot.png");
  EXPECT_GT(CountColour(picture, QColor(235, 230, 215), 4), 20000);  // the arena floor
  EXPECT_GT(CountColour(picture, QColor(40, 140, 60), 4), 30);       // the robot's body
  EXPECT_GT(CountColour(picture, QColor(30, 110, 220), 30), 40);     // its trail: a curve to the left
  EXPECT_GT(CountColour(picture, QColor(160, 110, 60), 4), 500);     // the obstacles
}

TEST(VirtualRobotWindow, ControlsPauseResetAndSpeed) {
  sim::vm::LiveProgram live(false);
  ui::VirtualRobotWindow window(live);
  window.SpeedBox->setCurrentIndex(1);
  EXPECT_EQ(live.speed(), 4);
  window.PlayButton->setChecked(true);
  EXPECT_TRUE(live.paused());
  EXPECT_EQ(window.PlayButton->text(), app::LoadText(527));  // "&Seguir"
  window.PlayButton->setChecked(false);
  EXPECT_FALSE(live.paused());
  live.Load(Compile("DEBUG \"x\""));
  ASSERT_TRUE(WaitFor([&] { return live.snapshot().terminal == "x"; }));
  window.PlayButton->setChecked(true);
  window.ResetButton->click();  // starts the program again: the terminal empties while paused
  ASSERT_TRUE(WaitFor([&] { return live.snapshot().terminal.empty(); }));
  window.PlayButton->setChecked(false);
  ASSERT_TRUE(WaitFor([&] { return live.snapshot().terminal == "x"; }));
}

}  // namespace
