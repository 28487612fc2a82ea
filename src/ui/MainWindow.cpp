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
#include "app/core/Texts.h"
#include "comm/PortInfo.h"
#include "ui/CommTexts.h"
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
constexpr int kHelpCornerEllipse = 50;

// Palette tiles: slot, kind, hint text.
struct PaletteTile {
  int Slot;
  int Kind;
  int HintText;
};
constexpr PaletteTile kPaletteTiles[] = {{14, 0, 398}, {15, 1, 399}, {16, 2, 400}, {17, 3, 401},
                                         {18, 4, 402}, {19, 5, 403}, {20, 7, 405}, {21, 6, 404}};

template <size_t N>
bool Contains(const std::array<int, N>& list, int slot) {
  return std::find(list.begin(), list.end(), slot) != list.end();
}
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
    if (testForm_ == nullptr) testForm_ = new TTestForm(this);
    testForm_->exec();
  };

  MakeControls();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::MakeControls() {
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

  SerialPortLabel1 = new QLabel(this);
  SerialPortLabel1->setObjectName(QStringLiteral("SerialPortLabel1"));
  SerialPortLabel1->setAlignment(Qt::AlignCenter);
  SerialPortLabel2 = new QLabel(this);
  SerialPortLabel2->setObjectName(QStringLiteral("SerialPortLabel2"));
  SerialPortLabel2->setAlignment(Qt::AlignCenter);

  COMPortComboBox = new PortBox(this);
  COMPortComboBox->setObjectName(QStringLiteral("COMPortComboBox"));
  COMPortComboBox->addItem(QStringLiteral("AUTO"));

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

  HyperHelp->installEventFilter(this);
  SensorsEnabled->installEventFilter(this);
  HyperHelp->setMouseTracking(true);
  SensorsEnabled->setMouseTracking(true);

  connect(HyperHelp, &QCheckBox::clicked, this, &TMainForm::HyperHelpClick);
  connect(SensorsEnabled, &QCheckBox::clicked, this, &TMainForm::SensorsEnabledClick);
  connect(COMPortComboBox, &PortBox::aboutToDropDown, this, &TMainForm::COMPortComboBoxUpdate);
  connect(COMPortComboBox, &QComboBox::activated, this, &TMainForm::ComChange);
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
  Pictures[6]->hide();
  Pictures[13]->hide();
  Pictures[12]->show();
  for (QWidget* control :
       {static_cast<QWidget*>(HyperHelp), static_cast<QWidget*>(SensorsEnabled),
        static_cast<QWidget*>(SerialPortLabel1), static_cast<QWidget*>(SerialPortLabel2),
        static_cast<QWidget*>(COMPortComboBox), SensorTabbedNotebook,
        static_cast<QWidget*>(SensorActionPanel), ActionScrollBox, static_cast<QWidget*>(HelpMemo)})
    control->raise();

  // 2. Controls from their records, the window last.
  app::ApplyControlLayout(66, HyperHelp, advanced);
  app::ApplyControlLayout(67, SerialPortLabel1, advanced);
  app::ApplyControlLayout(68, SerialPortLabel2, advanced);
  COMPortComboBox->setItemText(0, app::LoadText(379));
  app::ApplyControlLayout(69, COMPortComboBox, advanced);
  app::ApplyControlLayout(70, SensorsEnabled, advanced);
  app::ApplyControlLayout(71, SensorTabbedNotebook, advanced);
  app::ApplyControlLayout(72, SensorActionPanel, advanced);
  app::ApplyControlLayout(73, ActionScrollBox, advanced);
  app::ApplyControlLayout(74, HelpMemo, advanced);
  if (auto rect = app::ControlLayoutRecord(75, advanced)) resize(rect->size());
  SensorTabs->setGeometry(0, 0, SensorTabbedNotebook->width(), SensorTabs->sizeHint().height());
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
  for (const PictureButton& button : kPictureButtons) SetButtonEnabled(button.Tag, button.StartsEnabled);
  AutoEnableDisable();
  FocusCurrentGrid();
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
  for (const PaletteTile& tile : kPaletteTiles) {
    app::PictureSlot* picture = Pictures[tile.Slot];
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

void TMainForm::WirePictures() {
  for (int s = 1; s <= app::kPictureSlotCount; ++s) {
    app::PictureSlot* picture = Pictures[s];
    if (s >= 14 && s <= 21) {
      connect(picture, &app::PictureSlot::mouseMoved, this,
              [this](app::PictureSlot* p, QMouseEvent*) { ActionMouseMove(p); });
      connect(picture, &app::PictureSlot::mousePressed, this, &TMainForm::ActionMouseDown);
      connect(picture, &app::PictureSlot::doubleClicked, this, &TMainForm::ActionDblClick);
      continue;
    }
    if (Contains(kWindowDragSlots, s)) {
      connect(picture, &app::PictureSlot::mousePressed, this,
              [this](app::PictureSlot*, QMouseEvent* e) { FormMouseDown(e); });
      connect(picture, &app::PictureSlot::mouseReleased, this,
              [this](app::PictureSlot*, QMouseEvent*) { moving_ = false; });
    }
    const bool background = Contains(kBackgroundMoveSlots, s);
    const bool drag = Contains(kWindowDragSlots, s);
    if (background || drag) {
      connect(picture, &app::PictureSlot::mouseMoved, this,
              [this, background](app::PictureSlot*, QMouseEvent* e) {
                MoveWindowWhileDragging(e);
                if (background) BackgroundMouseMove();
              });
      continue;
    }
    for (const PictureButton& button : kPictureButtons) {
      if (s == button.Highlight) {
        picture->setCursor(Qt::PointingHandCursor);
        connect(picture, &app::PictureSlot::mousePressed, this, [this](app::PictureSlot* p, QMouseEvent* e) {
          if (e->button() == Qt::LeftButton) HighlightedButtonMouseDown(p);
        });
        connect(picture, &app::PictureSlot::mouseReleased, this, [this](app::PictureSlot* p, QMouseEvent* e) {
          // The highlight gives way to the pressed look only now, so that it keeps the mouse
          // until the button is released.
          if (e->button() == Qt::LeftButton && IsButtonTag(p->tag()) &&
              Pictures[ButtonOf(p->tag()).Pressed]->isVisible())
            p->hide();
        });
        connect(picture, &app::PictureSlot::clicked, this, &TMainForm::ButtonClick);
      } else if (s == button.Normal || s == button.Pressed || (!button.IsEditButton() && s == button.Cover)) {
        connect(picture, &app::PictureSlot::mouseMoved, this,
                [this](app::PictureSlot* p, QMouseEvent*) { ButtonMouseMove(p); });
      }
    }
  }
}

// --- buttons ---

bool TMainForm::ButtonEnabled(int tag) const {
  const app::PictureSlot* cover = Pictures[ButtonOf(tag).Cover];
  return cover == nullptr || cover->isHidden();
}

void TMainForm::SetButtonEnabled(int tag, bool enabled) {
  if (app::PictureSlot* cover = Pictures[ButtonOf(tag).Cover]) cover->setVisible(!enabled);
}

namespace {
// The commands that would start a second link job or take the lists or the window away.
bool HeldWhileLinkBusy(int tag) {
  return tag == kGoButton || tag == kTestButton || tag == kOpenButton || tag == kClearButton ||
         tag == kQuitButton;
}
}  // namespace

void TMainForm::SetLinkBusy(bool busy) {
  linkBusy_ = busy;
  for (int tag : {kGoButton, kTestButton, kOpenButton, kClearButton, kQuitButton})
    SetButtonEnabled(tag, !busy);
  if (!busy && !quitting_) AutoEnableDisable();
}

void TMainForm::HideButtonLooks(bool editButtonsOnly) {
  for (const PictureButton& button : kPictureButtons) {
    if (editButtonsOnly && !button.IsEditButton()) continue;
    if (Pictures[button.Highlight] != nullptr) Pictures[button.Highlight]->hide();
    if (Pictures[button.Pressed] != nullptr) Pictures[button.Pressed]->hide();
  }
}

void TMainForm::ButtonMouseMove(app::PictureSlot* slot) {
  HideButtonLooks();
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  Pictures[ButtonOf(tag).Highlight]->show();
  ShowHelpText(ButtonOf(tag).HelpText);
}

void TMainForm::HighlightedButtonMouseDown(app::PictureSlot* slot) {
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  Pictures[ButtonOf(tag).Pressed]->show();
}

void TMainForm::ButtonClick(app::PictureSlot* slot) {
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  const PictureButton& button = ButtonOf(tag);
  // Every command starts by letting go of its pressed look.
  Pictures[button.Pressed]->hide();
  Pictures[button.Highlight]->hide();
  if (linkBusy_ && HeldWhileLinkBusy(tag)) return;
  switch (tag) {
    case kGoButton:
      Go();
      break;
    case kClearButton:
      Clear();
      break;
    case kTestButton:
      Test();
      break;
    case kOpenButton:
      LoadFile();
      break;
    case kSaveButton:
      SaveFile();
      break;
    case kQuitButton:
      Quit();
      break;
    case kDeleteButton:
      ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);
      return;
    case kCopyButton:
      ToDoListKeyDown(Qt::Key_C, Qt::ControlModifier);
      return;
    case kCutButton:
      ToDoListKeyDown(Qt::Key_X, Qt::ControlModifier);
      return;
    case kPasteButton:
      ToDoListKeyDown(Qt::Key_V, Qt::ControlModifier);
      return;
    case kUndoButton:
      ToDoListKeyDown(Qt::Key_Z, Qt::ControlModifier);
      return;
  }
  if (!quitting_) AutoEnableDisable();
}

// --- mouse over the window ---

void TMainForm::BackgroundMouseMove() {
  HideButtonLooks();
  ShowHelpText(429);
  for (const PaletteTile& tile : kPaletteTiles)
    if (Pictures[tile.Slot] != nullptr) Pictures[tile.Slot]->stopAnimation();
}

void TMainForm::ActionMouseMove(app::PictureSlot* tile) {
  HideButtonLooks(true);
  for (const PaletteTile& other : kPaletteTiles)
    if (Pictures[other.Slot] != tile) Pictures[other.Slot]->stopAnimation();
  tile->startAnimation(200);
  ShowHelpText(431);
}

void TMainForm::ActionMouseDown(app::PictureSlot*, QMouseEvent*) {}
void TMainForm::ActionDblClick(app::PictureSlot*) {}

void TMainForm::ShowHelpText(int textNumber) {
  const QString text = app::LoadText(textNumber);
  if (HelpMemo->toPlainText() != text) HelpMemo->setPlainText(text);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
    return QWidget::eventFilter(watched, event);
  int text = 0;
  if (watched == HyperHelp)
    text = 441;
  else if (watched == SensorsEnabled)
    text = 440;
  else if (watched == SensorActionPanel)
    text = 443;
  else if (watched == SensorTabs || watched == SensorTabbedNotebook)
    text = SensorTabs->currentIndex() == 0 ? 438 : 439;
  if (text == 0) return QWidget::eventFilter(watched, event);
  ShowHelpText(text);
  // A plain move stops here: passed on, it would reach the window's background and blank
  // the help again.
  return event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
}

// --- moving the window by its background ---

void TMainForm::FormMouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  moving_ = true;
  lastCursor_ = event->globalPosition().toPoint();
}

