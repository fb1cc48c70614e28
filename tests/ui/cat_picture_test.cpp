// The cat at home: its size by weight, its faces, its sleep, the idle bursts and the picture itself.
#include "ui/cat_picture.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>

#include "support/scripted_rng.h"
#include "world/state.h"

namespace polmina {
namespace {

class CatPictureTest : public ::testing::Test {
 protected:
  CatPictureTest() : state(std::make_unique<GameState>()), rng(1, ScriptedRng::WhenEmpty::Fail) {
    s().cats[3].owner = 1;
    s().cats[3].breed = 0;
    s().cats[3].weight = 2500;
    pic = std::make_unique<CatPicture>(s(), rng);
  }

  GameState& s() { return *state; }
  QTimer* timer(const char* name) { return pic->findChild<QTimer*>(QString::fromLatin1(name)); }
  // 'Z' while all three letters are up, '.' while all are down.
  char letters() {
    int up = 0;
    for (int i = 0; i < 3; ++i) up += !pic->findChild<QLabel*>(QStringLiteral("LabZ%1").arg(i))->isHidden();
    EXPECT_EQ(up == 3, pic->zShown());
    return up == 3 ? 'Z' : (up == 0 ? '.' : '?');
  }
  // One frame with the given coin.
  int drawWith(double coin) {
    rng.push({coin});
    pic->drawCatPicture();
    return pic->frame();
  }

