#include "ui/Progress.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include "app/PictureSlot.h"
#include "app/ShowError.h"
#include "app/core/Services.h"
#include "app/core/Texts.h"
#include "comm/PortInfo.h"
#include "comm/PortStatusTable.h"
#include "comm/Session.h"
#include "ui/CommTexts.h"
#include "ui/FilledShape.h"
#include "ui/WindowSkin.h"

namespace ui {

namespace {
// "&Download", the button of the choice among several robots.
constexpr int kDownloadButtonText = 466;
// Rows are 18 pixels plus a 1-pixel line, below a title row of the same height.
constexpr int kRowStride = 19;
constexpr int kGridLeft = 22;
constexpr int kMarkerSize = 10;
constexpr int kCellPadding = 8;
constexpr int kScrollBarRoom = 16;
constexpr int kScrollingRowCount = 7;  // more rows than this need the scroll bar
constexpr int kTallGridHeight = 137;
const QColor kMarkerGreen(0x00, 0x80, 0x00);
const QColor kMarkerLime(0x00, 0xFF, 0x00);
const QString kMark = QStringLiteral("+");
}  // namespace

TProgressForm::TProgressForm(QWidget* parent, comm::Session* session)
    : QDialog(parent), session_(session != nullptr ? *session : comm::TheSession()) {
  InstallCommTexts();
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(app::LoadText(423));
  TokenizeFailureBox = [this](const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Rovalis"), text, QMessageBox::Ok, parentWidget());
    if (!detail.isEmpty()) {
      box.setInformativeText(detail);
      box.setDetailedText(detail);
    }
    box.exec();
  };
  MakeControls();
}

TProgressForm::~TProgressForm() {
  if (busyShown_) QApplication::restoreOverrideCursor();
}

void TProgressForm::MakeControls() {
  QFont bold = font();
  bold.setBold(true);

  WarningImage = new QLabel(this);
  WarningImage->setObjectName(QStringLiteral("WarningImage"));
  WarningImage->setPixmap(app::WindowPicture(QStringLiteral("warning"), this));
  WarningImage->setGeometry(14, 12, 32, 32);
  WarningImage->hide();

  EMessage = new QPlainTextEdit(this);
  EMessage->setObjectName(QStringLiteral("EMessage"));
  EMessage->setReadOnly(true);
  EMessage->setFrameStyle(QFrame::NoFrame);
  EMessage->setFocusPolicy(Qt::NoFocus);
  EMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  EMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  EMessage->viewport()->setAutoFillBackground(false);
  EMessage->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
  EMessage->hide();

  PortStatusLabel = new QLabel(this);
  PortStatusLabel->setObjectName(QStringLiteral("PortStatusLabel"));
  PortStatusLabel->setFont(bold);
  ScanningLabel = new QLabel(this);
  ScanningLabel->setObjectName(QStringLiteral("ScanningLabel"));
  ScanningLabel->hide();

  PortStatus = new QTableWidget(this);
  PortStatus->setObjectName(QStringLiteral("PortStatus"));
  PortStatus->setColumnCount(comm::kColumnCount);
  PortStatus->setRowCount(1);
  PortStatus->verticalHeader()->hide();
  PortStatus->verticalHeader()->setMinimumSectionSize(1);
  PortStatus->verticalHeader()->setDefaultSectionSize(kRowStride);
  PortStatus->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  PortStatus->horizontalHeader()->setFixedHeight(kRowStride);
  PortStatus->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  PortStatus->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  PortStatus->horizontalHeader()->setHighlightSections(false);
  PortStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PortStatus->setSelectionMode(QAbstractItemView::NoSelection);  // the window selects itself
  PortStatus->setFocusPolicy(Qt::NoFocus);
  PortStatus->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  PortStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PortStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  PortStatus->setWordWrap(false);
  // Columns 5 (module type) and 6 (the mark) are data, not display.
  PortStatus->setColumnHidden(comm::kTypeColumn, true);
  PortStatus->setColumnHidden(comm::kMarkColumn, true);
  PortStatus->viewport()->installEventFilter(this);

  TXStatus = new FilledShape(FilledShape::Kind::Ellipse, kMarkerGreen, this);
  TXStatus->setObjectName(QStringLiteral("TXStatus"));
  TXStatus->resize(kMarkerSize, kMarkerSize);
  TXStatus->hide();
  MakeDownloadControls();
}

// The download's progress bar with its caption, and the button that ends the choice.
void TProgressForm::MakeDownloadControls() {
  QFont bold = font();
  bold.setBold(true);
  DownloadStatus = new QFrame(this);
  DownloadStatus->setObjectName(QStringLiteral("DownloadStatus"));
  DownloadStatusLabel = new QLabel(DownloadStatus);
  DownloadStatusLabel->setObjectName(QStringLiteral("DownloadStatusLabel"));
  DownloadStatusLabel->setFont(bold);
  ProgressBar0 = new QProgressBar(DownloadStatus);
  ProgressBar0->setObjectName(QStringLiteral("ProgressBar0"));
  ProgressBar0->setProperty("tag", 0);  // the program whose packets it counts
  ProgressBar0->setTextVisible(true);
  ProgressBar0->setAlignment(Qt::AlignCenter);
  ProgressBar0->setFormat(QStringLiteral("%p%"));
  ProgressBar0->setStyleSheet(QStringLiteral(
      "QProgressBar { border: 1px solid gray; background: palette(window); text-align: center; }"
      "QProgressBar::chunk { background: #27AE60; }"));
  ProgressBar0->setRange(0, 1);
  ProgressBar0->setValue(0);

  DownloadButton = new QPushButton(app::LoadText(kDownloadButtonText), this);
  DownloadButton->setObjectName(QStringLiteral("DownloadButton"));
  DownloadButton->resize(75, 25);
  DownloadButton->setDefault(true);
  DownloadButton->setEnabled(false);
  DownloadButton->hide();
  SkinButton(DownloadButton, SkinColour::Green);
  SkinWindow(this);
  connect(DownloadButton, &QPushButton::clicked, this, [this] { done(comm::kDownloadModalResult); });
}

// --- showing and layout ---

int TProgressForm::OpenProgress(const QString& message) {
  PortStatus->clearSelection();
  EMessage->setPlainText(message);
  if (message.isEmpty()) {
    EMessage->hide();
    WarningImage->hide();
    FormShow();
    show();
    raise();
    update();
    return -1;
  }
  EMessage->show();
  WarningImage->show();
  FormShow();
  // The first row that can be chosen comes to the top.
  for (int row = 1; row < session_.PortStatus.RowCount(); ++row) {
    if (session_.PortStatus.Cell(comm::kMarkColumn, row) == kMark) {
      ScrollToTopRow(row);
      break;
    }
  }
  DownloadButton->setEnabled(false);
  QApplication::beep();
  SuspendBusyCursor(true);
  const int result = exec();
  SuspendBusyCursor(false);
  return result;
}

// The port grid and its caption lie on a card, as the main window's lists do.
void TProgressForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const QRect grid = PortStatus->geometry();
  DrawCard(painter, this,
           QRect(QPoint(grid.left() - 8, PortStatusLabel->y() - 6), grid.bottomRight() + QPoint(8, 6)),
           SkinColour::Blue);
}

void TProgressForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only a shown grid knows how far it can scroll.
  ScrollToTopRow(session_.PortStatus.TopRow());
}

void TProgressForm::FormShow() {
  setWindowTitle(app::LoadText(423));
  PortStatusLabel->setText(app::LoadText(424));
  DownloadStatusLabel->setText(app::LoadText(425));
  ScanningLabel->setText(app::LoadText(426));
  PortStatusLabel->adjustSize();
  ScanningLabel->adjustSize();
  DownloadStatusLabel->adjustSize();

  // A port whose adapter the system describes shows "ttyUSB0 — USB serial adapter (A1B2C3)".
  portLabels_.clear();
  const QStringList labels = comm::PortLabels(session_.PortList);
  for (qsizetype i = 0; i < labels.size(); ++i) {
    if (labels[i] != session_.PortList[i]) portLabels_.insert(session_.PortList[i] + u':', labels[i]);
  }
  const QFontMetrics metrics(PortStatus->font());
  // The port names of this system are longer than "COM99:"; the column takes the longest.
  int nameWidth = metrics.horizontalAdvance(QStringLiteral("COM99:"));
  for (const QString& port : session_.PortList)
    nameWidth = std::max(nameWidth, metrics.horizontalAdvance(portLabels_.value(port + u':', port + u':')));
  const int widths[] = {nameWidth + 5, metrics.horizontalAdvance(app::LoadText(412)) + 15,
                        metrics.horizontalAdvance(app::LoadText(383)) + 10,
                        metrics.horizontalAdvance(app::LoadText(384)) + 10,
                        metrics.horizontalAdvance(app::LoadText(385)) + 10};
  // The cells draw their text a few pixels in from each side.
  for (int column = 0; column <= comm::kEchoColumn; ++column)
    PortStatus->setColumnWidth(column, widths[column] + kCellPadding);
  RefreshDisplay();

  QWidget* main = parentWidget();
  if (main != nullptr && main->isVisible()) {
    const QRect over = main->frameGeometry();
    move(over.left() + over.width() / 2 - width() / 2, over.top() + over.height() / 2 - height() / 2);
  }
}

