#include "ui/qt_frontend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "race/model.h"
#include "ui/accessible.h"
#include "ui/qt_text.h"

namespace polmina {

bool QtFrontend::askYesNo(std::u16string_view title, std::u16string_view text) {
  if (const std::optional<bool> answer = answerBeforehand ? answerBeforehand() : std::nullopt) {
    noteAnswered(title, text, *answer);
    return *answer;
  }
  ++boxesShown;
  if (beforeBox) beforeBox();
  return showBox(title, text, true);
}

void QtFrontend::tell(std::u16string_view title, std::u16string_view text) {
  ++boxesShown;
  if (beforeBox) beforeBox();
  showBox(title, text, false);
}

void QtFrontend::watchRace(Game& g, int raceNumber) {
  if (raceWindow) {
    raceWindow(g, raceNumber);
  } else {
    runWatchedRace(g, raceNumber);
  }
  if (beforeBox) beforeBox();
}

void QtFrontend::pause(double seconds) {
  if (beforePause) beforePause();
  if (!skipWaits) wait(seconds);
}

void QtFrontend::progress(int value, int maximum) {
  if (onProgress) onProgress(value, maximum);
}

void QtFrontend::progressDone() {
  if (onProgressDone) onProgressDone();
}

void QtFrontend::refreshCatPanel(Game& /*g*/) {
  if (onCatPanel) onCatPanel();
}

void QtFrontend::runModal(QDialog& dialog) {
  dialog.exec();
  giveBackKeys(dialog.parentWidget());
}

void QtFrontend::wait(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), &loop, &QEventLoop::quit);
  loop.exec();
}

namespace {

// The screen's usable height for a box over `parent`.
int usableHeight(const QWidget* parent) {
  const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().height() : 600;
}

// A notice too long for the screen (a long career record): its text scrolls, the OK stays in view.
void showScrollingNotice(const QString& title, const QString& text, QWidget* parent, int maxHeight) {
  QDialog box(parent);
  box.setObjectName(QStringLiteral("ScrollingNotice"));
  box.setWindowTitle(title);
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setContentsMargins(12, 10, 12, 10);
  auto* area = new QScrollArea(&box);
  area->setWidget(label);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setFrameShape(QFrame::NoFrame);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(area);
  layout->addWidget(buttons);
  const int scrollBar = area->verticalScrollBar()->sizeHint().width();
  area->setMinimumWidth(label->sizeHint().width() + scrollBar);
  box.resize(box.sizeHint().width(), maxHeight);
  box.exec();
}

}  // namespace

bool QtFrontend::showBox(std::u16string_view title, std::u16string_view text, bool question) {
  QWidget* parent = QApplication::activeWindow();
  // Titles and fixed texts come in Japanese and are translated here; texts made of names and numbers
  // come translated already.
  const std::u16string shown = polmina::tr(text);
  QMessageBox box(QMessageBox::NoIcon, qtr(title), shownText(shown),
                  question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // Plain buttons: the style's icons would take the room of the captions' last letters.
  for (QAbstractButton* b : box.buttons()) b->setIcon(QIcon());
  const int maxHeight = usableHeight(parent) - 40;
  if (!question && box.sizeHint().height() > maxHeight) {
    showScrollingNotice(qtr(title), shownText(shown), parent, maxHeight);
    return false;
  }
  const bool yes = box.exec() == QMessageBox::Yes;
  giveBackKeys(parent);
  return yes;
}

}  // namespace polmina
