#include <gtest/gtest.h>

#include "world/romaji.h"

namespace polmina {
namespace {

TEST(Romanized, KatakanaByOneHepburnTable) {
  EXPECT_EQ(romanized(u"マドンナニャスケ"), u"Madonnanyasuke");
  EXPECT_EQ(romanized(u"シャドウニャルソン"), u"Shadounyaruson");
  EXPECT_EQ(romanized(u"チョコ"), u"Choko");
  EXPECT_EQ(romanized(u"ジュリ"), u"Juri");
  // The small tsu doubles what follows (before ch, a t); the long mark is left out.
  EXPECT_EQ(romanized(u"マッチ"), u"Matchi");
  EXPECT_EQ(romanized(u"キッド"), u"Kiddo");
  EXPECT_EQ(romanized(u"パールニャーロ"), u"Parunyaro");
  // Small vowels make the syllables of loan words.
  EXPECT_EQ(romanized(u"ファイティ"), u"Faiti");
  EXPECT_EQ(romanized(u"ウィンディ"), u"Windi");
  EXPECT_EQ(romanized(u"ヴァン"), u"Van");
  // Hiragana reads as katakana.
  EXPECT_EQ(romanized(u"たま"), u"Tama");
}

TEST(Romanized, FullWidthLatinBecomesPlainAndWordsBeginWithACapital) {
  EXPECT_EQ(romanized(u"Ｔａｍａ"), u"Tama");
  EXPECT_EQ(romanized(u"ｍｉｋｅ　ｎｏ２"), u"Mike No2");
  EXPECT_EQ(romanized(u"ザ・キッド"), u"Za Kiddo");
  EXPECT_EQ(romanized(u"猫タマ"), u"猫Tama");
  EXPECT_EQ(romanized(u""), u"");
}

}  // namespace
}  // namespace polmina
