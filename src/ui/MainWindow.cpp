#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QTextDocument>

#include "app/core/Global.h"
#include "app/core/LayoutNumbers.h"
#include "app/core/Texts.h"
#include "comm/PortInfo.h"
#include "ui/CommTexts.h"
#include "ui/Commands.h"
#include "ui/PictureButtons.h"
#include "ui/PortBox.h"
#include "ui/StepArea.h"
#include "ui/TestUnit.h"

namespace ui {

namespace {
// Start geometry of the window and its controls, kept when a layout record is missing.
constexpr QSize kBeginnerSize(534, 527);
constexpr QSize kAdvancedSize(807, 527);
constexpr int kCreationCornerEllipse = 125;

// Palette tiles in slot order from the first tile slot: kind, hint text.
struct PaletteTile {
  int Kind;
  int HintText;
};
constexpr PaletteTile kPaletteTiles[] = {{0, 398}, {1, 399}, {2, 400}, {3, 401},
                                         {4, 402}, {5, 403}, {7, 405}, {6, 404}};
static_assert(std::size(kPaletteTiles) == app::kLastTileSlot - app::kFirstTileSlot + 1);
}  // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  InstallCommTexts();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Rovalis"));
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));  // silver
  setPalette(palette);
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);
  resize(kBeginnerSize);

  AskSaveQuestion = [this](const QString& text) {
    return QMessageBox::warning(this, QStringLiteral("Rovalis"), text,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  };
  ListPorts = [] { return QStringList(); };
  EndApplication = [] { QCoreApplication::quit(); };
  ShowTestWindow = [this] {
    if (testForm_ == nullptr) {
      testForm_ = new TTestForm(this);
      connect(testForm_, &QDialog::finished, this, &TMainForm::TestWindowClosed);
    }
    testForm_->exec();
  };

  MakeCommands();
  MakeControls();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::MakeControls() {
  MakeCheckBoxes();
  MakePortControls();
  MakeSensorControls();
  MakeHelpMemo();
}

void TMainForm::MakeCheckBoxes() {
  HyperHelp = new QCheckBox(this);
  HyperHelp->setObjectName(QStringLiteral("HyperHelp"));
  HyperHelp->setChecked(true);
  HyperHelp->setCursor(Qt::PointingHandCursor);
  HyperHelp->setStyleSheet(QStringLiteral(
      "QCheckBox { color: #80c8ff; background: black; font-family: Arial; font-weight: bold; }"));
  HyperHelp->setGeometry(400, 19, 120, 20);

  SensorsEnabled = new QCheckBox(this);
  SensorsEnabled->setObjectName(QStringLiteral("SensorsEnabled"));
  SensorsEnabled->setCursor(Qt::PointingHandCursor);
  SensorsEnabled->setGeometry(16, 380, 136, 20);
  HyperHelp->installEventFilter(this);
  SensorsEnabled->installEventFilter(this);
  HyperHelp->setMouseTracking(true);
  SensorsEnabled->setMouseTracking(true);

  connect(HyperHelp, &QCheckBox::clicked, this, &TMainForm::HyperHelpClick);
  connect(SensorsEnabled, &QCheckBox::clicked, this, &TMainForm::SensorsEnabledClick);
}

void TMainForm::MakePortControls() {
  SerialPortLabel1 = new QLabel(this);
  SerialPortLabel1->setObjectName(QStringLiteral("SerialPortLabel1"));
  SerialPortLabel1->setAlignment(Qt::AlignCenter);
  SerialPortLabel2 = new QLabel(this);
  SerialPortLabel2->setObjectName(QStringLiteral("SerialPortLabel2"));
  SerialPortLabel2->setAlignment(Qt::AlignCenter);

  COMPortComboBox = new PortBox(this);
  COMPortComboBox->setObjectName(QStringLiteral("COMPortComboBox"));
  COMPortComboBox->addItem(QStringLiteral("AUTO"));
  connect(COMPortComboBox, &PortBox::aboutToDropDown, this, &TMainForm::COMPortComboBoxUpdate);
  connect(COMPortComboBox, &QComboBox::activated, this, &TMainForm::ComChange);
}

void TMainForm::MakeSensorControls() {
  SensorTabbedNotebook = new QWidget(this);
  SensorTabbedNotebook->setObjectName(QStringLiteral("SensorTabbedNotebook"));
  SensorTabbedNotebook->setGeometry(460, 103, 201, 226);
  SensorTabbedNotebook->setMouseTracking(true);
  SensorTabs = new QTabBar(SensorTabbedNotebook);
  SensorTabs->setObjectName(QStringLiteral("SensorTabs"));
  SensorTabs->setExpanding(false);
  SensorTabs->setUsesScrollButtons(false);
  SensorTabs->setStyleSheet(QStringLiteral("QTabBar::tab { width: 39px; height: 20px; padding: 0px; }"));
  SensorTabs->setDrawBase(true);
  // The captions of the active language, even while the beginner mode keeps the tabs hidden.
  for (int t = 0; t < 5; ++t) SensorTabs->addTab(app::LoadText(406 + t));
  SensorTabs->setMouseTracking(true);
  SensorTabs->installEventFilter(this);
  SensorTabbedNotebook->installEventFilter(this);

  SensorActionPanel = new QLabel(QStringLiteral("+"), this);
  SensorActionPanel->setObjectName(QStringLiteral("SensorActionPanel"));
  SensorActionPanel->setAlignment(Qt::AlignCenter);
  SensorActionPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  SensorActionPanel->setAutoFillBackground(true);
  QFont plusFont(QStringLiteral("Arial"));
  plusFont.setPixelSize(16);
  SensorActionPanel->setFont(plusFont);
  SensorActionPanel->setCursor(Qt::DragCopyCursor);
  SensorActionPanel->setGeometry(471, 70, 23, 23);
  SensorActionPanel->setMouseTracking(true);
  SensorActionPanel->installEventFilter(this);
}

void TMainForm::MakeHelpMemo() {
  ActionScrollBox = new QWidget(this);
  ActionScrollBox->setObjectName(QStringLiteral("ActionScrollBox"));
  ActionScrollBox->setAutoFillBackground(true);
  QPalette black = ActionScrollBox->palette();
  black.setColor(QPalette::Window, Qt::black);
  ActionScrollBox->setPalette(black);
  ActionScrollBox->setGeometry(19, 103, 128, 263);

  HelpMemo = new QPlainTextEdit(this);
  HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
  HelpMemo->setReadOnly(true);
  HelpMemo->setFrameStyle(QFrame::NoFrame);
  HelpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QFont memoFont(QStringLiteral("Arial"));
  memoFont.setPointSize(8);
  HelpMemo->setFont(memoFont);
  HelpMemo->document()->setDocumentMargin(2);
  HelpMemo->setGeometry(16, 482, 500, 49);
}

void TMainForm::FormCreate() {
  SetModified(false);
  SetWindowRegion(height(), kCreationCornerEllipse);
  const QString programFolder =
      QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  openDialogFolder_ = programFolder;
  saveDialogFolder_ = programFolder;
  currentFolder_ = QDir::currentPath();
}

void TMainForm::SetWindowRegion(int height, int ellipse) {
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, width(), height), ellipse / 2.0, ellipse / 2.0);
  region_ = QRegion(path.toFillPolygon().toPolygon());
  // The offscreen platform (tests, pictures) cannot shape windows and says so on every call.
  if (QGuiApplication::platformName() != u"offscreen") setMask(region_);
}