  std::unique_ptr<GameState> state;
  ScriptedRng rng;
  std::unique_ptr<CatPicture> pic;
};

constexpr double kCoinZero = 0.1;   // Int(3 x rnd) = 0, and no flip of the sleeping cat either
constexpr double kCoinOther = 0.5;  // Int(3 x rnd) = 1, Int(15 x rnd) = 7

TEST_F(CatPictureTest, SizeAndPlaceFollowTheWeightAtEachStep) {
  struct Case {
    double grams;
    int size;
    QPoint offset;
  };
  const Case cases[] = {{499, 66, {4, 4}},  {500, 67, {3, 4}},  {999.5, 68, {3, 3}}, {1000, 69, {2, 3}},
                        {2999, 70, {2, 2}}, {3000, 71, {1, 1}}, {4999, 72, {1, 1}},  {5000, 73, {1, 0}},
                        {5999, 73, {1, 0}}, {6000, 74, {0, 0}}, {9000, 74, {0, 0}}};
  for (const Case& c : cases) {
    s().cats[3].weight = c.grams;
    drawWith(kCoinOther);
    EXPECT_EQ(pic->spriteSize(), c.size) << c.grams;
    EXPECT_EQ(pic->offset(), c.offset) << c.grams;
  }
}

TEST_F(CatPictureTest, AwakeFacesFollowConditionPhaseAndCoin) {
  const int expected[5][3] = {{1, 0, 2}, {4, 3, 5}, {7, 6, 8}, {10, 9, 10}, {12, 11, 12}};
  for (int level = 1; level <= 5; ++level) {
    s().conditionLevel = static_cast<uint8_t>(level);
    auto fresh = std::make_unique<CatPicture>(s(), rng);
    pic.swap(fresh);
    // The first frame is phase 2; the coin is drawn on every frame, phase 1 included.
    EXPECT_EQ(drawWith(kCoinOther), expected[level - 1][0]) << level;
    EXPECT_EQ(drawWith(kCoinZero), expected[level - 1][1]) << level;
    EXPECT_EQ(drawWith(kCoinZero), expected[level - 1][2]) << level;
    EXPECT_FALSE(pic->zShown());
  }
  EXPECT_EQ(rng.draws, 15);
}

TEST_F(CatPictureTest, SleepingCatTurnsRarelyAndTheLettersBlinkFiveOnFiveOff) {
  s().conditionLevel = 6;
  std::string shown;
  for (int i = 0; i < 23; ++i) {
    EXPECT_EQ(drawWith(kCoinOther), 13);
    shown += letters();
  }
  EXPECT_EQ(shown, ".ZZZZZ......ZZZZZ......");

  EXPECT_EQ(drawWith(ScriptedRng::pickOf(0, 15)), 14);
  EXPECT_EQ(drawWith(kCoinOther), 14);
  EXPECT_EQ(drawWith(ScriptedRng::pickOf(0, 15)), 13);

  s().conditionLevel = 3;
  drawWith(kCoinOther);
  EXPECT_FALSE(pic->zShown());
}

TEST_F(CatPictureTest, AClickAnywhereOnThePictureIsTheCatsEvenOnTheLetters) {
  s().conditionLevel = 6;
  for (int i = 0; i < 3; ++i) drawWith(kCoinOther);
  ASSERT_TRUE(pic->zShown());
  int clicks = 0;
  QObject::connect(pic.get(), &CatPicture::clicked, [&] { ++clicks; });
  QTest::mouseClick(pic.get(), Qt::LeftButton, {}, QPoint(40, 60));
  QTest::mouseClick(pic.get(), Qt::LeftButton, {}, QPoint(60, 4));  // on the big "Z"
  EXPECT_EQ(clicks, 2);
}

TEST_F(CatPictureTest, IdleBurstsReseedDrawAFewFramesThenWaitASecond) {
  pic->startIdle();
  EXPECT_TRUE(timer("Timer1")->isActive());
  rng.push({0.0});  // a burst of Int(20 x 0 + 6) = 6 frames
  pic->timer1Tick();
  EXPECT_EQ(rng.log, "Ru");
  EXPECT_FALSE(timer("Timer1")->isActive());
  EXPECT_TRUE(timer("Timer2")->isActive());

  rng.push({kCoinOther, kCoinOther, kCoinOther, kCoinOther, kCoinOther, kCoinOther});
  for (int i = 0; i < 6; ++i) pic->timer2Tick();
  EXPECT_EQ(rng.draws, 7);
  pic->timer2Tick();  // the burst is over: no frame, back to waiting
  EXPECT_EQ(rng.draws, 7);
  EXPECT_FALSE(timer("Timer2")->isActive());
  EXPECT_TRUE(timer("Timer1")->isActive());

  pic->stopTimers();
  EXPECT_FALSE(timer("Timer1")->isActive());
  EXPECT_FALSE(timer("Timer2")->isActive());
}

TEST_F(CatPictureTest, FinishedChatterIsReportedAndTheTickGoesOnOnlyOnceItIsClosed) {
  rng.push({0.0});
  pic->timer1Tick();
  int seen = 0;
  bool closes = false;
  QObject::connect(pic.get(), &CatPicture::chatterToClose, [&] {
    ++seen;
    if (closes) pic->chatterGone();
  });

  pic->chatterSaid();
  pic->timer2Tick();  // the window would not close: no frame this tick
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(pic->frame(), -1);

  closes = true;
  rng.push({kCoinOther});
  pic->timer2Tick();
  EXPECT_EQ(seen, 2);
  EXPECT_FALSE(pic->chatterWaiting());
  EXPECT_EQ(pic->frame(), 4);
  rng.push({kCoinOther});
  pic->timer2Tick();
  EXPECT_EQ(seen, 2);
}

TEST_F(CatPictureTest, ThePictureIsTheCatOnItsRugAndTheWidgetShowsIt) {
  s().cats[3].weight = 6000;  // 74 x 74 at (0, 0): the strip right of the cat is bare room
  const QImage room = pic->picture();
  drawWith(kCoinOther);
  const QImage& shown = pic->picture();
  ASSERT_EQ(shown.size(), QSize(80, 80));

  int changed = 0;
  for (int y = 0; y < 74; ++y)
    for (int x = 0; x < 74; ++x) changed += shown.pixel(x, y) != room.pixel(x, y);
  EXPECT_GT(changed, 74 * 74 / 5) << "no cat in the picture";
  for (int y = 0; y < 80; ++y) EXPECT_EQ(shown.pixel(79, y), room.pixel(79, y)) << y;
  // Middle of the body: opaque cat, not the wall behind it.
  EXPECT_NE(shown.pixel(37, 45), room.pixel(37, 45));
  EXPECT_EQ(qAlpha(shown.pixel(37, 45)), 255);

  const QImage grabbed = pic->grab().toImage().convertToFormat(shown.format());
  EXPECT_EQ(grabbed.pixel(37, 45), shown.pixel(37, 45));
  EXPECT_EQ(grabbed.pixel(5, 5), shown.pixel(5, 5));
}

}  // namespace
}  // namespace polmina