void TProgressForm::RefreshDisplay() {
  TXStatus->hide();
  SyncGrid();
  const int rowCount = session_.PortStatus.RowCount();

  int gridWidth = 9;
  for (int column = 0; column <= comm::kEchoColumn; ++column) gridWidth += PortStatus->columnWidth(column);
  if (rowCount > kScrollingRowCount) gridWidth += kScrollBarRoom;
  const int windowWidth = kGridLeft + gridWidth + 26;
  const int gridHeight =
      rowCount > kScrollingRowCount - 1 ? kTallGridHeight : (rowCount - 1) * kRowStride + 23;

  // The message sits beside the warning picture and takes the lines it needs.
  const bool choice = ChoiceMode();
  if (choice) {
    const int messageLeft = WarningImage->x() + WarningImage->width() + 10;
    const int messageWidth = windowWidth - messageLeft - 14;
    const QRect text = EMessage->fontMetrics().boundingRect(QRect(0, 0, messageWidth - 8, 1000),
                                                            Qt::TextWordWrap, EMessage->toPlainText());
    EMessage->setGeometry(messageLeft, 10, messageWidth, text.height() + 10);
  }
  const int labelTop = choice ? EMessage->y() + EMessage->height() + 25 : 10;
  PortStatusLabel->move(kGridLeft, labelTop);
  ScanningLabel->move(kGridLeft + PortStatusLabel->width() + 12, labelTop);
  PortStatus->setGeometry(kGridLeft, labelTop + PortStatusLabel->height() + 2, gridWidth, gridHeight);

  const int below = PortStatus->y() + PortStatus->height();
  DownloadStatus->setGeometry(kGridLeft - 4, below + 9, gridWidth + 8, 0);
  DownloadStatusLabel->move(4, 6);
  ProgressBar0->setGeometry(4, DownloadStatusLabel->y() + DownloadStatusLabel->height() + 4, gridWidth, 18);
  DownloadStatus->resize(gridWidth + 8, ProgressBar0->y() + ProgressBar0->height() + 12);
  DownloadStatus->setVisible(!choice);
  AssignProgressBars();

  DownloadButton->setVisible(choice);
  DownloadButton->move(windowWidth / 2 - DownloadButton->width() / 2, below + 15);
  const int windowHeight = choice ? DownloadButton->y() + DownloadButton->height() + 37
                                  : DownloadStatus->y() + DownloadStatus->height();
  setFixedSize(windowWidth, windowHeight);
}

void TProgressForm::AssignProgressBars() {
  for (QProgressBar* bar : findChildren<QProgressBar*>()) {
    bool tagged = false;
    const int tag = bar->property("tag").toInt(&tagged);
    if (!tagged || tag < 0) continue;
    if (tag > int(session_.ProgramCount) - 1 || tag >= int(session_.ProgramPackets.size())) {
      bar->hide();
      continue;
    }
    bar->show();
    // A bar with no room would turn into a busy indicator; it shows 0% instead.
    bar->setRange(0, std::max(1, session_.ProgramPackets[std::size_t(tag)]));
    bar->setValue(0);
  }
}

bool TProgressForm::ChoiceMode() const {
  return !EMessage->isHidden();
}

// --- the grid ---

void TProgressForm::SyncRow(int row) {
  const comm::PortStatusTable& table = session_.PortStatus;
  const bool choice = ChoiceMode();
  const bool selectable = table.Cell(comm::kMarkColumn, row) == kMark;
  const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
  for (int column = 0; column < comm::kColumnCount; ++column) {
    QTableWidgetItem* item = PortStatus->item(row - 1, column);
    if (item == nullptr) {
      item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      PortStatus->setItem(row - 1, column, item);
    }
    const QString cell = table.Cell(column, row);
    item->setText(column == comm::kPortColumn ? portLabels_.value(cell, cell) : cell);
    // Rows that cannot be chosen appear greyed while the user chooses.
    if (choice && !selectable)
      item->setForeground(grey);
    else
      item->setData(Qt::ForegroundRole, QVariant());
    // The port-name column is a fixed column.
    if (column == comm::kPortColumn) item->setBackground(palette().brush(QPalette::Button));
  }
}

void TProgressForm::SyncGrid() {
  const comm::PortStatusTable& table = session_.PortStatus;
  QStringList titles;
  for (int column = 0; column < comm::kColumnCount; ++column) titles << table.Cell(column, 0);
  PortStatus->setHorizontalHeaderLabels(titles);
  PortStatus->setRowCount(table.RowCount() - 1);
  for (int row = 1; row < table.RowCount(); ++row) SyncRow(row);
  ScrollToTopRow(table.TopRow());
}

void TProgressForm::RowChanged(int row) {
  if (row < 1) return;
  if (row >= PortStatus->rowCount() + 1) SyncGrid();
  SyncRow(row);
  ScrollToTopRow(session_.PortStatus.TopRow());
  PortStatus->viewport()->update();
}