void TMainForm::showEvent(QShowEvent* event) {
  if (!shown_) FormShow();
  QWidget::showEvent(event);
}

void TMainForm::FormShow() {
  if (shown_) return;
  shown_ = true;
  const bool advanced = app::Global().AdvancedMode;
  resize(advanced ? kAdvancedSize : kBeginnerSize);

  // 1. The picture slots; the window's own controls lie above them.
  Pictures = app::CreatePictures(this, advanced);
  Pictures[app::kTopRightSlot]->hide();
  Pictures[app::kRightColumnHiddenSlot]->hide();
  Pictures[app::kRightColumnShownSlot]->show();
  for (QWidget* control :
       {static_cast<QWidget*>(HyperHelp), static_cast<QWidget*>(SensorsEnabled),
        static_cast<QWidget*>(SerialPortLabel1), static_cast<QWidget*>(SerialPortLabel2),
        static_cast<QWidget*>(COMPortComboBox), SensorTabbedNotebook,
        static_cast<QWidget*>(SensorActionPanel), ActionScrollBox, static_cast<QWidget*>(HelpMemo)})
    control->raise();

  // 2. Controls from their records, the window last.
  ApplyLayouts(advanced);
  CentreOnScreen();

  // 3. and 4. The palette and the wiring of the slots.
  SetupPalette();
  WirePictures();
  // 5. The step grids.
  MakeStepGrids();
  // 6. and 7.
  LoadSettings();
  ApplyCaptions();
  // 8. What the mode shows.
  if (advanced) {
    SensorsEnabled->hide();
    for (int t = 0; t < 5; ++t) SensorTabs->setTabText(t, app::LoadText(406 + t));
  } else {
    SensorTabbedNotebook->hide();
    SensorActionPanel->hide();
  }
  // 9. to 12.
  HyperHelpClick();
  HelpMemo->setPlainText(app::LoadText(430));
  MakeStepSlots();
  // The covers come from the records; from now on they follow the actions.
  for (const PictureButton& button : kPictureButtons) {
    SetButtonEnabled(button.Tag, button.StartsEnabled);
    ShowCover(button.Tag, ButtonEnabled(button.Tag));
  }
  AutoEnableDisable();
  FocusCurrentGrid();
}

