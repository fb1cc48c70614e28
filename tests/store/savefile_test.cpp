#include "store/savefile.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "store/backups.h"
#include "store/builders.h"
#include "store/file_io.h"
#include "support/same_state.h"

namespace polmina {
namespace {

using testing::plausibleGame;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

constexpr size_t recordOffset(int n) { return size_t(n - 1) * FileRecordLength; }

TEST(SaveGame, FullGameComesBackUnchanged) {
  TempDir dir;
  const auto saved = plausibleGame(100);
  ASSERT_TRUE(saveGame(*saved, dir.path()));
  EXPECT_TRUE(hasSaveGame(dir.path()));

  auto loaded = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*loaded, dir.path()));
  expectSameSavedGame(*loaded, *saved);
  EXPECT_EQ(loaded->playerCat, 37);
  EXPECT_EQ(loaded->playerCatName, saved->playerCatName);
  EXPECT_EQ(loaded->catCount, 1000);
  EXPECT_EQ(loaded->retiredCount, 100);
  EXPECT_EQ(loaded->calendar[0].raceName, saved->calendar[0].raceName);
  // The fifth winner caption and the first runner-up caption share one record, the runner-up written
  // last: the fifth race (10/4) is not run yet at 7/3, so its winner is still to be decided.
  EXPECT_EQ(loaded->savedWinnerCaptions[0], u"1着 タマ");
  EXPECT_EQ(loaded->savedWinnerCaptions[1], u"1着 ミケランジェロ");
  EXPECT_EQ(loaded->savedWinnerCaptions[4], u"未　定");
  EXPECT_EQ(loaded->savedRunnerUpCaptions[0], u"2着 ｸﾛｽｹ");
  EXPECT_EQ(loaded->savedRunnerUpCaptions[1], u"2着 Lucky");
  // The panel keeps its start-up captions until the title window copies the saved ones.
  EXPECT_EQ(loaded->winnerCaptions[0], u"未　定");
}

TEST(SaveGame, TheFifthWinnerOfARunRaceIsNeverTheRunnerUp) {
  TempDir dir;
  auto s = plausibleGame(100);
  s->month = 11, s->week = 1, s->weekBase = 200;
  s->winnerCaptions[4] = u"1着 タマ";
  ASSERT_TRUE(saveGame(*s, dir.path()));
  auto loaded = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*loaded, dir.path()));
  EXPECT_EQ(loaded->savedWinnerCaptions[4], u"記録なし");
  EXPECT_EQ(loaded->savedRunnerUpCaptions[0], u"2着 ｸﾛｽｹ");
}

TEST(SaveGame, LayoutOfTheTailRecords) {
  TempDir dir;
  auto s = plausibleGame(100);
  s->winnerCaptions = {u"w0", u"w1", u"w2", u"w3", u"w4"};
  s->runnerUpCaptions = {u"r0", u"r1", u"r2", u"r3", u"r4"};
  ASSERT_TRUE(saveGame(*s, dir.path()));
  const Bytes b = readBytes(savePath(dir.path()));
  const RecordImage img(b);
  EXPECT_EQ(img.record(38)[0], 1);            // the player's cat, cats[37]
  const RecordBytes date = img.record(1101);  // 2003 = 0x07D3, 7/3, weekBase 130
  EXPECT_EQ((std::array<uint8_t, 6>{date[0], date[1], date[2], date[3], date[4], date[5]}),
            (std::array<uint8_t, 6>{0xD3, 0x07, 7, 3, 130, 0}));
  EXPECT_EQ(img.record(1102)[10], 1);  // sex after 8 bytes of "ねこ好き"
  const std::map<int, std::u16string> texts = {{1103, u"w0"}, {1104, u"w1"}, {1106, u"w2"},
                                               {1109, u"w3"}, {1113, u"r0"}, {1114, u"r1"},
                                               {1116, u"r2"}, {1119, u"r3"}, {1123, u"r4"}};
  for (const auto& [r, text] : texts) EXPECT_EQ(decodeText(img.record(r)), text) << r;
  for (int r : {1105, 1107, 1108, 1110, 1111, 1112, 1115, 1117, 1118, 1120, 1121, 1122})
    EXPECT_EQ(img.record(r), RecordBytes{}) << r;
  EXPECT_EQ(b.size(), recordOffset(1123) + 2 + 2);  // a new file ends with the last caption's text
}

TEST(SaveGame, LoadThenSaveGivesBackTheSameBytes) {
  TempDir dir;
  ASSERT_TRUE(saveGame(*plausibleGame(37), dir.path()));
  // Bytes the save never writes: an unused record and a tail past the last caption.
  Bytes original = readBytes(savePath(dir.path()));
  original[recordOffset(1105) + 7] = 0x5A;
  original.resize(original.size() + 500, 0x77);
  writeBytes(savePath(dir.path()), original);

  auto s = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*s, dir.path()));
  applySavedCaptions(*s);
  ASSERT_TRUE(saveGame(*s, dir.path()));
  EXPECT_EQ(readBytes(savePath(dir.path())), original);
}

