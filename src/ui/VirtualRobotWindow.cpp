#include "ui/VirtualRobotWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/core/Texts.h"
#include "ui/WindowSkin.h"

namespace ui {

namespace {
constexpr int kVirtualRobotTitle = 453;  // "Robot virtual"
constexpr int kPauseText = 526;
constexpr int kPlayText = 527;
constexpr int kResetText = 528;
constexpr int kSpeedText = 529;  // "%1x"
constexpr int kMargin = 10;
}  // namespace

ArenaView::ArenaView(sim::vm::LiveProgram& live, QWidget* parent) : QWidget(parent), live_(live) {
  setObjectName(QStringLiteral("ArenaView"));
  setMinimumSize(300, 230);
  snapshot_ = live_.snapshot();
}

void ArenaView::SetSnapshot(sim::vm::LiveProgram::Snapshot snapshot) {
  snapshot_ = std::move(snapshot);
  update();
}

// Arena centimetres to widget pixels, y pointing up, the arena fitted with a margin.
QTransform ArenaView::ArenaToWidget() const {
  const double w = snapshot_.width > 0 ? snapshot_.width : 200,
               h = snapshot_.height > 0 ? snapshot_.height : 150;
  const double scale = std::min((width() - 2.0 * kMargin) / w, (height() - 2.0 * kMargin) / h);
  const double left = (width() - w * scale) / 2, bottom = (height() + h * scale) / 2;
  return QTransform(scale, 0, 0, -scale, left, bottom);
}

namespace {

QPen CosmeticPen(QColor color, double width) {
  QPen pen(color, width);
  pen.setCosmetic(true);
  return pen;
}

// The arena's floor, its obstacles and the path the robot has driven, in arena units.
void PaintArena(QPainter& p, const sim::vm::LiveProgram::Snapshot& s) {
  p.setPen(CosmeticPen(QColor(20, 20, 20), 3));
  p.setBrush(QColor(235, 230, 215));
  p.drawRect(QRectF(0, 0, s.width, s.height));

  p.setPen(CosmeticPen(QColor(90, 60, 30), 1));
  p.setBrush(QColor(160, 110, 60));
  for (const auto& o : s.obstacles) p.drawRect(QRectF(o.x, o.y, o.width, o.height));

  if (s.trail.size() > 1) {
    QPainterPath trail(QPointF(s.trail.front().x, s.trail.front().y));
    for (const auto& pose : s.trail) trail.lineTo(pose.x, pose.y);
    trail.lineTo(s.pose.x, s.pose.y);
    p.setPen(CosmeticPen(QColor(30, 110, 220), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trail);
  }
}

// An infrared beam ahead of the robot, on the left (side 1) or the right (side -1).
void PaintBeam(QPainter& p, double side, bool lit, bool sees) {
  if (!lit) return;
  const double range = 25.0, spread = 0.45;
  QPainterPath cone(QPointF(6.5, 0));
  const double a = side * spread;
  cone.lineTo(6.5 + range * std::cos(a - 0.12), range * std::sin(a - 0.12));
  cone.lineTo(6.5 + range * std::cos(a + 0.12), range * std::sin(a + 0.12));
  cone.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(sees ? QColor(230, 40, 40, 140) : QColor(255, 120, 120, 70));
  p.drawPath(cone);
}

// The robot in its own frame: x ahead, y to the left.
void PaintRobot(QPainter& p, const sim::vm::LiveProgram::Snapshot& s) {
  PaintBeam(p, 1, s.leftBeam, s.leftSees);
  PaintBeam(p, -1, s.rightBeam, s.rightSees);
  p.setPen(CosmeticPen(QColor(20, 20, 20), 1));
  p.setBrush(QColor(40, 140, 60));
  p.drawEllipse(QPointF(0, 0), 6.5, 6.5);
  p.setBrush(QColor(20, 20, 20));
  p.drawRect(QRectF(-2.5, 5.0, 5.0, 1.8));   // left wheel
  p.drawRect(QRectF(-2.5, -6.8, 5.0, 1.8));  // right wheel
  p.setPen(CosmeticPen(Qt::white, 2));
  p.drawLine(QPointF(0, 0), QPointF(5.5, 0));
  auto whisker = [&](double side, bool touches) {
    p.setPen(CosmeticPen(touches ? QColor(230, 30, 30) : QColor(200, 200, 200), touches ? 3 : 1.5));
    p.drawLine(QPointF(5.0, side * 3.0), QPointF(9.0, side * 4.0));
  };
  whisker(1, s.leftWhisker);
  whisker(-1, s.rightWhisker);
}

}  // namespace

void ArenaView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(60, 60, 60));
  p.setTransform(ArenaToWidget());
  PaintArena(p, snapshot_);
  p.translate(snapshot_.pose.x, snapshot_.pose.y);
  p.rotate(snapshot_.pose.heading * 180.0 / M_PI);
  PaintRobot(p, snapshot_);
}

