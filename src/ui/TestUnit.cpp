#include "ui/TestUnit.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include "app/Pictures.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "comm/LinkThread.h"
#include "comm/PortSlots.h"
#include "comm/TestExchange.h"
#include "ui/FilledShape.h"
#include "ui/WindowSkin.h"

namespace ui {

namespace {
constexpr int kNoSlot = -4;
constexpr int kTestProgram = 364;
constexpr int kPulseMin = 650;
constexpr int kPulseMax = 850;
constexpr int kPulseCentre = 750;
constexpr int kCalibrationBase = 650;
constexpr int kExchangeMs = 10;
// Answer bits.
constexpr int kLeftIr = 1, kRightIr = 2, kLeftWhisker = 4, kRightWhisker = 8;
const QColor kSensorRed(0xFF, 0x00, 0x00);
const QColor kSensorBlack(0x00, 0x00, 0x00);

QRect Place(int left, int top, int width, int height) {
  return QRect(left, top, width, height);
}

QLabel* Picture(QWidget* parent, const char* name, const QString& alias, const QRect& place) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setPixmap(app::WindowPicture(alias, parent));
  label->setScaledContents(true);
  label->setGeometry(place);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}
}  // namespace

TTestForm::TTestForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TestForm"));
  setWindowTitle(app::LoadText(414));
  // Modal to the main window only: its commands wait while the test runs, but the virtual
  // robot's panel (a window of its own) keeps taking its boxes and keys during the test. Set
  // here, so that every showing (exec included) keeps it.
  setWindowModality(Qt::WindowModal);
  resize(454, 480);
  MakeControls();
  // FormCreate: the exchange timer, off until a test runs.
  TestTimer = new QTimer(this);
  TestTimer->setObjectName(QStringLiteral("TestTimer"));
  TestTimer->setInterval(kExchangeMs);
  TestTimer->setTimerType(Qt::PreciseTimer);
  connect(TestTimer, &QTimer::timeout, this, &TTestForm::TestOnTimer);
  ReadServoCenters = [this] { return ownCenters_; };
  StoreServoCenters = [this](std::uint8_t left, std::uint8_t right) { ownCenters_ = {left, right}; };
}

void TTestForm::MakeControls() {
  QFont bold = font();
  bold.setBold(true);

  SkinWindow(this);
  // The servo panels are drawn as cards by the window (see paintEvent).
  auto panel = [this](const char* name) {
    auto* frame = new QFrame(this);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::NoFrame);
    return frame;
  };
  LeftServoEnabledPanel = panel("LeftServoEnabledPanel");
  LeftServoEnabledPanel->setGeometry(12, 36, 110, 264);
  RightServoEnabledPanel = panel("RightServoEnabledPanel");
  RightServoEnabledPanel->setGeometry(332, 36, 110, 264);

  auto label = [this, &bold](const char* name, QRect place, Qt::Alignment alignment) {
    auto* text = new QLabel(this);
    text->setObjectName(QString::fromLatin1(name));
    text->setFont(bold);
    text->setAlignment(alignment);
    text->setWordWrap(true);
    text->setGeometry(place);
    return text;
  };
  LeftServoLabel = label("LeftServoLabel", Place(12, 12, 110, 18), Qt::AlignCenter);
  RightServoLabel = label("RightServoLabel", Place(332, 12, 110, 18), Qt::AlignCenter);
  // The servo captions lie on the cards' caption bands, in white as the main window's.
  for (QLabel* caption : {LeftServoLabel, RightServoLabel}) {
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(palette);
  }
  LeftEnabledLabel = label("LeftEnabledLabel", Place(32, 306, 90, 36), Qt::AlignLeft | Qt::AlignVCenter);
  RightEnabledLabel = label("RightEnabledLabel", Place(352, 306, 90, 36), Qt::AlignLeft | Qt::AlignVCenter);
  LeftEnabledLabel->setFont(font());
  RightEnabledLabel->setFont(font());

  MakeServoControls();
  MakeButtons();
  MakeRobotDrawing();
  ConnectControls();
}

// Each servo's spin edit, slider and enabling check box.
void TTestForm::MakeServoControls() {
  auto spinEdit = [this](const char* name, QRect place) {
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(kPulseMin, kPulseMax);
    spin->setValue(kPulseCentre);
    spin->setGeometry(place);
    spin->setEnabled(false);
    spin->installEventFilter(this);
    return spin;
  };
  LServoSpinEdit = spinEdit("LServoSpinEdit", Place(37, 44, 60, 24));
  RServoSpinEdit = spinEdit("RServoSpinEdit", Place(357, 44, 60, 24));

  auto slider = [this](const char* name, QRect place) {
    auto* bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(kPulseMin, kPulseMax);
    bar->setPageStep(10);
    bar->setSingleStep(1);
    bar->setValue(kPulseCentre);
    bar->setGeometry(place);
    return bar;
  };
  LeftTireSpeed = slider("LeftTireSpeed", Place(55, 78, 24, 212));
  RightTireSpeed = slider("RightTireSpeed", Place(375, 78, 24, 212));

  auto checkBox = [this](const char* name, QRect place) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    box->setGeometry(place);
    return box;
  };
  LeftCheckBox = checkBox("LeftCheckBox", Place(13, 316, 16, 16));
  RightCheckBox = checkBox("RightCheckBox", Place(333, 316, 16, 16));
}

