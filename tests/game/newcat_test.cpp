#include "game/newcat.h"

#include <gtest/gtest.h>

#include "support/game_world.h"
#include "support/scripted_rng.h"
#include "world/text.h"

namespace polmina {
namespace {

TEST(CheckName, SpacesGoAndHalfWidthBecomesFullWidth) {
  EXPECT_EQ(checkName(u"ab c").name, u"ａｂｃ");
  EXPECT_EQ(checkName(u"  Tama 2 ").name, u"Ｔａｍａ２");
  EXPECT_EQ(checkName(u"ｶﾞｯﾂ ﾊﾟﾝﾁ").name, u"ガッツパンチ");
  EXPECT_EQ(checkName(u"ｳﾞｨｰﾅｽ").name, u"ヴィーナス");
  EXPECT_EQ(checkName(u"ﾂﾞﾃﾞﾄﾞﾎﾟ").name, u"ヅデドポ");
  EXPECT_EQ(checkName(u"ｱﾞ").name, u"ア゛");  // no voiced form: the mark stays a letter of its own
  EXPECT_EQ(checkName(u"!~\\").name, u"！～＼");
  EXPECT_EQ(checkName(u"タマ　ミケ").name, u"タマ　ミケ");  // only half-width spaces are removed
  for (char16_t ch = 0x21; ch <= 0x7E; ++ch) EXPECT_TRUE(checkName(std::u16string(1, ch)).ok) << int(ch);
  for (char16_t ch = 0xFF61; ch <= 0xFF9F; ++ch) EXPECT_TRUE(checkName(std::u16string(1, ch)).ok) << int(ch);
}

TEST(CheckName, EmptyAndTooLong) {
  for (const char16_t* empty : {u"", u"   "}) {
    const NameCheck r = checkName(empty);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, u"名前を入力して下さい。");
  }
  EXPECT_TRUE(checkName(u"アイウエオカキクケコ").ok);
  EXPECT_TRUE(checkName(u"a b c d e f g h i j").ok);
  const NameCheck r = checkName(u"abcdefghijk");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, u"10文字までです。");
}

TEST(CheckName, CharactersTheSaveFileCannotHoldAreMendedOrRefused) {
  // The wave dash does not come back from Shift-JIS as itself; its full-width twin does.
  const NameCheck wave = checkName(u"ミケ〜");
  EXPECT_TRUE(wave.ok);
  EXPECT_EQ(wave.name, u"ミケ～");
  EXPECT_EQ(checkName(u"A−B").name, u"Ａ－Ｂ");
  for (const char16_t* bad : {u"Café", u"ネコ😺", u"タ\tマ", u"ᄀ"}) {
    const NameCheck r = checkName(bad);
    EXPECT_FALSE(r.ok) << toUtf8(bad);
    EXPECT_NE(r.message.find(u"は名前に使えない文字です。"), std::u16string::npos);
  }
  EXPECT_EQ(checkName(u"Café").message, u"「é」は名前に使えない文字です。");
  EXPECT_EQ(checkName(u"ネコ😺").message, u"「😺」は名前に使えない文字です。") << "shown whole, not half";
  EXPECT_EQ(checkName(u"タ\tマ").message, u"「制御文字」は名前に使えない文字です。");
}

using Wizard = TestGame<ScriptedRng>;

TEST(CreatePlayerCat, DrawsInOrderWithTheUnknownTrait) {
  Wizard w;
  namePlayerCat(w.s, u"ミケ", 1);
  w.s.cats[0].breed = 3;
  w.rng.push({0.5, 0.5, 0.99, ScriptedRng::pickOf(0, 30), 0.3, 0.7, 0.5, 0.5, 0.49999999, 0.5});
  createPlayerCat(w.g, TraitUnknown);
  EXPECT_EQ(w.rng.draws, 10);
  EXPECT_EQ(w.rng.reseedsAt, (std::vector<int>{0, 6}));

  const CatRecord& c = w.s.cats[0];
  EXPECT_EQ(c.owner, 1);
  EXPECT_EQ(trim(c.name), u"ミケ");
  EXPECT_EQ(c.name.size(), 20u);
  EXPECT_EQ(w.s.playerCatName, u"ミケ");
  EXPECT_EQ(c.sex, 1);
  EXPECT_EQ(c.weight, 250);
  EXPECT_EQ(c.age, 1);
  EXPECT_EQ(c.growthType, 2);
  EXPECT_EQ(c.peakAge, 17);
  EXPECT_EQ(c.favouriteTraining, 4);
  EXPECT_EQ(c.constitution, 2);
  EXPECT_EQ(c.looks, 4);
  EXPECT_EQ(c.formCycleLength, 3);
  // Single precision: 5000 x 0.49999999 + 1 comes to 2501, not 2500.99995.
  EXPECT_EQ(c.adultWeight, 5501);
  EXPECT_EQ(c.staminaMax, 2800);
  EXPECT_EQ(c.stamina, 1041);
  EXPECT_EQ(c.speedMax, 8200);
  EXPECT_EQ(c.speed, 6041);
  EXPECT_EQ(c.powerMax, 6000);
  EXPECT_EQ(c.power, 4250);
  EXPECT_EQ(c.catClass, ClassNew);
  EXPECT_EQ(c.condition, 80);
  EXPECT_EQ(c.points, 10000);
  EXPECT_EQ(c.entryRace, -1);
  EXPECT_EQ(c.inUse, -1);
}

