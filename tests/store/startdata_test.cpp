#include <gtest/gtest.h>

#include "store/builders.h"
#include "store/savefile.h"

namespace polmina {
namespace {

using testing::plausibleCat;
using testing::TempDir;
using testing::writeBytes;

// The population a start data file is made from: computer cats in 1..999, a hall of 101 entries
// with a gap after the first 40.
std::unique_ptr<GameState> population() {
  auto p = testing::plausibleGame(MaxRetired);
  for (int i = 0; i < MaxCats; ++i) p->cats[i].owner = static_cast<int16_t>(i + 1);
  p->retiredCats[40] = CatRecord{};
  return p;
}

// The state of a new game right before the computer cats arrive: the player's cat in cats[0].
std::unique_ptr<GameState> newGame(const std::u16string& catName) {
  auto s = std::make_unique<GameState>();
  s->cats[0] = plausibleCat(0, 1);
  s->cats[0].name = padRight(catName, CatNameLength);
  s->playerCat = 0;
  s->playerCatName = catName;
  return s;
}

TEST(StartData, FillsTheComputerCatsAndTheHall) {
  TempDir dir;
  auto pop = population();
  pop->cats[12].name = padRight(u"  タマ", CatNameLength);  // named like the player's cat, once trimmed
  Bytes file = testing::startDataBytes(*pop);
  // A name stored with NUL bytes reads back with spaces.
  const size_t at = 4 * FileRecordLength + 2;  // record 5: cats[5]
  std::fill(file.begin() + at + 3, file.begin() + at + 20, 0);
  writeBytes(startDataPath(dir.path()), file);

  auto s = newGame(u"タマ");
  const CatRecord player = s->cats[0];
  ASSERT_TRUE(loadStartData(*s, {dir.path()}));
  EXPECT_EQ(s->cats[0], player);
  EXPECT_EQ(s->catCount, 1000);
  EXPECT_EQ(s->retiredCount, 40);
  EXPECT_EQ(s->cats[999], pop->cats[999]);
  EXPECT_EQ(s->retiredCats[100], pop->retiredCats[100]);
  EXPECT_EQ(s->cats[12].name, padRight(u"アイニャンコ", CatNameLength));
  EXPECT_EQ(s->cats[5].name.substr(0, 3), pop->cats[5].name.substr(0, 3));
  EXPECT_EQ(s->cats[5].name.substr(3), std::u16string(17, u' '));
}

TEST(StartData, RenameNeedsTheExactName) {
  TempDir dir;
  auto pop = population();
  pop->cats[3].name = padRight(u"ﾀﾏ", CatNameLength);  // half-width is another name
  pop->cats[4].name = padRight(u"タマ", CatNameLength);
  writeBytes(startDataPath(dir.path()), testing::startDataBytes(*pop));
  auto s = newGame(u"タマ");
  ASSERT_TRUE(loadStartDataFile(*s, startDataPath(dir.path())));
  EXPECT_EQ(trim(s->cats[3].name), u"ﾀﾏ");
  EXPECT_EQ(trim(s->cats[4].name), u"アイニャンコ");
  EXPECT_EQ(trim(s->cats[0].name), u"タマ");
}

TEST(StartData, LooksInTheFoldersInOrder) {
  TempDir first, second;
  writeBytes(startDataPath(second.path()), testing::startDataBytes(*population()));
  auto s = newGame(u"クロ");
  EXPECT_TRUE(loadStartData(*s, {first.path(), second.path()}));
  EXPECT_EQ(s->catCount, 1000);
}

// Nothing is loaded from a file that is missing, short or damaged; the new game stays as it was.
TEST(StartData, BadFilesAreRefused) {
  TempDir dir;
  const Bytes good = testing::startDataBytes(*population());
  Bytes shortFile(good.begin(), good.end() - FileRecordLength);
  Bytes badBreed = good;
  badBreed[5 * FileRecordLength + 23] = 11;
  Bytes secondPlayer = good;
  secondPlayer[7 * FileRecordLength] = 1;
  Bytes badHall = good;
  badHall[1099 * FileRecordLength + 106] = 240;
  struct Case {
    const char* what;
    const Bytes* bytes;
    const char16_t* says;
  };
  for (const Case& c : {Case{"missing", nullptr, u"見つかりません"}, Case{"short", &shortFile, u"不完全"},
                        Case{"breed", &badBreed, u"壊れて"}, Case{"owner", &secondPlayer, u"壊れて"},
                        Case{"hall", &badHall, u"壊れて"}}) {
    std::filesystem::remove(startDataPath(dir.path()));
    if (c.bytes) writeBytes(startDataPath(dir.path()), *c.bytes);
    auto s = newGame(u"タマ");
    const StoreResult r = loadStartData(*s, {dir.path()});
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_NE(r.message.find(c.says), std::u16string::npos) << c.what << ": " << toUtf8(r.message);
    EXPECT_EQ(s->cats[1], CatRecord{}) << c.what;
    EXPECT_EQ(s->retiredCount, -1) << c.what;
    EXPECT_EQ(s->catCount, 1) << c.what;
  }
}

}  // namespace
}  // namespace polmina