TEST(LoadGame, CalendarAndCountsFollowTheFile) {
  TempDir dir;
  auto s = plausibleGame(10);
  s->year = 2002;
  s->retiredCats[5] = CatRecord{};  // entries 6..9 stay filled behind the gap
  ASSERT_TRUE(saveGame(*s, dir.path()));
  auto loaded = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*loaded, dir.path()));
  EXPECT_EQ(loaded->calendar[239].raceName, u"12/4 5R 猫聖記念");
  EXPECT_EQ(loaded->calendar[239].distance, 200);
  EXPECT_EQ(loaded->retiredCount, 5);
  EXPECT_EQ(loaded->retiredCats[7], s->retiredCats[7]);
}

TEST(HasSaveGame, EmptyRecordsAndMissingFile) {
  TempDir dir;
  EXPECT_FALSE(hasSaveGame(dir.path()));
  EXPECT_FALSE(std::filesystem::exists(savePath(dir.path())));  // asking creates nothing
  auto s = plausibleGame(0);
  ASSERT_TRUE(saveGame(*s, dir.path()));
  EXPECT_TRUE(hasSaveGame(dir.path()));
  Bytes b = readBytes(savePath(dir.path()));
  b[recordOffset(1000)] = 0, b[recordOffset(1000) + 1] = 0;
  writeBytes(savePath(dir.path()), b);
  EXPECT_FALSE(hasSaveGame(dir.path()));
}

// A file damaged in one place is refused, and the game that was running is left alone.
TEST(LoadGame, DamagedFilesAreRefusedAndTheGameIsKept) {
  struct Damage {
    const char* what;
    std::function<void(Bytes&)> apply;
  };
  auto at = [](int record, size_t offset, Bytes v) {
    return [=](Bytes& b) { std::copy(v.begin(), v.end(), b.begin() + recordOffset(record) + offset); };
  };
  const std::vector<Damage> damages = {
      {"breed 11", at(3, 23, {11})},
      {"title 101", at(3, 22, {101})},
      {"class 10", at(500, 91, {10, 0})},
      {"class -2", at(500, 91, {0xFE, 0xFF})},
      {"entry race 240", at(999, 106, {240, 0})},
      {"entry race -2", at(2, 106, {0xFE, 0xFF})},
      {"growth type 6", at(1000, 29, {6})},
      {"retired breed", at(1050, 23, {200})},
      {"empty cat", at(700, 0, {0, 0})},
      {"no player cat", at(38, 0, {5, 0})},
      {"two player cats", at(39, 0, {1, 0})},
      {"month 13", at(1101, 2, {13})},
      {"week 0", at(1101, 3, {0})},
      {"week base", at(1101, 4, {135})},
      {"negative year", at(1101, 0, {0xFF, 0xFF})},
      {"player name length", at(1102, 0, {172, 0})},
      {"player sex", at(1102, 10, {2})},
      {"caption length", at(1113, 0, {173, 0})},
  };
  TempDir dir;
  ASSERT_TRUE(saveGame(*plausibleGame(100), dir.path()));
  const Bytes good = readBytes(savePath(dir.path()));
  auto running = plausibleGame(3);
  running->year = 2010;
  running->playerName = u"いまの人";
  running->money = 1234;
  for (const Damage& d : damages) {
    Bytes b = good;
    d.apply(b);
    writeBytes(savePath(dir.path()), b);
    auto s = plausibleGame(3);
    s->year = 2010, s->playerName = u"いまの人", s->money = 1234;
    const StoreResult r = loadGame(*s, dir.path());
    EXPECT_FALSE(r.ok) << d.what;
    EXPECT_NE(r.message.find(u"壊れて"), std::u16string::npos) << d.what;
    expectSameSavedGame(*s, *running);
    EXPECT_EQ(s->money, 1234) << d.what;
  }
}

TEST(LoadGame, MissingFileSaysSo) {
  TempDir dir;
  GameState s;
  const StoreResult r = loadGame(s, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, u"セーブデータが見つかりません");
}

// The old save survives every way a new one can fail.
class FailedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(saveGame(*plausibleGame(100), dir.path()));
    before = readBytes(savePath(dir.path()));
    next = plausibleGame(5);
    next->year = 2009;
  }
  void expectOldSaveIntact() {
    EXPECT_EQ(readBytes(savePath(dir.path())), before);
    auto s = std::make_unique<GameState>();
    ASSERT_TRUE(loadGame(*s, dir.path()));
    EXPECT_EQ(s->year, 2003);
    EXPECT_EQ(s->retiredCount, 100);
  }
  TempDir dir;
  Bytes before;
  std::unique_ptr<GameState> next;
};