void TMainForm::MoveWindowWhileDragging(QMouseEvent* event) {
  if (!moving_ || !(event->buttons() & Qt::LeftButton)) {
    moving_ = false;
    return;
  }
  const QPoint cursor = event->globalPosition().toPoint();
  move(pos() + (cursor - lastCursor_));
  lastCursor_ = cursor;
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
  FormMouseDown(event);
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
  MoveWindowWhileDragging(event);
  BackgroundMouseMove();
}

void TMainForm::mouseReleaseEvent(QMouseEvent*) {
  moving_ = false;
}

// --- help panel ---

void TMainForm::HyperHelpClick() {
  app::PictureSlot* g = Pictures[42];
  app::PictureSlot* b = Pictures[2];
  app::PictureSlot* c = Pictures[4];
  if (g == nullptr || b == nullptr || c == nullptr) return;
  const int below = g->y() + g->height();
  if (HyperHelp->isChecked()) {
    const int unroll = HelpMemo->height() + 15;
    resize(width(), below + 15 + HelpMemo->height() + 15);
    b->move(b->x(), height() - b->height() - 1);
    c->move(c->x(), height() - c->height() - 1);
    // The window unrolls downward one pixel at a time.
    for (int n = unroll; n >= 0; --n) {
      SetWindowRegion(height() - n, kHelpCornerEllipse);
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    HelpMemo->show();
    ShowHelpText(429);
  } else {
    HelpMemo->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SetWindowRegion(below + 4 + b->height(), kHelpCornerEllipse);
    b->move(b->x(), below + 4);
    c->move(c->x(), below + 4);
    resize(width(), below + 15 + b->height());
  }
  FocusCurrentGrid();
}

void TMainForm::SensorsEnabledClick() {
  SensorActionPanel->setEnabled(SensorsEnabled->isChecked());
  FocusCurrentGrid();
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

// --- keyboard ---

void TMainForm::keyPressEvent(QKeyEvent* event) {
  if ((event->modifiers() & Qt::AltModifier) && AltShortcut(event->key())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TMainForm::AltShortcut(int keyCode) {
  const app::ShortcutCommand command = app::ShortcutFor(app::Global().ShortcutLetters, keyCode);
  if (command == app::ShortcutCommand::None) return false;
  RunCommand(command);
  return true;
}

void TMainForm::RunCommand(app::ShortcutCommand command) {
  using C = app::ShortcutCommand;
  const bool held = command == C::Go || command == C::Test || command == C::Open || command == C::Clear ||
                    command == C::Quit;
  if (linkBusy_ && held) return;
  switch (command) {
    case C::None:
      return;
    case C::Delete:
      ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);
      return;
    case C::Copy:
      ToDoListKeyDown(Qt::Key_C, Qt::ControlModifier);
      return;
    case C::Cut:
      ToDoListKeyDown(Qt::Key_X, Qt::ControlModifier);
      return;
    case C::Paste:
      ToDoListKeyDown(Qt::Key_V, Qt::ControlModifier);
      return;
    case C::Undo:
      ToDoListKeyDown(Qt::Key_Z, Qt::ControlModifier);
      return;
    case C::Go:
      Go();
      return;
    case C::View:
      ViewButtonClick();
      return;
    case C::Clear:
      Clear();
      return;
    case C::Test:
      Test();
      return;
    case C::Open:
      LoadFile();
      return;
    case C::Save:
      SaveFile();
      return;
    case C::Quit:
      Quit();
      return;
  }
}

// --- commands ---

void TMainForm::Test() {
  Pictures[ButtonOf(kTestButton).Pressed]->hide();
  if (ShowTestWindow) ShowTestWindow();
}

void TMainForm::Quit() {
  if (quitting_) return;
  if (CheckIfSaved() == QMessageBox::Cancel) return;
  if (Pictures[ButtonOf(kQuitButton).Pressed] != nullptr) Pictures[ButtonOf(kQuitButton).Pressed]->hide();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  SaveSettings();
  quitting_ = true;
  emit applicationEnded();
  if (EndApplication) EndApplication();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A close request from the window system is the Quit command, which waits for the link.
  if (linkBusy_ && !quitting_) {
    event->ignore();
    return;
  }
  if (!quitting_) Quit();
  if (quitting_)
    event->accept();
  else
    event->ignore();
}

QMessageBox::StandardButton TMainForm::CheckIfSaved() {
  if (!IsModified()) return QMessageBox::No;
  QApplication::beep();
  const QMessageBox::StandardButton answer =
      AskSaveQuestion ? AskSaveQuestion(app::LoadText(427)) : QMessageBox::Cancel;
  if (answer == QMessageBox::Yes) {
    SaveFile();
    // The user asked to keep the lists: when the save dialog was cancelled or the save
    // failed they are still unsaved, and going on would lose them.
    return IsModified() ? QMessageBox::Cancel : QMessageBox::Yes;
  }
  return answer == QMessageBox::No ? QMessageBox::No : QMessageBox::Cancel;
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
