// The weekly newspaper: which weeks have a topic, and what each topic writes and changes.
#include "news/topics.h"

#include <gtest/gtest.h>

#include <set>

#include "race/week.h"
#include "race/world.h"

namespace polmina {
namespace {

using testworld::World;

struct Topics : ::testing::Test {
  World w;

  Topics() {
    for (int i = 0; i < MaxCats; ++i) w.cat(i).entryRace = -1;
  }
  // Books cats first, first + 1, … for `slot`, giving each the key value `key(i)`.
  template <typename F>
  void book(int slot, int count, int first, F setKey) {
    for (int i = 0; i < count; ++i) {
      w.cat(first + i).entryRace = static_cast<int16_t>(slot);
      setKey(w.cat(first + i), i);
    }
  }
  Topic read(int weekBase) {
    w.weekOf(weekBase);
    return weeklyTopic(w.g);
  }
};

bool contains(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

TEST_F(Topics, OnlyTheBigRaceWeeksHaveATopicAndSmallFieldsAreCancelled) {
  const std::set<int> topicWeeks = {35, 75, 115, 155, 195, 235, 125, 220};
  for (int base = 0; base < CalendarSize; base += 5) {
    const Topic t = read(base);
    EXPECT_EQ(t.news, topicWeeks.contains(base)) << base;
    if (!t.news) {
      EXPECT_EQ(t.noNewsText, u"おもだったニュースはありません") << base;
    }
  }
  w.weekOf(0);
  EXPECT_EQ(readNewspaper(w.g).noNewsText, u"おもだったニュースはありません。");
  // Four entrants: no preview, no face.
  book(39, 4, 10, [](CatRecord&, int) {});
  const Topic t = read(35);
  EXPECT_EQ(t.headline, u"スピードの競演\r\n早　猫　賞　開　催\r\n");
  EXPECT_EQ(t.article, u"\r\n\r\n・・・・・・・・の予定が中止となりました");
  EXPECT_EQ(t.caption, u"");
  EXPECT_EQ(t.faceBreed, -1);
  EXPECT_EQ(w.s().previewTemplate, 0) << "no wording was drawn";
}

TEST_F(Topics, ThePreviewRanksByTheRaceAndKeepsItsWordingForTheWeek) {
  // 4/4 ranks by points, fewest first; exactly five entrants.
  book(79, 5, 20, [](CatRecord& c, int i) { c.points = 10000 - 100 * i; });
  w.rng.push({ScriptedRng::pickOf(2, 3)});  // the third wording
  const Topic t = read(75);
  const std::u16string fav = shownName(w.cat(24)), last = shownName(w.cat(20));
  EXPECT_TRUE(
      t.article.starts_with(u"今年も開催されます『桜猫賞』\r\n１番人気に推されましたのは" + fav + u"、"))
      << toUtf8(t.article);
  EXPECT_TRUE(t.article.ends_with(u"そして人気薄ですが" + last + u"も怖い存在です。"));
  EXPECT_EQ(t.caption, u"一番人気猫");
  EXPECT_EQ(t.faceName, fav);
  EXPECT_EQ(t.faceBreed, w.cat(24).breed);
  // Read again in the same week: no new draw, the same words.
  const int draws = w.rng.draws;
  EXPECT_EQ(weeklyTopic(w.g).article, t.article);
  EXPECT_EQ(w.rng.draws, draws);
  // The week's races clear the choice, so next week's paper draws again.
  runWeekRaces(w.g);
  EXPECT_EQ(w.s().previewTemplate, 0);
}

TEST_F(Topics, TheDecemberPreviewRenamesTheLastRaceOfTheYear) {
  w.s().year = 2002;  // the second race of the three
  book(239, 6, 30, [](CatRecord& c, int i) { c.yearPrize = 100 * i; });
  const Topic t = read(235);
  EXPECT_EQ(t.headline, u"３年に一度の大舞台\r\n『猫聖記念』　開　催\r\n");
  EXPECT_TRUE(t.article.starts_with(u"とうとうやってきました本年度の締めくくり『猫聖杯』\r\n"));
  EXPECT_TRUE(contains(t.article, u"期待もかかる" + shownName(w.cat(35)) + u"、" + shownName(w.cat(34))));
  EXPECT_EQ(w.s().calendar[239].raceName, u" 『猫聖杯』 ");
  EXPECT_EQ(w.s().calendar[239].distance, 200);
  EXPECT_NE(w.s().previewTemplate, 0) << "the wording is drawn here too";
}

TEST_F(Topics, TheResultListsTheLastRacesFinishersWithAgeAndSex) {
  for (int i = 0; i < 11; ++i) {
    w.s().finishOrder[static_cast<size_t>(i)] = static_cast<int16_t>(40 + i);
    CatRecord& snap = w.s().raceSnapshot[static_cast<size_t>(i)];
    snap = w.cat(40 + i);
    snap.name = padRight(u"ミケ" + num(i), CatNameLength);
    snap.age = static_cast<uint8_t>(i == 0 ? 3 : 12);
    snap.sex = static_cast<uint8_t>(i == 0 ? 1 : 0);
  }
  const Topic t = read(40);
  EXPECT_EQ(t.headline, u"先週の早猫賞結果速報\r\n");
  EXPECT_TRUE(t.article.starts_with(u"1着 ミケ0 3才 雌\r\n2着 ミケ112才 雄\r\n")) << toUtf8(t.article);
  EXPECT_TRUE(
      contains(t.article, u"\r\n9着 ミケ812才 雄\r\n10着ミケ912才 雄\r\n11着ミケ1012才 雄\r\n12着\r\n"));
  EXPECT_TRUE(t.article.ends_with(u"\r\n   以上着順でした"));
  EXPECT_EQ(t.caption, u"優勝猫");
  EXPECT_EQ(t.faceName, u"ミケ0 3才 雌");
  EXPECT_EQ(t.faceBreed, w.cat(40).breed);
  w.s().finishOrder.fill(-1);  // the big race was cancelled
  EXPECT_FALSE(read(40).news);
}

// In English the names are in Latin letters and every place keeps its space before the name.
TEST_F(Topics, TheEnglishResultWritesNamesInLatinLettersAfterTheirPlaces) {
  for (int i = 0; i < 12; ++i) {
    w.s().finishOrder[static_cast<size_t>(i)] = static_cast<int16_t>(40 + i);
    CatRecord& snap = w.s().raceSnapshot[static_cast<size_t>(i)];
    snap = w.cat(40 + i);
    snap.name = padRight(i == 9 ? u"パールニャーロ" : u"タマ", CatNameLength);
  }
  ASSERT_TRUE(loadCatalog(POLMINA_CATALOG));
  const Topic t = read(40);
  unloadCatalog();
  EXPECT_TRUE(t.article.starts_with(u"1st Tama")) << toUtf8(t.article);
  EXPECT_TRUE(contains(t.article, u"\r\n10th Parunyaro")) << toUtf8(t.article);
  EXPECT_TRUE(t.faceName.starts_with(u"Tama"));
  EXPECT_EQ(trim(w.s().raceSnapshot[9].name), u"パールニャーロ");
}

TEST_F(Topics, TheNewCatTopicPresentsTheFastestPromisingYearlingsAndSortsTheTable) {
  for (int i = 0; i < MaxCats; ++i) w.cat(i).age = 3;
  const auto yearling = [&](int i, int speed, int growth) {
    w.cat(i).age = 1;
    w.cat(i).stamina = 1400;
    w.cat(i).growthType = static_cast<uint8_t>(growth);
    w.cat(i).speed = speed;
  };
  yearling(100, 9000, 1);
  yearling(200, 9500, 4);
  yearling(300, 9900, 2);  // a late grower is not presented
  const std::u16string first = shownName(w.cat(200)), second = shownName(w.cat(100));
  const Topic t = read(125);
  EXPECT_TRUE(contains(t.article, u"最有力として" + first + u"次に" + second + u"そして\r\n"))
      << toUtf8(t.article);
  EXPECT_EQ(t.caption, u"期待の1歳猫");
  EXPECT_EQ(t.faceName, first);
  for (int i = 1; i < MaxCats; ++i) ASSERT_LE(w.cat(i - 1).speed, w.cat(i).speed) << i;
  EXPECT_EQ(w.cat(w.s().playerCat).owner, 1);
  // Without a single promising yearling the article still runs, but there is no face.
  w.cat(MaxCats - 2).age = 3;
  w.cat(MaxCats - 3).age = 3;
  const Topic none = read(125);
  EXPECT_TRUE(none.news);
  EXPECT_TRUE(contains(none.article, u"最有力として次にそして\r\n"));
  EXPECT_EQ(none.faceBreed, -1);
}

TEST_F(Topics, TheDecemberEntriesListElevenInTableOrder) {
  book(239, 12, 50, [](CatRecord&, int) {});
  const Topic t = read(220);
  EXPECT_EQ(t.headline, u"３大記念出走猫決定\r\n");
  EXPECT_TRUE(t.article.starts_with(u"1番人気　" + shownName(w.cat(50)) + u"\r\n"));
  EXPECT_TRUE(t.article.ends_with(u"11番人気　" + shownName(w.cat(60)) + u"\r\n上記の様に決定致しました"));
  EXPECT_FALSE(contains(t.article, shownName(w.cat(61)) + u"\r\n"));
  EXPECT_EQ(t.faceName, shownName(w.cat(50)));
}

}  // namespace
}  // namespace polmina
