// The catalog as the game reads it: Japanese without it, the English of po/en.po with it, and the
// placeholders that let a translation put names and numbers in its own order.
#include <gtest/gtest.h>

#include <fstream>

#include "world/i18n.h"
#include "world/labels.h"

namespace polmina {
namespace {

struct Catalog : ::testing::Test {
  void TearDown() override { unloadCatalog(); }
};

TEST_F(Catalog, JapaneseWithoutItEnglishWithItAndBackAgain) {
  EXPECT_EQ(tr(u"次週"), u"次週");
  EXPECT_EQ(currentLanguage(), Language::Japanese);
  ASSERT_TRUE(loadCatalog(POLMINA_CATALOG));
  EXPECT_EQ(currentLanguage(), Language::English);
  EXPECT_EQ(tr(u"次週"), u"Next");
  EXPECT_EQ(tr(u"カタログにない文"), u"カタログにない文");
  // The same Japanese word, two meanings.
  EXPECT_EQ(trc(u"condition", u"普通"), u"Fair");
  EXPECT_EQ(sexLabel(1) + growthTypeName(3), u"Girl, late bloomer");
  EXPECT_EQ(placeName(2), u"2nd");
  EXPECT_EQ(yenText(1234), u"12,340,000");
  // A name in an English sentence is written in Latin letters.
  EXPECT_EQ(trf(u"{cat}が引退することになりました。", {{u"cat", u"タマ"}}), u"Tama is retiring.");
  // Counts say one and many apart, in every table that writes a record.
  EXPECT_EQ(recordCounts(1, 1), u"1 run, 1 win");
  EXPECT_EQ(recordCounts(3, 0), u"3 runs, 0 wins");
  EXPECT_EQ(counted(1, u"{n}歳   "), u"1 yr  ");
  unloadCatalog();
  EXPECT_EQ(recordCounts(1, 1), u"1戦1勝");
  EXPECT_EQ(trf(u"{cat}が引退することになりました。", {{u"cat", u"タマ"}}), u"タマが引退することになりました。");
  EXPECT_EQ(tr(u"次週"), u"次週");
  EXPECT_EQ(placeName(2), u"2着");
}

TEST_F(Catalog, AFileThatIsNoCatalogLeavesTheGameJapanese) {
  const std::string bad = ::testing::TempDir() + "not-a-catalog.mo";
  std::ofstream(bad) << "this is not a catalog";
  EXPECT_FALSE(loadCatalog(bad));
  EXPECT_FALSE(loadCatalog(::testing::TempDir() + "missing.mo"));
  EXPECT_EQ(currentLanguage(), Language::Japanese);
  // A table that points past the end of the file is refused, not read.
  std::ofstream cut(bad, std::ios::binary);
  const unsigned char header[] = {0xde, 0x12, 0x04, 0x95, 0, 0, 0, 0, 5, 0, 0, 0, 28, 0, 0, 0, 255, 255, 0, 0};
  cut.write(reinterpret_cast<const char*>(header), sizeof header);
  cut.close();
  EXPECT_FALSE(loadCatalog(bad));
  EXPECT_EQ(tr(u"次週"), u"次週");
}

TEST(Placeholders, FilledInAnyOrderAndUnknownOnesLeftAsWritten) {
  EXPECT_EQ(fill(u"{b} then {a}, {c}", {{u"a", u"1"}, {u"b", u"2"}}), u"2 then 1, {c}");
  EXPECT_EQ(fill(u"no marks {", {{u"a", u"1"}}), u"no marks {");
  EXPECT_EQ(trf(u"{n}頭", {{u"n", u"12"}}), u"12頭");
}

}  // namespace
}  // namespace polmina
