#include "game/intake.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/game_world.h"
#include "support/scripted_rng.h"
#include "world/names.h"
#include "world/text.h"

namespace polmina {
namespace {

class RecordingFrontend final : public Frontend {
 public:
  bool askYesNo(Question, std::u16string_view, std::u16string_view) override { return false; }
  void tell(Question, std::u16string_view, std::u16string_view) override {}
  void watchRace(Game&, int) override {}
  void pause(double) override {}
  void progress(int value, int maximum) override { bar.push_back({value, maximum}); }
  void progressDone() override { ++done; }

  std::vector<std::pair<int, int>> bar;
  int done = 0;
};

struct Fixture : TestGame<ScriptedRng, RecordingFrontend> {
  // `count` live cats with distinct names, the player's cat first.
  explicit Fixture(int count) {
    s.catCount = count;
    s.retiredCount = 0;
    for (int i = 0; i < count; ++i) {
      s.cats[i].owner = static_cast<int16_t>(i + 1);
      s.cats[i].name = padRight(u"古株" + num(i), CatNameLength);
      s.cats[i].inUse = -1;
    }
  }
};

double pick(int k, int n) { return ScriptedRng::pickOf(k, n); }

// The seven draws of one name attempt: shape, front word, front pun, joiner flag, back pun, back word,
// joiner.
void pushName(ScriptedRng& rng, int shape, int frontWord, int frontPun, int joinerFlag, int backPun,
              int backWord, int joiner = 0) {
  rng.push({pick(shape, 30), pick(frontWord, 132), pick(frontPun, 108), pick(joinerFlag, 2),
            pick(backPun, 50), pick(backWord, 69), pick(joiner, 2)});
}

TEST(Intake, ChampionNameDrawnInOrder) {
  Fixture f(999);  // room for exactly one new cat, at 999
  f.s.cats[999].favouriteTraining = 3;
  pushName(f.rng, 7, 2, 0, 0, 1, 0);  // front word + back pun: the first legendary name
  f.rng.push({pick(1, 2), 0.35, pick(6, 11), 0.25, 0.5005, 0.5, 0.9, 0.75, 0.1});
  f.rng.push({pick(1, 40), pick(15, 50), 0.5, pick(0, 50), 0.25, 0.2, 0.5, pick(3, 6)});
  intakeNewCats(f.g);
  EXPECT_EQ(f.rng.draws, 24);
  EXPECT_TRUE(f.rng.script.empty());

  const CatRecord& c = f.s.cats[999];
  EXPECT_EQ(trim(c.name), names::ChampionNames[0]);
  EXPECT_EQ(c.owner, 1000);
  EXPECT_EQ(c.sex, 1);
  EXPECT_EQ(c.weight, 400);
  EXPECT_EQ(c.adultWeight, 3400);  // breed 6 at the draw, made a チンチラ by its name afterwards
  EXPECT_EQ(c.breed, 1);
  EXPECT_EQ(c.growthType, 4);
  EXPECT_EQ(c.peakAge, 15);  // from the drawn growth type 2
  EXPECT_EQ(c.looks, 5);
  EXPECT_EQ(c.constitution, 1);
  EXPECT_EQ(c.formCycleLength, 1);
  EXPECT_EQ(c.favouriteTraining, 3);  // group C, m = 1: kept
  EXPECT_EQ(c.speedMax, 9500);
  EXPECT_EQ(c.speed, 6250);
  EXPECT_EQ(c.staminaMax, 3100);
  EXPECT_EQ(c.stamina, 2100);
  EXPECT_EQ(c.powerMax, 5500);
  EXPECT_EQ(c.power, 4100);
  EXPECT_EQ(c.styleFlags, (std::array<uint8_t, 4>{0, 1, 1, 0}));
  EXPECT_EQ(f.s.catCount, 1000);
}

TEST(Intake, FeminineFrontWordMakesAFemaleWhateverTheBackWordAndARareTalent) {
  Fixture f(999);
  pushName(f.rng, 3, 121, 74, 0, 0, 62);  // front pun + back word "ニャオボーイ"; front word 121 is feminine
  f.rng.push({pick(0, 2), 0.95, pick(2, 11), 0.0, 0.1, 0.0, 0.0, 0.0, 0.0});
  f.rng.push(
      {pick(0, 40), pick(0, 50), 0.0, pick(29, 50), 0.5, 0.0, pick(0, 200), 0.5, 0.5, 0.5, pick(5, 6)});
  intakeNewCats(f.g);
  EXPECT_EQ(f.rng.draws, 27);

  const CatRecord& c = f.s.cats[999];
  EXPECT_EQ(trim(c.name), u"ニャオボーイ");
  EXPECT_EQ(c.sex, 1);
  EXPECT_EQ(c.weight, 1000);
  EXPECT_EQ(c.adultWeight, 4000);
  EXPECT_EQ(c.growthType, 1);
  EXPECT_EQ(c.peakAge, 11);
  EXPECT_EQ(c.favouriteTraining, 4);
  EXPECT_EQ(c.speedMax, 9500);
  EXPECT_EQ(c.speed, 6400);
  EXPECT_EQ(c.powerMax, 5500);
  EXPECT_EQ(c.power, 4250);
  EXPECT_EQ(c.staminaMax, 3300);
  EXPECT_EQ(c.stamina, 2350);
  EXPECT_EQ(c.styleFlags, (std::array<uint8_t, 4>{0, 0, 1, 1}));
}

TEST(Intake, SexFollowsTheWordIndicesInTheirOrder) {
  struct Case {
    int frontWord, backWord, drawn, sex;
  };
  for (const Case& k : {Case{127, 55, 1, 0}, Case{131, 0, 1, 0}, Case{126, 61, 0, 1}, Case{119, 61, 1, 0},
                        Case{119, 60, 0, 1}, Case{119, 53, 1, 1}, Case{0, 68, 1, 0}}) {
    Fixture f(999);
    pushName(f.rng, 10, k.frontWord, 0, 0, 0, k.backWord);
    f.rng.push({pick(k.drawn, 2)});
    intakeNewCats(f.g);
    EXPECT_EQ(f.s.cats[999].sex, k.sex) << k.frontWord << " " << k.backWord;
  }
}

TEST(Intake, TakenOrOverlongNamesAreDrawnAgain) {
  Fixture f(999);
  f.s.cats[10].name = padRight(u"ニャオミラクル", CatNameLength);
  f.s.playerCatName = u"ニャオアロー";
  f.s.retiredCount = 1;
  f.s.retiredCats[0].name = padRight(u"ニャオウイング", CatNameLength);
  f.s.retiredCats[1].name = padRight(u"ニャオブレード", CatNameLength);  // beyond the count
  pushName(f.rng, 1, 0, 74, 0, 0, 42);                                   // a live cat's
  pushName(f.rng, 1, 0, 74, 0, 0, 0);                                    // the player's cat's
  pushName(f.rng, 1, 0, 74, 0, 0, 1);                                    // a retired cat's
  pushName(f.rng, 1, 0, 7, 0, 0, 9);                                     // 13 characters
  pushName(f.rng, 0, 0, 74, 1, 0, 2, 0);                                 // "ニャオザブレード"
  f.rng.push({pick(1, 2), 0.95});
  intakeNewCats(f.g);
  EXPECT_EQ(trim(f.s.cats[999].name), u"ニャオザブレード");
  EXPECT_EQ(f.s.cats[999].sex, 1);
  EXPECT_EQ(f.s.cats[999].weight, 1000);
}

TEST(Intake, LuckyWordsMakeAFastCat) {
  for (int backWord : {42, 54}) {  // "ミラクル" at characters 4..7, "プリンセス" at 4..8
    Fixture f(999);
    pushName(f.rng, 2, 0, 74, 0, 0, backWord);
    f.rng.push({0.5, 0.5, pick(0, 11), 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    f.rng.push({0.5, 0.5, 0.5, 0.5, 0.5, 0.5, pick(100, 200), 0.5});
    intakeNewCats(f.g);
    EXPECT_EQ(f.s.cats[999].speed, 6200) << backWord;
    EXPECT_EQ(f.s.cats[999].speedMax, 9100);
  }
}

TEST(Intake, AYearsCropFillsTheFreedSlots) {
  Fixture f(800);
  f.rng = ScriptedRng(2024);
  f.s.playerCatName = u"古株0";
  f.s.retiredCount = 100;
  for (int i = 800; i < 1000; ++i) {
    f.s.cats[i].results.fill(7);
    f.s.cats[i].yearPrize = 3;
  }
  intakeNewCats(f.g);
  EXPECT_EQ(f.s.catCount, 1000);

  std::set<std::u16string> seen;
  for (int i = 0; i < 800; ++i) seen.insert(trim(f.s.cats[i].name));
  for (int i = 800; i < 1000; ++i) {
    const CatRecord& c = f.s.cats[i];
    const std::u16string name = trim(c.name);
    EXPECT_TRUE(seen.insert(name).second) << i;
    EXPECT_LE(name.size(), 10u);
    EXPECT_EQ(c.owner, i + 1);
    EXPECT_EQ(c.age, 1);
    EXPECT_EQ(c.catClass, ClassNew);
    EXPECT_EQ(c.condition, 80);
    EXPECT_EQ(c.points, 10000);
    EXPECT_EQ(c.entryRace, -1);
    EXPECT_EQ(c.inUse, -1);
    EXPECT_EQ(c.retired, 0);
    EXPECT_EQ(c.yearPrize, 3);  // not the intake's business
    EXPECT_EQ(c.styleFlags[0] + c.styleFlags[1] + c.styleFlags[2] + c.styleFlags[3], 2);
    EXPECT_GE(c.weight, 100);
    EXPECT_LE(c.weight, 1000);
    EXPECT_LE(c.breed, 10);
    EXPECT_GE(c.constitution, 1);
    EXPECT_LE(c.constitution, 5);
    // Places 1-3 of the S races, A races 0..3 and B, C, D are cleared; unplaced and A race 4 are kept.
    for (int k = 0; k < 48; ++k) {
      const bool cleared =
          (k < 9) || (k >= 12 && k < 30 && (k - 12) % 6 <= 3) || (k >= 36 && (k - 36) % 4 != 3);
      EXPECT_EQ(c.results[k], cleared ? 0 : 7) << "counter " << k;
    }
  }
  ASSERT_EQ(f.ui.bar.size(), 201u);
  EXPECT_EQ(f.ui.bar.front(), std::make_pair(0, 3000));
  EXPECT_EQ(f.ui.bar.back(), std::make_pair(3000, 3000));
  EXPECT_EQ(f.ui.done, 1);
}

TEST(Intake, StopsAtTheLastSlotOfTheTable) {
  Fixture f(900);
  intakeNewCats(f.g);
  EXPECT_EQ(f.s.catCount, 1000);
  EXPECT_EQ(f.s.cats[999].owner, 1000);
  EXPECT_EQ(f.ui.bar.back(), std::make_pair(1500, 3000));

  Fixture full(1000);
  const GameState before = full.s;
  intakeNewCats(full.g);
  EXPECT_EQ(full.s.cats, before.cats);
  EXPECT_EQ(full.s.catCount, 1000);
}

TEST(Intake, WithOnlyThePlayersCatTheCropFillsSlotsOneTo199) {
  Fixture f(1);
  const CatRecord player = f.s.cats[0];
  intakeNewCats(f.g);
  EXPECT_EQ(f.s.catCount, 200);
  EXPECT_EQ(f.s.cats[0], player);
  EXPECT_EQ(f.s.cats[1].owner, 2);
  EXPECT_EQ(f.s.cats[199].owner, 200);
  EXPECT_EQ(f.s.cats[200].inUse, 0);
}

TEST(NameTables, SizesWordsAndLegendaryNames) {
  EXPECT_EQ(names::frontWords().size(), 132u);
  EXPECT_EQ(names::frontPuns().size(), 109u);
  EXPECT_EQ(names::backPuns().size(), 51u);
  EXPECT_EQ(names::backWords().size(), 70u);
  EXPECT_TRUE(names::backWords()[69].empty());
  for (auto table : {names::frontWords(), names::frontPuns(), names::backPuns(), names::backWords()}) {
    std::set<std::u16string_view> distinct(table.begin(), table.end());
    EXPECT_EQ(distinct.size(), table.size());
  }
  for (auto pun : names::frontPuns())
    EXPECT_TRUE(pun.find(u"ニャ") != pun.npos || pun.find(u"ミャ") != pun.npos) << toUtf8(pun);
  for (auto pun : names::backPuns()) EXPECT_NE(pun.find(u"ニャ"), pun.npos) << toUtf8(pun);
  EXPECT_EQ(std::u16string(names::frontWords()[2]) + std::u16string(names::backPuns()[1]),
            names::ChampionNames[0]);
  EXPECT_EQ(std::u16string(names::frontWords()[3]) + std::u16string(names::backPuns()[3]),
            names::ChampionNames[1]);
  for (auto name : names::ChampionNames) EXPECT_EQ(name.size(), 9u);
  EXPECT_EQ(names::backWords()[42], names::LuckyWord);
  EXPECT_EQ(names::backWords()[54], names::PrincessWord);
}

}  // namespace
}  // namespace polmina