void TProgressForm::ScrollToTopRow(int row) {
  if (row < 1) row = 1;
  session_.PortStatus.SetTopRow(row);
  if (PortStatus->isVisible()) PortStatus->doItemsLayout();
  PortStatus->verticalScrollBar()->setValue(row - 1);
}

int TProgressForm::TopRow() const {
  return PortStatus->verticalScrollBar()->value() + 1;
}

bool TProgressForm::PortStatusSelectCell(int, int row) {
  const bool allowed = ChoiceMode() && row >= 1 && session_.PortStatus.Cell(comm::kMarkColumn, row) == kMark;
  UpdateDownloadButton();
  return allowed;
}

void TProgressForm::PortStatusMouseDown(const QPoint& pos) {
  const int tableRow = PortStatus->rowAt(pos.y());
  const int column = PortStatus->columnAt(pos.x());
  if (tableRow >= 0 && column >= 0 && PortStatusSelectCell(column, tableRow + 1)) {
    PortStatus->clearSelection();
    PortStatus->setRangeSelected(
        QTableWidgetSelectionRange(tableRow, comm::kDeviceColumn, tableRow, comm::kEchoColumn), true);
  }
  UpdateDownloadButton();
}

void TProgressForm::UpdateDownloadButton() {
  DownloadButton->setEnabled(!PortStatus->selectedRanges().isEmpty());
}

int TProgressForm::SelectedRow() {
  const auto ranges = PortStatus->selectedRanges();
  return ranges.isEmpty() ? -1 : ranges.first().topRow() + 1;
}

bool TProgressForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PortStatus->viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) PortStatusMouseDown(mouse->position().toPoint());
        if (event->type() == QEvent::MouseButtonDblClick && DownloadButton->isEnabled() && ChoiceMode())
          DownloadButton->click();
        return true;
      }
      case QEvent::MouseMove:
      case QEvent::MouseButtonRelease:
        return true;  // no drag selection
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// --- scan and download ---

void TProgressForm::SetScanning(bool scanning) {
  ScanningLabel->setVisible(scanning);
}

void TProgressForm::PlaceMarker(int row) {
  const int top = PortStatus->y() + PortStatus->frameWidth() + PortStatus->horizontalHeader()->height() +
                  (row - TopRow()) * kRowStride + (kRowStride - kMarkerSize) / 2;
  TXStatus->move(kGridLeft - kMarkerSize - 6, top);
  TXStatus->raise();
  TXStatus->show();
  TXStatus->update();
}

void TProgressForm::ToggleMarker() {
  TXStatus->setFillColor(TXStatus->fillColor() == kMarkerGreen ? kMarkerLime : kMarkerGreen);
}

void TProgressForm::StepIt(int program) {
  for (QProgressBar* bar : findChildren<QProgressBar*>()) {
    bool tagged = false;
    if (bar->property("tag").toInt(&tagged) != program || !tagged) continue;
    bar->setValue(std::min(bar->value() + 1, bar->maximum()));
  }
}

void TProgressForm::CloseProgress() {
  if (!isVisible()) return;
  // The last state stays on screen for a moment, painted and answering meanwhile.
  QEventLoop pause;
  QTimer::singleShot(ClosePauseMs, &pause, &QEventLoop::quit);
  pause.exec();
  hide();
}

// --- cursor and boxes ---

void TProgressForm::SetBusyCursor(bool busy) {
  if (busy) {
    if (!busyShown_) QApplication::setOverrideCursor(Qt::WaitCursor);
    busyShown_ = true;
  } else if (!holdBusy_ && busyShown_) {
    QApplication::restoreOverrideCursor();
    busyShown_ = false;
  }
}

void TProgressForm::HoldBusyCursor(bool hold) {
  holdBusy_ = hold;
  if (!hold) SetBusyCursor(false);
}

// While the user reads a box or makes the choice, the ordinary arrow is back.
void TProgressForm::SuspendBusyCursor(bool suspend) {
  if (suspend && busyShown_ && !busySuspended_) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    busySuspended_ = true;
  } else if (!suspend && busySuspended_) {
    QApplication::restoreOverrideCursor();
    busySuspended_ = false;
  }
}

void TProgressForm::ShowFailure(const comm::DownloadOutcome& outcome) {
  ShowError(DownloadFailureText(outcome));
}

void TProgressForm::ShowError(const QString& text) {
  SuspendBusyCursor(true);
  app::ShowError(text);
  SuspendBusyCursor(false);
}

void TProgressForm::ShowTokenizeFailure(const QString& text, const QString& detail) {
  SuspendBusyCursor(true);
  if (TokenizeFailureBox) TokenizeFailureBox(text, detail);
  SuspendBusyCursor(false);
}

}  // namespace ui
