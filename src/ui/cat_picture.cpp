#include "ui/cat_picture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "platform/rng.h"
#include "ui/fonts.h"
#include "ui/resources.h"
#include "ui/qt_text.h"
#include "world/numbers.h"
#include "world/state.h"

namespace polmina {

namespace {

constexpr int kPictureSize = 80;
constexpr int kCell = 70;
constexpr int kShadowHeight = 40;
constexpr int kAsleep = 6;

// What the face shows, for those who cannot see it.
QString faceInWords(int level) {
  switch (level) {
    case 1:
      return qtr(u"とても元気そうな顔");
    case 2:
      return qtr(u"元気そうな顔");
    case 3:
      return qtr(u"ふつうの顔");
    case 4:
      return qtr(u"少し疲れた顔");
    case kAsleep:
      return qtr(u"休養中で眠っている");
    default:
      return qtr(u"とても疲れた顔");
  }
}

struct Layout {
  int size;
  QPoint offset;
};

// A heavier cat is drawn larger, and the scene slides up and left to make room for it.
Layout layoutForWeight(double grams) {
  struct Step {
    double below;
    Layout layout;
  };
  static constexpr Step steps[] = {
      {500, {66, {4, 4}}},  {750, {67, {3, 4}}},  {1000, {68, {3, 3}}}, {2000, {69, {2, 3}}},
      {3000, {70, {2, 2}}}, {4000, {71, {1, 1}}}, {5000, {72, {1, 1}}}, {6000, {73, {1, 0}}},
  };
  for (const Step& step : steps)
    if (grams < step.below) return step.layout;
  return {74, {0, 0}};
}

// Faces while awake: phase 1, then phase 2 with the coin showing something other than 0, then 0.
constexpr int kAwakeFrames[5][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, 10}, {11, 12, 12}};

// The three "Z" letters drifting up from the sleeping cat, largest nearest the top right.
struct ZLetter {
  int x, y;
  double points;
};
constexpr ZLetter kZLetters[3] = {{57, -1, 8.25}, {52, 6, 6.75}, {48, 13, 6}};

QImage loadArt(const QString& path) {
  return loadPictureImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The room; a plain wall if the picture is missing, so the cat still has something to sit on.
QImage loadBackground() {
  QImage room = loadArt(QStringLiteral(":/art/home/background.png"));
  if (room.deviceIndependentSize() == QSizeF(kPictureSize, kPictureSize)) return room;
  room = QImage(kPictureSize, kPictureSize, QImage::Format_ARGB32_Premultiplied);
  room.fill(QColor(0xf4, 0xee, 0xe4));
  return room;
}

}  // namespace

CatPicture::CatPicture(GameState& s, Rng& rng, QWidget* parent)
    : QWidget(parent),
      s_(s),
      rng_(rng),
      timer1_(new QTimer(this)),
      timer2_(new QTimer(this)),
      background_(loadBackground()),
      shadow_(loadArt(QStringLiteral(":/art/home/shadow.png"))),
      picture_(background_),
      work_(background_) {
  setObjectName(QStringLiteral("pic"));
  setAccessibleName(qtr(u"猫の絵"));
  // The picture answers a click: Tab reaches it and Enter clicks it.
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(kPictureSize, kPictureSize);
  setAttribute(Qt::WA_OpaquePaintEvent);

  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  connect(timer1_, &QTimer::timeout, this, &CatPicture::timer1Tick);
  timer2_->setObjectName(QStringLiteral("Timer2"));
  timer2_->setInterval(200);
  connect(timer2_, &QTimer::timeout, this, &CatPicture::timer2Tick);

  for (int i = 0; i < 3; ++i) {
    auto* z = new QLabel(QStringLiteral("Z"), this);
    z->setObjectName(QStringLiteral("LabZ%1").arg(i));
    z->setFont(gothic(kZLetters[i].points, true));
    z->setStyleSheet(QStringLiteral("color: #3c4f86; background: transparent;"));
    z->setAttribute(Qt::WA_TransparentForMouseEvents);
    z->move(kZLetters[i].x, kZLetters[i].y);
    z->adjustSize();
    z->hide();
    labZ_[i] = z;
  }
}

bool CatPicture::zShown() const { return !labZ_[0]->isHidden(); }

void CatPicture::startIdle() { timer1_->start(); }

void CatPicture::stopTimers() {
  timer1_->stop();
  timer2_->stop();
}

void CatPicture::timer1Tick() {
  rng_.reseed();
  burstLength_ = intFloorL(20 * rng_.uniform() + 6);
  timer1_->stop();
  timer2_->start();
}

void CatPicture::timer2Tick() {
  if (chatterSaid_) {
    emit chatterToClose();
    // Still waiting: the chatter window could not be closed; try again on the next tick.
    if (chatterSaid_) return;
  }
  if (burstCount_ < burstLength_) {
    drawCatPicture();
    ++burstCount_;
  } else {
    burstCount_ = 0;
    timer2_->stop();
    timer1_->start();
  }
}

void CatPicture::drawCatPicture() {
  findPlayerCat(s_);
  const CatRecord& cat = catAt(s_, s_.playerCat);
  const Layout layout = layoutForWeight(cat.weight);
  size_ = layout.size;
  offset_ = layout.offset;
  phase_ = phase_ == 2 ? 1 : 2;
  frame_ = nextFrame();
  compose(cat.breed, frame_);
  update();
  const QString words = faceInWords(s_.conditionLevel);
  if (accessibleDescription() != words) setAccessibleDescription(words);
}

int CatPicture::nextFrame() {
  if (s_.conditionLevel == kAsleep) return sleepingFrame();
  setZShown(false);
  const int coin = intFloorL(3 * rng_.uniform());
  // A face level outside 1..5 cannot come from the training panel; show the nearest face.
  const int level = std::clamp<int>(s_.conditionLevel, 1, 5);
  const int column = phase_ == 1 ? 0 : (coin != 0 ? 1 : 2);
  return kAwakeFrames[level - 1][column];
}

int CatPicture::sleepingFrame() {
  if (intFloorL(15 * rng_.uniform()) == 0) sleepFrame_ = 1 - sleepFrame_;
  stepZLetters();
  return 13 + sleepFrame_;
}

// An eleven-frame cycle: five frames up, five down, one left as it was.
void CatPicture::stepZLetters() {
  if (zCounter_ < 1 || zCounter_ > 10)
    zCounter_ = 0;
  else
    setZShown(zCounter_ <= 5);
  ++zCounter_;
}

void CatPicture::setZShown(bool shown) {
  for (QLabel* z : labZ_) z->setVisible(shown);
}

const QImage& CatPicture::sheet(int breed) {
  QImage& cached = sheets_[static_cast<size_t>(breed)];
  if (cached.isNull())
    cached = loadArt(QStringLiteral(":/art/home/breed%1.png").arg(breed, 2, 10, QLatin1Char('0')));
  return cached;
}

// The room, the cat's shadow on its rug, the cat; then the finished scene is laid into the picture
// at the offset of the cat's size. Stretched without smoothing, like any plain bitmap stretch.
void CatPicture::compose(int breed, int frame) {
  {
    QPainter p(&work_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, background_);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRect(0, cintL(size_ / 2.0), size_, kShadowHeight), shadow_);
    if (breed >= 0 && breed < BreedCount) {
      const QImage& frames = sheet(breed);
      const int r = qRound(frames.devicePixelRatio());
      p.drawImage(QRect(0, 0, size_, size_), frames, QRect(kCell * frame * r, 0, kCell * r, kCell * r));
    }
  }
  QPainter p(&picture_);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, background_);
  p.drawImage(offset_, work_);
}

void CatPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(rect(), picture_);
  if (hasFocus()) {
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void CatPicture::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (event->modifiers() == Qt::NoModifier &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    emit clicked();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CatPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QWidget::mouseReleaseEvent(event);
}

}  // namespace polmina