void ArenaView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = ArenaToWidget().inverted().map(event->position());
  for (int i = static_cast<int>(snapshot_.obstacles.size()) - 1; i >= 0; --i)
    if (snapshot_.obstacles[i].Contains(at.x(), at.y())) {
      dragged_ = i;
      grabOffset_ = at - QPointF(snapshot_.obstacles[i].x, snapshot_.obstacles[i].y);
      return;
    }
}

void ArenaView::mouseMoveEvent(QMouseEvent* event) {
  if (dragged_ < 0) return;
  const QPointF at = ArenaToWidget().inverted().map(event->position()) - grabOffset_;
  auto& o = snapshot_.obstacles[dragged_];
  o.x = std::clamp(at.x(), 0.0, std::max(0.0, snapshot_.width - o.width));
  o.y = std::clamp(at.y(), 0.0, std::max(0.0, snapshot_.height - o.height));
  live_.MoveObstacle(dragged_, o.x, o.y);
  update();
}

void ArenaView::mouseReleaseEvent(QMouseEvent*) {
  dragged_ = -1;
}

VirtualRobotWindow::VirtualRobotWindow(sim::vm::LiveProgram& live, QWidget* parent)
    : QWidget(parent, Qt::Window), live_(live) {
  setObjectName(QStringLiteral("VirtualRobotWindow"));
  setWindowTitle(app::LoadText(kVirtualRobotTitle));
  Arena = new ArenaView(live, this);
  PlayButton = new QPushButton(app::LoadText(kPauseText), this);
  PlayButton->setObjectName(QStringLiteral("PlayButton"));
  PlayButton->setCheckable(true);
  ResetButton = new QPushButton(app::LoadText(kResetText), this);
  ResetButton->setObjectName(QStringLiteral("ResetButton"));
  SpeedBox = new QComboBox(this);
  SpeedBox->setObjectName(QStringLiteral("SpeedBox"));
  for (int speed : {1, 4}) SpeedBox->addItem(app::LoadText(kSpeedText).arg(speed), speed);
  SpeedBox->setCurrentIndex(live.speed() >= 4 ? 1 : 0);
  Terminal = new QPlainTextEdit(this);
  Terminal->setObjectName(QStringLiteral("Terminal"));
  Terminal->setReadOnly(true);
  Terminal->setMaximumHeight(110);
  Terminal->setFont(QFont(QStringLiteral("Monospace")));

  SkinWindow(this);
  SkinButton(PlayButton, SkinColour::Green);
  SkinButton(ResetButton, SkinColour::Orange);
  for (QPushButton* button : {PlayButton, ResetButton}) button->setMinimumSize(96, 30);
  auto* controls = new QHBoxLayout;
  controls->addWidget(PlayButton);
  controls->addWidget(ResetButton);
  controls->addWidget(SpeedBox);
  controls->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->setSpacing(12);
  layout->addWidget(Arena, 1);
  layout->addLayout(controls);
  layout->addWidget(Terminal);

  connect(PlayButton, &QPushButton::toggled, this, [this](bool paused) {
    live_.SetPaused(paused);
    PlayButton->setText(app::LoadText(paused ? kPlayText : kPauseText));
  });
  connect(ResetButton, &QPushButton::clicked, this, [this] { live_.Restart(); });
  connect(SpeedBox, &QComboBox::currentIndexChanged, this,
          [this](int index) { live_.SetSpeed(SpeedBox->itemData(index).toInt()); });
  timer_ = new QTimer(this);
  timer_->setInterval(40);
  connect(timer_, &QTimer::timeout, this, &VirtualRobotWindow::Refresh);
  timer_->start();
  Refresh();
}

// The arena and the terminal lie on cards, as the main window's lists do.
void VirtualRobotWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  DrawCard(painter, this, Arena->geometry().adjusted(-6, -6, 6, 6), SkinColour::Green);
  DrawCard(painter, this, Terminal->geometry().adjusted(-6, -6, 6, 6), SkinColour::Blue);
}

void VirtualRobotWindow::Refresh() {
  sim::vm::LiveProgram::Snapshot s = live_.snapshot();
  // The terminal shows the program's bytes as text; a carriage return starts a new line.
  QString text = QString::fromLatin1(s.terminal.data(), static_cast<int>(s.terminal.size()));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (!s.fault.empty()) text += QStringLiteral("\n[") + QString::fromStdString(s.fault) + QStringLiteral("]");
  if (Terminal->toPlainText() != text) {
    Terminal->setPlainText(text);
    Terminal->moveCursor(QTextCursor::End);
  }
  Arena->SetSnapshot(std::move(s));
}

}  // namespace ui
