#include "ui/qt_frontend.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "race/model.h"
#include "ui/qt_text.h"

namespace polmina {

bool QtFrontend::askYesNo(std::u16string_view title, std::u16string_view text) {
  return showBox(title, text, true);
}

void QtFrontend::tell(std::u16string_view title, std::u16string_view text) { showBox(title, text, false); }

void QtFrontend::watchRace(Game& g, int raceNumber) {
  if (raceWindow) {
    raceWindow(g, raceNumber);
  } else {
    runWatchedRace(g, raceNumber);
  }
}

void QtFrontend::pause(double seconds) {
  if (beforePause) beforePause();
  wait(seconds);
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

void QtFrontend::runModal(QDialog& dialog) { dialog.exec(); }

void QtFrontend::wait(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), &loop, &QEventLoop::quit);
  loop.exec();
}

bool QtFrontend::showBox(std::u16string_view title, std::u16string_view text, bool question) {
  QMessageBox box(QMessageBox::NoIcon, qs(title), shownText(text),
                  question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  QApplication::activeWindow());
  return box.exec() == QMessageBox::Yes;
}

}  // namespace polmina