// The four commands as picture buttons in the main window's colours.
void TTestForm::MakeButtons() {
  auto button = [this](const char* name, QRect place) {
    auto* push = new QPushButton(this);
    push->setObjectName(QString::fromLatin1(name));
    push->setGeometry(place);
    push->setAutoDefault(false);
    return push;
  };
  RunTestButton = button("RunTestButton", Place(12, 372, 211, 36));
  DefaultButton = button("DefaultButton", Place(231, 372, 211, 36));
  SetCalibrationButton = button("SetCalibrationButton", Place(12, 420, 211, 36));
  ExitButton = button("ExitButton", Place(231, 420, 211, 36));
  SkinButton(RunTestButton, SkinColour::Green);
  SkinButton(DefaultButton, SkinColour::Orange);
  SkinButton(SetCalibrationButton, SkinColour::Purple);
  SkinButton(ExitButton, SkinColour::Red);
}

void TTestForm::ConnectControls() {
  connect(RightTireSpeed, &QScrollBar::valueChanged, this, [this] { RightPulseChange(RightTireSpeed); });
  connect(LeftTireSpeed, &QScrollBar::valueChanged, this, [this] { LeftPulseChange(LeftTireSpeed); });
  connect(RServoSpinEdit, &QSpinBox::editingFinished, this, [this] { RightPulseChange(RServoSpinEdit); });
  connect(LServoSpinEdit, &QSpinBox::editingFinished, this, [this] { LeftPulseChange(LServoSpinEdit); });
  connect(LeftCheckBox, &QCheckBox::clicked, this, &TTestForm::CheckBoxClick);
  connect(RightCheckBox, &QCheckBox::clicked, this, &TTestForm::CheckBoxClick);
  connect(RunTestButton, &QPushButton::clicked, this, &TTestForm::RunTestButtonClick);
  connect(DefaultButton, &QPushButton::clicked, this, &TTestForm::DefaultButtonClick);
  connect(SetCalibrationButton, &QPushButton::clicked, this, &TTestForm::SetCalibrationButtonClick);
  connect(ExitButton, &QPushButton::clicked, this, &TTestForm::ExitButtonClick);
}

// The robot from above, front up: the infrared detectors are filled shapes over their dark
// housings, each whisker a picture at rest and one pressed.
void TTestForm::MakeRobotDrawing() {
  BotPanel = new QLabel(this);
  BotPanel->setObjectName(QStringLiteral("BotPanel"));
  BotPanel->setGeometry(132, 12, 190, 330);
  BotPanel->setPixmap(app::WindowPicture(QStringLiteral("test_robot"), this));
  BotPanel->setScaledContents(true);

  LeftWhisker1 = Picture(BotPanel, "LeftWhisker1", QStringLiteral("whisker_left_rest"), Place(4, 8, 70, 104));
  LeftWhisker2 =
      Picture(BotPanel, "LeftWhisker2", QStringLiteral("whisker_left_pressed"), Place(4, 8, 70, 104));
  RightWhisker1 =
      Picture(BotPanel, "RightWhisker1", QStringLiteral("whisker_right_rest"), Place(116, 8, 70, 104));
  RightWhisker2 =
      Picture(BotPanel, "RightWhisker2", QStringLiteral("whisker_right_pressed"), Place(116, 8, 70, 104));
  LeftWhisker2->hide();
  RightWhisker2->hide();

  auto shape = [this](const char* name, FilledShape::Kind kind, QRect place) {
    auto* piece = new FilledShape(kind, kSensorBlack, BotPanel);
    piece->setObjectName(QString::fromLatin1(name));
    piece->setGeometry(place);
    return piece;
  };
  LeftIrSensorLens = shape("LeftIrSensorLens", FilledShape::Kind::Ellipse, Place(57, 70, 12, 12));
  LeftIrSensor = shape("LeftIrSensor", FilledShape::Kind::Rectangle, Place(71, 68, 12, 16));
  RightIrSensorLens = shape("RightIrSensorLens", FilledShape::Kind::Ellipse, Place(121, 70, 12, 12));
  RightIrSensor = shape("RightIrSensor", FilledShape::Kind::Rectangle, Place(107, 68, 12, 16));

  BackLabel = new QLabel(BotPanel);
  BackLabel->setObjectName(QStringLiteral("BackLabel"));
  BackLabel->setAlignment(Qt::AlignCenter);
  BackLabel->setGeometry(0, 304, 190, 20);
  QFont bold = font();
  bold.setBold(true);
  BackLabel->setFont(bold);
}