void TMainForm::ApplyLayouts(bool advanced) {
  app::ApplyControlLayout(app::kHyperHelpRecord, HyperHelp, advanced);
  app::ApplyControlLayout(app::kSerialPortLabel1Record, SerialPortLabel1, advanced);
  app::ApplyControlLayout(app::kSerialPortLabel2Record, SerialPortLabel2, advanced);
  COMPortComboBox->setItemText(0, app::LoadText(379));
  app::ApplyControlLayout(app::kPortBoxRecord, COMPortComboBox, advanced);
  app::ApplyControlLayout(app::kSensorsEnabledRecord, SensorsEnabled, advanced);
  app::ApplyControlLayout(app::kSensorNotebookRecord, SensorTabbedNotebook, advanced);
  app::ApplyControlLayout(app::kSensorActionPanelRecord, SensorActionPanel, advanced);
  app::ApplyControlLayout(app::kActionScrollBoxRecord, ActionScrollBox, advanced);
  app::ApplyControlLayout(app::kHelpMemoRecord, HelpMemo, advanced);
  if (auto rect = app::ControlLayoutRecord(app::kMainWindowRecord, advanced)) resize(rect->size());
  SensorTabs->setGeometry(0, 0, SensorTabbedNotebook->width(), SensorTabs->sizeHint().height());
}