TEST_F(FailedSave, TemporaryNameTaken) {
  std::filesystem::create_directory(tempPathFor(savePath(dir.path())));
  const StoreResult r = saveGame(*next, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(u"前回のセーブデータはそのまま残っています"), std::u16string::npos);
  EXPECT_NE(r.message.find(u"同じ名前のフォルダがあります"), std::u16string::npos);
  expectOldSaveIntact();
  EXPECT_TRUE(std::filesystem::is_directory(tempPathFor(savePath(dir.path()))));
}

TEST_F(FailedSave, DiskFullWhileWriting) {
  RecordImage img(before);
  img.put(1101, encodeDate({2009, 7, 3, 130}));
  const FileWriter halfThenFull = [](int fd, std::span<const uint8_t> bytes) {
    writeAllBytes(fd, bytes.first(bytes.size() / 2));
    return ENOSPC;
  };
  EXPECT_EQ(replaceFile(savePath(dir.path()), img.bytes(), halfThenFull), ENOSPC);
  EXPECT_FALSE(std::filesystem::exists(tempPathFor(savePath(dir.path()))));
  expectOldSaveIntact();
}

TEST_F(FailedSave, InterruptedBeforeTheRename) {
  // A crash left a half-written copy beside the save: the save is still the old one, and the next
  // save goes through.
  writeBytes(tempPathFor(savePath(dir.path())), Bytes(5000, 0xEE));
  expectOldSaveIntact();
  ASSERT_TRUE(saveGame(*next, dir.path()));
  auto s = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*s, dir.path()));
  EXPECT_EQ(s->year, 2009);
  EXPECT_FALSE(std::filesystem::exists(tempPathFor(savePath(dir.path()))));
}

TEST_F(FailedSave, ReadOnlyFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not stop root";
  std::filesystem::permissions(dir.path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(saveGame(*next, dir.path()).ok);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  expectOldSaveIntact();
}

TEST_F(FailedSave, GameThatWouldNotLoadBack) {
  next->cats[37].owner = 99;  // no player's cat
  const StoreResult r = saveGame(*next, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.message.empty());
  expectOldSaveIntact();
}

TEST(SaveGame, MissingFolderIsReported) {
  TempDir dir;
  const StoreResult r = saveGame(*plausibleGame(1), dir.path() / "nowhere");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(u"フォルダが見つかりません"), std::u16string::npos);
}

}  // namespace
}  // namespace polmina

namespace polmina {
namespace {

// A game of year `year`, saved.
void saveYear(const std::filesystem::path& dir, int year) {
  auto s = plausibleGame(10);
  s->year = static_cast<int16_t>(year);
  ASSERT_TRUE(saveGame(*s, dir));
}

TEST(Backups, TheFiveSavesBeforeTheCurrentOneAreKeptAndADamagedSaveComesBackFromOne) {
  TempDir dir;
  for (int year = 2001; year <= 2008; ++year) saveYear(dir.path(), year);
  auto backups = listBackups(dir.path());
  ASSERT_EQ(backups.size(), 5u);
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(backups[n - 1].n, n);
    EXPECT_EQ(backups[n - 1].year, 2008 - n) << "newest first, the current save not among them";
    EXPECT_TRUE(backups[n - 1].loads);
    EXPECT_EQ(backups[n - 1].bytes, std::filesystem::file_size(savePath(dir.path())));
  }

  // The save is damaged: the newest backup that loads stands in, and the damaged file is kept.
  Bytes damaged = readBytes(savePath(dir.path()));
  damaged.resize(5000);
  writeBytes(savePath(dir.path()), damaged);
  writeBytes(backups[0].file, Bytes(300, 1));  // and the newest backup too
  const auto offer = newestLoadableBackup(dir.path());
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->n, 2);
  EXPECT_EQ(offer->year, 2006);
  EXPECT_FALSE(restoreBackup(dir.path(), 1)) << "a backup that does not load is refused";
  ASSERT_TRUE(restoreBackup(dir.path(), offer->n));
  auto s = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*s, dir.path()));
  EXPECT_EQ(s->year, 2006);
  backups = listBackups(dir.path());
  ASSERT_EQ(backups.size(), 5u);
  EXPECT_EQ(readBytes(backups[0].file), damaged) << "the save it replaced is a backup in turn";
  EXPECT_FALSE(restoreBackup(dir.path(), 6));
}

TEST(Backups, OnAFullDiskWhatSharesItGivesWayBeforeTheSaveFails) {
  TempDir dir;
  saveYear(dir.path(), 2001);
  std::vector<bool> asked;
  int refusals = 3;
  setReplaceStepHook(
      [&](ReplaceStep step) { return step == ReplaceStep::Write && refusals-- > 0 ? ENOSPC : 0; });
  setRoomMaker([&](bool hard) { asked.push_back(hard); });
  saveYear(dir.path(), 2002);
  setReplaceStepHook({});
  setRoomMaker({});
  EXPECT_EQ(asked, (std::vector<bool>{false, true})) << "gently first, then (after the backups) for good";
  auto s = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*s, dir.path()));
  EXPECT_EQ(s->year, 2002);
  EXPECT_EQ(listBackups(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace polmina
