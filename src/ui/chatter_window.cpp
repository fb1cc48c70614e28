#include "ui/chatter_window.h"

#include <QAccessible>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <utility>
#include <algorithm>

#include "ui/accessible.h"
#include "ui/cat_picture.h"
#include "ui/qt_frontend.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "world/game.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

ChatterWindow::ChatterWindow(Game& g, const ChatterTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      g_(g),
      texts_(texts) {
  setObjectName(QStringLiteral("MsgFm"));
  setWindowTitle(qs(shownName(trim(g.s.playerCatName))));
  setModal(true);
  setFixedSize(204, 76);
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(4, 2, 196, 72);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setStyleSheet(QStringLiteral(
      "#Frame1 { background-color: #fff8e6; border: 1px solid #d8b878; border-radius: 6px; }"));
  lab_ = new QLabel(frame);
  lab_->setObjectName(QStringLiteral("Lab"));
  lab_->setGeometry(7, 5, 181, 61);
  lab_->setWordWrap(true);
  lab_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lab_->setStyleSheet(QStringLiteral("background: transparent; color: #402810;"));
  lab_->installEventFilter(this);
  frame->installEventFilter(this);
  log_ = new SpokenLog(frame, QStringLiteral("LogRemark"), qtr(u"ひとこと"), false);
  log_->setGeometry(lab_->geometry());
  log_->viewport()->installEventFilter(this);
  msgTim_.setInterval(100);
  connect(&msgTim_, &QTimer::timeout, this, &ChatterWindow::tick);
}

void ChatterWindow::start() { startWith(chooseChatterText(g_, texts_)); }

void ChatterWindow::startWith(std::u16string text) {
  shownText_ = std::move(text);
  revealCount_ = 0;
  lab_->clear();
  log_->clear();
  log_->setFocus(Qt::OtherFocusReason);
  msgTim_.start();
}

QString ChatterWindow::shown() const { return QString(lab_->text()).remove(QChar(0x2060)); }

void ChatterWindow::tick() {
  if (said_) return;
  const int length = static_cast<int>(shownText_.size());
  if (revealCount_ < lastTick()) {
    ++revealCount_;
    // The first tick comes when the window is up: the remark reaches the log whole.
    if (revealCount_ == 1) log_->addLine(qs(shownText_).remove(QLatin1Char('\r')));
    if (revealCount_ <= length) {
      const QString next = qs(std::u16string_view(shownText_).substr(revealCount_ - 1, 1));
      // A line break of the text arrives as CR then LF: only the LF breaks the line.
      // The player's name and the cat's wrap as whole words.
      if (next != QStringLiteral("\r"))
        lab_->setText(keepNamesWhole(shown() + next, {trim(g_.s.playerName), trim(g_.s.playerCatName)}));
    }
  } else {
    finish();
  }
}

void ChatterWindow::finish() {
  revealCount_ = 0;
  msgTim_.stop();
  if (std::exchange(said_, true)) return;
  emit said();
}

// The text types in, then stays a second; while a screen reader listens, until it has been said.
int ChatterWindow::lastTick() const {
  const int typed = static_cast<int>(shownText_.size()) + 10;
  if (!QAccessible::isActive()) return typed;
  return std::max(typed, static_cast<int>(spokenSeconds(qs(shownText_)) * 10));
}

bool ChatterWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    finish();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

void ChatterWindow::reject() {
  // Closed by the player (close box or Esc): the cat has had its say.
  msgTim_.stop();
  QDialog::reject();
}

void runChatterWindow(Game& g, const ChatterTexts& texts, CatPicture& pic, QtFrontend& ui, QPoint at,
                      const std::u16string* said) {
  ChatterWindow w(g, texts, pic.window());
  QObject::connect(&w, &ChatterWindow::said, &pic, &CatPicture::chatterSaid);
  QObject::connect(&pic, &CatPicture::chatterToClose, &w, [&w, &pic] {
    w.accept();
    pic.chatterGone();
  });
  w.move(at);
  if (said)
    w.startWith(*said);
  else
    w.start();
  ui.runModal(w);
  pic.chatterGone();
}

}  // namespace polmina
