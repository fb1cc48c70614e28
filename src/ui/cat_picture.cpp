#include "ui/cat_picture.h"

#include <QPainter>

namespace polmina {

CatPicture::CatPicture(GameState& s, Rng&, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName(QStringLiteral("pic"));
  timer2_.setInterval(200);
  connect(&timer2_, &QTimer::timeout, this, [this] {
    if (s_.chatterDone == -1) emit chatterDoneSeen();
  });
}

void CatPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, QPixmap(QStringLiteral(":/art/home/background.png")));
  findPlayerCat(s_);
  const QPixmap sheet(QStringLiteral(":/art/home/breed%1.png").arg(s_.cats[s_.playerCat].breed, 2, 10, QLatin1Char('0')));
  p.drawPixmap(QRect(5, 5, 70, 70), sheet, QRect(210, 0, 70, 70));
}

}  // namespace polmina
