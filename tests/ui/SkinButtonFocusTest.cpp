// The keyboard's button in a skinned window keeps its normal picture and gets a dotted ring; only
// the mouse over a button gives it the highlight picture. A window's default button must not
// look hovered the moment the window opens.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "QtEnvironment.h"
#include "ui/WindowSkin.h"

namespace {

QImage Picture(QPushButton* button) {
  return button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

int DifferingPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y)
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(SkinButtonFocus, TheFocusedButtonHasARingNotTheHoverLook) {
  QWidget window;
  auto* layout = new QHBoxLayout(&window);
  auto* focused = new QPushButton(QStringLiteral("Close"), &window);
  auto* plain = new QPushButton(QStringLiteral("Close"), &window);
  for (QPushButton* b : {focused, plain}) {
    b->setFixedSize(140, 34);
    ui::SkinButton(b, ui::SkinColour::Blue);
    layout->addWidget(b);
  }
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  focused->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(focused->hasFocus());
  ASSERT_FALSE(focused->underMouse());

  const QImage withFocus = Picture(focused);
  const QImage without = Picture(plain);
  // The ring: some pixels differ...
  EXPECT_GT(DifferingPixels(withFocus, without), 40);
  // ...but the body between the ring and the caption is the normal picture's, not the highlight's.
  const QPoint body(12, withFocus.height() / 2);
  EXPECT_EQ(withFocus.pixel(body), without.pixel(body));
  EXPECT_EQ(withFocus.pixel(withFocus.width() - 12, withFocus.height() / 2),
            without.pixel(without.width() - 12, without.height() / 2));
}

}  // namespace
