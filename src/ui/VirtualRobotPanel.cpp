#include "ui/VirtualRobotPanel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/core/Texts.h"
#include "comm/Ports.h"
#include "sim/VirtualRobot.h"
#include "ui/VirtualRobotWindow.h"
#include "ui/WindowSkin.h"

namespace ui {

namespace {
enum PanelText {
  kPanelTitle = 518,
  kPortText = 519,  // "Port: %1"
  kLeftWhiskerText = 520,
  kRightWhiskerText = 521,
  kLeftInfraredText = 522,
  kRightInfraredText = 523,
  kServoWidthsText = 524,  // left %1, right %2, downloads %3
  kServoOffText = 525,
  kShowWindowText = 601,
};
constexpr int kDownloadWatchMs = 200;
}  // namespace

VirtualRobotPanel::VirtualRobotPanel(sim::VirtualRobot& robot, QWidget* parent)
    : QWidget(parent, Qt::Window), robot_(robot) {
  setObjectName(QStringLiteral("VirtualRobotPanel"));
  setWindowTitle(app::LoadText(kPanelTitle));

  PortLabel = new QLabel(app::LoadText(kPortText).arg(QString::fromStdString(robot.DevicePath())), this);
  auto box = [this](int text, const char* name) {
    auto* check = new QCheckBox(app::LoadText(text), this);
    check->setObjectName(QString::fromLatin1(name));
    connect(check, &QCheckBox::toggled, this, &VirtualRobotPanel::SensorsChanged);
    return check;
  };
  LeftWhiskerBox = box(kLeftWhiskerText, "LeftWhiskerBox");
  RightWhiskerBox = box(kRightWhiskerText, "RightWhiskerBox");
  LeftInfraredBox = box(kLeftInfraredText, "LeftInfraredBox");
  RightInfraredBox = box(kRightInfraredText, "RightInfraredBox");
  ServoLabel = new QLabel(this);
  ServoLabel->setObjectName(QStringLiteral("ServoLabel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PortLabel);
  layout->addSpacing(12);  // room for the boxes' card
  for (QWidget* w : {LeftWhiskerBox, RightWhiskerBox, LeftInfraredBox, RightInfraredBox})
    layout->addWidget(w);
  layout->addSpacing(12);
  layout->addWidget(ServoLabel);
  ShowWindowButton = new QPushButton(app::LoadText(kShowWindowText), this);
  ShowWindowButton->setObjectName(QStringLiteral("ShowWindowButton"));
  ShowWindowButton->hide();
  ShowWindowButton->setMinimumHeight(30);
  layout->addWidget(ShowWindowButton);
  SkinWindow(this);
  SkinButton(ShowWindowButton, SkinColour::Blue);
  layout->setContentsMargins(18, 14, 18, 14);

  // The robot's thread asks for the answer of every test command; it records the widths.
  robot_.SetCommandHandler([this](const sim::TestCommand& command) -> std::optional<std::uint8_t> {
    lastRight_ = command[0] | (command[1] << 8);
    lastLeft_ = command[2] | (command[3] << 8);
    return sensors_.load();
  });
  refresh_ = new QTimer(this);
  refresh_->setInterval(100);
  connect(refresh_, &QTimer::timeout, this, &VirtualRobotPanel::ShowServos);
  refresh_->start();
  ShowServos();
}

VirtualRobotPanel::~VirtualRobotPanel() {
  robot_.SetCommandHandler({});
}

std::uint8_t VirtualRobotPanel::SensorByte() const {
  return std::uint8_t((LeftInfraredBox->isChecked() ? kLeftInfrared : 0) |
                      (RightInfraredBox->isChecked() ? kRightInfrared : 0) |
                      (LeftWhiskerBox->isChecked() ? kLeftWhisker : 0) |
                      (RightWhiskerBox->isChecked() ? kRightWhisker : 0));
}

// The sensor boxes lie on a card, as the main window's lists do.
void VirtualRobotPanel::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  const QRect boxes = LeftWhiskerBox->geometry().united(RightInfraredBox->geometry());
  DrawCard(painter, this, boxes.adjusted(-10, -8, 10, 8), SkinColour::Purple);
}

void VirtualRobotPanel::SensorsChanged() {
  sensors_ = SensorByte();
  robot_.SetSensorByte(sensors_);
}

void VirtualRobotPanel::ShowServos() {
  auto width = [](int value) {
    return value < 0    ? QStringLiteral("-")
           : value == 0 ? app::LoadText(kServoOffText)
                        : QString::number(value);
  };
  ServoLabel->setText(app::LoadText(kServoWidthsText)
                          .arg(width(lastLeft_), width(lastRight_))
                          .arg(robot_.downloadsCompleted()));
}

// Keys 1 to 4 toggle the boxes, so the sensors can be worked from the keyboard too.
void VirtualRobotPanel::keyPressEvent(QKeyEvent* event) {
  QCheckBox* boxes[] = {LeftWhiskerBox, RightWhiskerBox, LeftInfraredBox, RightInfraredBox};
  const int index = event->key() - Qt::Key_1;
  if (index >= 0 && index < 4) {
    boxes[index]->toggle();
    return;
  }
  QWidget::keyPressEvent(event);
}

VirtualRobotSession::~VirtualRobotSession() {
  Window.reset();
  Panel.reset();
  if (Robot) {
    comm::RemoveExtraPort(QString::fromStdString(Robot->DevicePath()));
    Robot->Stop();
  }
}

namespace {
// A closed "Robot virtual" window comes back from the panel's button and with the next
// program the robot receives, so that the user sees it run.
void ShowWindowOnEachDownload(VirtualRobotSession& session) {
  auto* watch = new QTimer(session.Panel.get());
  VirtualRobotWindow* window = session.Window.get();
  QPushButton* button = session.Panel->ShowWindowButton;
  button->show();
  QObject::connect(button, &QPushButton::clicked, window, [window] {
    window->show();
    window->raise();
    window->activateWindow();
  });
  const sim::VirtualRobot* robot = session.Robot.get();
  watch->callOnTimeout(window, [window, robot, seen = robot->downloadsCompleted()]() mutable {
    const int now = robot->downloadsCompleted();
    if (now == seen) return;
    seen = now;
    window->show();
    window->raise();
  });
  watch->start(kDownloadWatchMs);
}
}  // namespace

std::unique_ptr<VirtualRobotSession> StartVirtualRobot(QString* error) {
  sim::RobotConfig config;
  config.byteTiming = true;  // a download takes as long as on the real wire
  config.runProgram = true;  // and then the module runs what it received
  auto session = std::make_unique<VirtualRobotSession>();
  session->Robot = std::make_unique<sim::VirtualRobot>(config);
  std::string reason;
  if (!session->Robot->Start(&reason)) {
    if (error != nullptr) *error = QString::fromStdString(reason);
    session->Robot.reset();
    return nullptr;
  }
  comm::AddExtraPort(QString::fromStdString(session->Robot->DevicePath()));
  session->Panel = std::make_unique<VirtualRobotPanel>(*session->Robot);
  session->Panel->show();
  if (sim::vm::LiveProgram* live = session->Robot->liveProgram()) {
    session->Window = std::make_unique<VirtualRobotWindow>(*live);
    session->Window->show();
    ShowWindowOnEachDownload(*session);
  }
  return session;
}

}  // namespace ui