TEST(CreatePlayerCat, TraitsAndBreedGroups) {
  struct Case {
    int trait, breed, staminaMax, stamina, speedMax, speed, looks, constitution;
  };
  for (const Case& k :
       {Case{TraitSpeed, 0, 2900, 1800, 8100, 6050, 4, 3}, Case{TraitPower, 7, 3000, 2000, 8000, 5900, 4, 3},
        Case{TraitStamina, 9, 2900, 1900, 8100, 5950, 4, 3},
        Case{TraitHealth, 8, 2800, 1000, 8200, 6000, 4, 1},
        Case{TraitLooks, 5, 3000, 2000, 8000, 5900, 1, 3}}) {
    Wizard w;
    w.s.cats[0].breed = static_cast<uint8_t>(k.breed);
    w.rng.push({0.5, 0.0, 0.0, 0.99, 0.5, 0.7, 0.0, 0.0, 0.0});  // constitution 3, looks 4
    createPlayerCat(w.g, k.trait);
    const CatRecord& c = w.s.cats[0];
    EXPECT_EQ(w.rng.draws, 9) << k.trait;
    EXPECT_EQ(c.growthType, 4);
    EXPECT_EQ(c.peakAge, 14);
    EXPECT_EQ(c.favouriteTraining, 1);
    EXPECT_EQ(c.staminaMax, k.staminaMax) << k.trait;
    EXPECT_EQ(c.stamina, k.stamina) << k.trait;
    EXPECT_EQ(c.speedMax, k.speedMax) << k.trait;
    EXPECT_EQ(c.speed, k.speed) << k.trait;
    EXPECT_EQ(c.looks, k.looks) << k.trait;
    EXPECT_EQ(c.constitution, k.constitution) << k.trait;
    EXPECT_EQ(c.adultWeight, adultWeightSpread(k.breed).base + 1);
  }
}

TEST(NewGame, WordsOfTheWizardAndTheCatsFirstWords) {
  EXPECT_EQ(catPageLead(1), u"次に貴女の猫君の名前、性別、特徴をお答えください。");
  EXPECT_EQ(catPageLead(0), u"次に貴方の猫君の名前、性別、特徴をお答えください。");
  GameState s;
  s.playerName = u"ハナコ";
  s.playerSex = 1;
  s.playerCatName = u"タマ";
  s.cats[0].constitution = 1;
  EXPECT_EQ(
      firstWords(s),
      u"ハナコの事が好きニャ　　　\r\nだから頑張るニャ 　 \r\nタマは強いからビシビシ鍛えるニャ！！　　");
  s.playerSex = 0;
  s.cats[0].constitution = 5;
  EXPECT_EQ(
      firstWords(s),
      u"ハナコの為に頑張るニャ　　　\r\nしっかり応援してニャ 　 \r\nでもタマは病弱だからニャ・・・　　");
  // The new game sorts the cats by name before the cat speaks: its own constitution counts, not that of
  // whichever cat now stands first.
  s.cats[0].constitution = 2;
  s.cats[41].constitution = 1;
  s.playerCat = 41;
  EXPECT_EQ(
      firstWords(s),
      u"ハナコの為に頑張るニャ　　　\r\nしっかり応援してニャ 　 \r\nタマは強いからビシビシ鍛えるニャ！！　　");
}

}  // namespace
}  // namespace polmina