// Each servo's caption and panel form one card with a caption band; the robot drawing lies on
// a card of its own. The cards follow the controls wherever their layout records put them.
void TTestForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  for (auto [caption, panel] : {std::pair{LeftServoLabel, LeftServoEnabledPanel},
                                std::pair{RightServoLabel, RightServoEnabledPanel}}) {
    const int bandTop = caption->geometry().center().y() - kCardBandHeight / 2;
    const QRect card(panel->x(), bandTop, panel->width(), panel->geometry().bottom() + 1 - bandTop);
    DrawCard(painter, this, card, SkinColour::Blue, true);
  }
  DrawCard(painter, this, BotPanel->geometry().adjusted(-4, -4, 4, 4), SkinColour::Green);
}

void TTestForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TTestForm::FormShow() {
  // Layout records and captions.
  setWindowTitle(app::LoadText(414));
  if (auto rect = app::ControlLayoutRecord(76, false)) setFixedSize(rect->size());
  app::ApplyControlLayout(77, BotPanel, false);
  LeftServoLabel->setText(app::LoadText(415));
  app::ApplyControlLayout(78, LeftServoLabel, false);
  RightServoLabel->setText(app::LoadText(415));
  app::ApplyControlLayout(79, RightServoLabel, false);
  app::ApplyControlLayout(80, LeftServoEnabledPanel, false);
  LeftEnabledLabel->setText(app::LoadText(416));
  app::ApplyControlLayout(82, LeftEnabledLabel, false);
  app::ApplyControlLayout(81, RightServoEnabledPanel, false);
  RightEnabledLabel->setText(app::LoadText(417));
  app::ApplyControlLayout(83, RightEnabledLabel, false);
  BackLabel->setText(app::LoadText(418));
  RunTestButton->setText(app::LoadText(419));
  app::ApplyControlLayout(84, RunTestButton, false);
  DefaultButton->setText(app::LoadText(420));
  app::ApplyControlLayout(85, DefaultButton, false);
  SetCalibrationButton->setText(app::LoadText(421));
  app::ApplyControlLayout(86, SetCalibrationButton, false);
  ExitButton->setText(app::LoadText(422));
  app::ApplyControlLayout(87, ExitButton, false);
  // The panels lie below the controls placed on them.
  LeftServoEnabledPanel->lower();
  RightServoEnabledPanel->lower();

  CheckBoxClick();
  TestSlot = kNoSlot;
  const auto [left, right] = ReadServoCenters ? ReadServoCenters() : ownCenters_;
  RServoSpinEdit->setValue(right + kCalibrationBase);
  LServoSpinEdit->setValue(left + kCalibrationBase);
  SyncSliders();
  ShowSensors(0);
}

void TTestForm::done(int result) {
  if (downloading_) return;
  FormClose();
  QDialog::done(result);
}

void TTestForm::FormClose() {
  RightTireSpeed->setEnabled(false);
  LeftTireSpeed->setEnabled(false);
  RServoSpinEdit->setEnabled(false);
  LServoSpinEdit->setEnabled(false);
  TestTimer->stop();
  RunTestButton->setEnabled(true);
  CloseTestPort();
}

void TTestForm::RunOnLink(const std::function<void()>& job) {
  if (Link != nullptr)
    Link->Run(job);
  else
    job();
}

void TTestForm::CloseTestPort() {
  if (TestSlot > kNoSlot && Slots != nullptr) {
    comm::TSerial* port = &Slots->SlotPort(TestSlot);
    RunOnLink([port] { port->Close(); });
  }
  TestSlot = kNoSlot;
}

TTestForm::~TTestForm() {
  if (TestTimer != nullptr) TestTimer->stop();
  CloseTestPort();
}

void TTestForm::RunTestButtonClick() {
  if (downloading_) return;
  TestTimer->stop();
  CloseTestPort();
  app::LoadProgramText(kTestProgram);
  // The window keeps answering during the download; its own commands wait for the end.
  downloading_ = true;
  RunTestButton->setEnabled(false);
  ExitButton->setEnabled(false);
  TestSlot = DownloadTokenization ? DownloadTokenization(true) : kNoSlot;
  downloading_ = false;
  RunTestButton->setEnabled(true);
  ExitButton->setEnabled(true);
  // The test runs also after a refused packet, as long as a port was opened.
  if (TestSlot > kNoSlot) {
    CheckBoxClick();
    TestTimer->start();
  }
}