void TMainForm::CentreOnScreen() {
  QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void TMainForm::ApplyCaptions() {
  HyperHelp->setText(app::LoadText(376));
  SerialPortLabel1->setText(app::LoadText(377));
  SerialPortLabel2->setText(app::LoadText(378));
  SensorsEnabled->setText(app::LoadText(380));
  COMPortComboBox->setItemText(0, app::LoadText(379));
}

void TMainForm::SetupPalette() {
  for (int i = 0; i < static_cast<int>(std::size(kPaletteTiles)); ++i) {
    const PaletteTile& tile = kPaletteTiles[i];
    app::PictureSlot* picture = Pictures[app::kFirstTileSlot + i];
    const QRect geometry = picture->geometry();  // tiles are placed within the palette box
    const bool visible = picture->isVisibleTo(this);
    picture->setParent(ActionScrollBox);
    picture->setGeometry(geometry);
    picture->setVisible(visible);
    picture->setTag(tile.Kind);
    picture->setToolTip(app::LoadText(tile.HintText));
    picture->stopAnimation();
  }
}

// --- port box ---

void TMainForm::RefreshPortBox() {
  const QStringList ports = ListPorts ? ListPorts() : QStringList();
  COMPortComboBox->blockSignals(true);
  COMPortComboBox->SetPorts(app::LoadText(379), ports, comm::PortLabels(ports));
  COMPortComboBox->blockSignals(false);
  SelectPortInBox(app::Global().SelectedPort);
}

void TMainForm::SelectPortInBox(const QString& port) {
  const int index = port == u"AUTO" ? 0 : COMPortComboBox->IndexOfPort(port);
  COMPortComboBox->setCurrentIndex(index > 0 ? index : 0);
}

void TMainForm::COMPortComboBoxUpdate() {
  RefreshPortBox();
}

void TMainForm::ComChange() {
  const int index = COMPortComboBox->currentIndex();
  app::Global().SelectedPort = index <= 0 ? QStringLiteral("AUTO") : COMPortComboBox->PortAt(index);
  FocusCurrentGrid();
}

// --- settings ---

void TMainForm::LoadSettings() {
  if (auto store = app::OpenUserSettings()) app::ReadSettings(*store, settings_);
  HyperHelp->setChecked(settings_.HyperHelp);
  // The servo centres are the document's; every program built from it uses them.
  Lists.Document().LeftServoCenter = settings_.LeftServoCenter;
  Lists.Document().RightServoCenter = settings_.RightServoCenter;
  app::Global().SelectedPort = settings_.ComPort;
  if (!settings_.LastDirectory.isEmpty()) openDialogFolder_ = settings_.LastDirectory;
  RefreshPortBox();
  const QStringList ports = ListPorts ? ListPorts() : QStringList();
  app::Global().SelectedPort = app::PortAfterStart(app::Global().SelectedPort, ports);
  SelectPortInBox(app::Global().SelectedPort);
}

void TMainForm::SaveSettings() {
  settings_.HyperHelp = HyperHelp->isChecked();
  settings_.ComPort = app::Global().SelectedPort;
  settings_.LeftServoCenter = Lists.Document().LeftServoCenter;
  settings_.RightServoCenter = Lists.Document().RightServoCenter;
  settings_.LastDirectory = currentFolder_;
  if (auto store = app::OpenUserSettings()) app::WriteSettings(*store, settings_);
}

// --- seams: the grids, the editing commands, the files and the download fill these in ---

// Go and View live in GoView.cpp.
void TMainForm::MakeStepGrids() {
  Steps = new StepArea(this, Lists);
  Steps->MakeStepGrids();
  connect(this, &TMainForm::listsReplaced, Steps, &StepArea::RefreshAll);
}
void TMainForm::MakeStepSlots() {
  Steps->MakeStepSlots();
}
void TMainForm::Clear() {
  Pictures[ButtonOf(kClearButton).Pressed]->hide();
  if (Steps != nullptr) Steps->Clear();
}
// LoadFile and SaveFile live in MainWindowFiles.cpp.
void TMainForm::ToDoListKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (Steps != nullptr) Steps->ToDoListKeyDown(Steps->Grid(Lists.CurrentList), key, modifiers);
}
void TMainForm::AutoEnableDisable() {
  if (Steps != nullptr) Steps->AutoEnableDisable();
}
void TMainForm::FocusCurrentGrid() {
  if (Steps != nullptr) Steps->FocusCurrentGrid();
}

}  // namespace ui