std::array<std::uint8_t, 4> TTestForm::CommandBytes() const {
  const int right = RightCheckBox->isChecked() ? RServoSpinEdit->value() : 0;
  const int left = LeftCheckBox->isChecked() ? LServoSpinEdit->value() : 0;
  return {std::uint8_t(right & 0xFF), std::uint8_t((right >> 8) & 0xFF), std::uint8_t(left & 0xFF),
          std::uint8_t((left >> 8) & 0xFF)};
}

void TTestForm::TestOnTimer() {
  if (TestSlot <= kNoSlot || Slots == nullptr) return;
  comm::TSerial* port = &Slots->SlotPort(TestSlot);
  const comm::TestCommand command = CommandBytes();
  if (Link == nullptr) {
    ShowSensors(comm::TestExchange(*port, command));
    return;
  }
  if (exchangePending_) return;
  exchangePending_ = true;
  Link->Post([this, port, command] {
    const int answer = comm::TestExchange(*port, command);
    QMetaObject::invokeMethod(
        this,
        [this, answer] {
          exchangePending_ = false;
          ShowSensors(answer);
        },
        Qt::QueuedConnection);
  });
}

void TTestForm::ShowSensors(int answer) {
  // A missing answer (-1) has every bit set: all detectors red, both whiskers pressed.
  LeftIrSensorLens->setFillColor(answer & kLeftIr ? kSensorRed : kSensorBlack);
  LeftIrSensor->setFillColor(answer & kLeftIr ? kSensorRed : kSensorBlack);
  RightIrSensorLens->setFillColor(answer & kRightIr ? kSensorRed : kSensorBlack);
  RightIrSensor->setFillColor(answer & kRightIr ? kSensorRed : kSensorBlack);
  const bool leftPressed = answer & kLeftWhisker;
  const bool rightPressed = answer & kRightWhisker;
  LeftWhisker1->setVisible(!leftPressed);
  LeftWhisker2->setVisible(leftPressed);
  RightWhisker1->setVisible(!rightPressed);
  RightWhisker2->setVisible(rightPressed);
}

void TTestForm::RightPulseChange(QObject* sender) {
  if (!RightSyncBusy) {
    RightSyncBusy = true;
    if (sender == RServoSpinEdit)
      RightTireSpeed->setValue(RServoSpinEdit->value());
    else
      RServoSpinEdit->setValue(RightTireSpeed->value());
    RightSyncBusy = false;
  }
  RightTireSpeed->setFocus();
}

void TTestForm::LeftPulseChange(QObject* sender) {
  if (!LeftSyncBusy) {
    LeftSyncBusy = true;
    if (sender == LServoSpinEdit)
      LeftTireSpeed->setValue(LServoSpinEdit->value());
    else
      LServoSpinEdit->setValue(LeftTireSpeed->value());
    LeftSyncBusy = false;
  }
  LeftTireSpeed->setFocus();
}

void TTestForm::SpinEditKeyUp(QObject* sender, int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  if (sender == LServoSpinEdit)
    LeftTireSpeed->setFocus();
  else
    RightTireSpeed->setFocus();
}

bool TTestForm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == LServoSpinEdit || watched == RServoSpinEdit) && event->type() == QEvent::KeyRelease)
    SpinEditKeyUp(watched, static_cast<QKeyEvent*>(event)->key());
  return QDialog::eventFilter(watched, event);
}

// Values set by the window itself (the stored calibration, Default) move the sliders too, so
// that the two always show the same width.
void TTestForm::SyncSliders() {
  LeftSyncBusy = RightSyncBusy = true;
  LeftTireSpeed->setValue(LServoSpinEdit->value());
  RightTireSpeed->setValue(RServoSpinEdit->value());
  LeftSyncBusy = RightSyncBusy = false;
}

void TTestForm::DefaultButtonClick() {
  RServoSpinEdit->setValue(kPulseCentre);
  LServoSpinEdit->setValue(kPulseCentre);
  SyncSliders();
}

void TTestForm::SetCalibrationButtonClick() {
  auto centre = [](int width) { return std::uint8_t(((width - kCalibrationBase) % 256 + 256) % 256); };
  const std::uint8_t right = centre(RServoSpinEdit->value());
  const std::uint8_t left = centre(LServoSpinEdit->value());
  if (StoreServoCenters) StoreServoCenters(left, right);
}

void TTestForm::CheckBoxClick() {
  LServoSpinEdit->setEnabled(LeftCheckBox->isChecked());
  LeftTireSpeed->setEnabled(LeftCheckBox->isChecked());
  RServoSpinEdit->setEnabled(RightCheckBox->isChecked());
  RightTireSpeed->setEnabled(RightCheckBox->isChecked());
}

void TTestForm::ExitButtonClick() {
  close();
}

}  // namespace ui
