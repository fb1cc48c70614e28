// The cat's history: seeded seasons recorded and replayed, crashes recovered, bad files survived.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

#include "game/autoplay.h"
#include "game/commands.h"
#include "game/newgame.h"
#include "game/recovery.h"
#include "game/save_check.h"
#include "game/turn.h"
#include "history/replay.h"
#include "history/rows.h"
#include "history/sqlite.h"
#include "store/backups.h"
#include "sim/world.h"
#include "support/game_world.h"
#include "support/retiring.h"

namespace polmina::testing {
namespace {

// A new game in its own folder, played with or without its history.
struct Played : TestGame<GameRng> {
  TempDir dir;
  std::unique_ptr<History> history;

  explicit Played(bool withHistory, std::optional<uint64_t> seed = 2024)
      : TestGame(seed ? GameRng::fixed(*seed) : GameRng::fromClock()) {
    writeStartData(dir.path(), 3);
    EXPECT_EQ(startNewGame(g, {u"レキシ", 0, u"キロク", 1, 0, 4}, {dir.path()}).kind, NewGameResult::Ok);
    setTraining(s, {1, 1, 1, 1, 1, 1});
    if (withHistory) reopen();
  }
  void reopen() {
    history = std::make_unique<History>(dir.path());
    g.watcher = history.get();
  }
  void play(int weeks) {
    for (int w = 0; w < weeks; ++w) ASSERT_TRUE(playWholeWeek(g));
  }
  CatRecord& player() { return catAt(s, s.playerCat); }
};

std::vector<RecordedRace> allRaces(History& h);

// The new world's cats are booked weeks ahead: play on until races have been recorded.
void playUntilRaces(Played& p, size_t races) {
  for (int w = 0; w < 100 && allRaces(*p.history).size() < races; ++w) ASSERT_TRUE(playWholeWeek(p.g));
  ASSERT_GE(allRaces(*p.history).size(), races);
}

std::vector<RecordedRace> allRaces(History& h) {
  std::vector<RecordedRace> races;
  for (int64_t id = 1; auto r = h.race(id); ++id) races.push_back(*r);
  return races;
}

void expectEveryRaceReplays(History& h, size_t atLeast) {
  const auto races = allRaces(h);
  ASSERT_GE(races.size(), atLeast);
  for (const RecordedRace& r : races) {
    ASSERT_TRUE(r.replayable);
    const auto recorded = recordedOrder(r);
    ASSERT_EQ(recorded.size(), r.field.size()) << "race " << r.id;
    ASSERT_EQ(replayRace(r), recorded) << "race " << r.id << " " << toUtf8(r.raceName);
  }
}

TEST(History, ASeededSeasonIsRecordedWithoutChangingItAndEveryRaceReplays) {
  Played with(true), without(false);
  with.play(30);
  with.reopen();  // a second run takes up the file another one wrote
  with.play(26);  // over the year end: retirements, the cull and the intake
  without.play(56);
  EXPECT_EQ(saveImage(with.s), saveImage(without.s)) << "the history changed the game";
  const auto point = with.history->recovery(nullptr);
  ASSERT_TRUE(point);
  EXPECT_EQ(point->save, saveImage(with.s)) << "the last closed week, from its base and its changes";
  ASSERT_TRUE(with.history->working()) << toUtf8(with.history->problem());
  expectEveryRaceReplays(*with.history, 50);

  // Every cat's formbook agrees with its counters, the ones that came with the intake, the ones that
  // left for the hall and the player's own.
  GameState& s = with.s;
  int checked = 0;
  const auto agrees = [&](const CatRecord& c) {
    const auto rows = with.history->formbook(c);
    int wins = 0;
    int32_t prize = 0;
    for (const auto& r : rows) {
      wins += r.place == 1 ? 1 : 0;
      prize += r.prize;
      if (r.place == 1) {
        EXPECT_EQ(r.winner, trim(c.name));
      }
    }
    EXPECT_EQ(static_cast<int>(rows.size()), c.starts) << toUtf8(c.name);
    EXPECT_EQ(wins, c.wins) << toUtf8(c.name);
    EXPECT_EQ(prize, c.totalPrize) << toUtf8(c.name);
    checked += rows.empty() ? 0 : 1;
  };
  for (int i = 0; i < s.catCount; ++i) agrees(s.cats[static_cast<size_t>(i)]);
  for (int j = 5; j < s.retiredCount; ++j) agrees(s.retiredCats[static_cast<size_t>(j)]);
  EXPECT_GT(checked, 100);
  const auto growth = with.history->growth();
  ASSERT_EQ(growth.size(), 56u);
  EXPECT_EQ(growth.back().totalPrize, with.player().totalPrize);
  EXPECT_EQ(growth.front().year, 2001);
}

TEST(History, RacesOfAGameSeededFromTheClockReplayToo) {
  Played p(true, std::nullopt);
  playUntilRaces(p, 10);
  expectEveryRaceReplays(*p.history, 10);
}

TEST(History, AGameKilledMidWeekOrMidTransactionRecoversTheLastClosedWeek) {
  Played p(true);
  playUntilRaces(p, 5);
  const size_t racesClosed = allRaces(*p.history).size();
  ASSERT_GT(racesClosed, 0u);
  const auto closed = saveImage(p.s);
  const int year = p.s.year, month = p.s.month, week = p.s.week;
  nextWeek(p.g);  // the races run, then the program dies before the week is closed
  p.history.reset();

  // Another process dies in the middle of a transaction.
  const pid_t child = fork();
  if (child == 0) {
    sql::Database db(p.dir.path() / HistoryFileName, 100);
    db.exec("BEGIN IMMEDIATE; DELETE FROM recovery; DELETE FROM races;");
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);

  History h(p.dir.path());
  const auto point = recoveryOffer(h, p.dir.path());
  ASSERT_TRUE(point) << toUtf8(h.problem());
  EXPECT_EQ(point->save, closed);
  EXPECT_EQ(std::tie(point->year, point->month, point->week), std::tie(year, month, week));
  EXPECT_EQ(allRaces(h).size(), racesClosed) << "the dead week's races were never closed";

  // Recovered, the save is what the save flow writes at that week.
  ASSERT_TRUE(saveRecovered(*point, p.dir.path()));
  auto back = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*back, p.dir.path()));
  applySavedCaptions(*back);
  EXPECT_EQ(saveImage(*back), closed);
  EXPECT_FALSE(recoveryOffer(h, p.dir.path())) << "nothing newer than the save any more";
}

TEST(History, WeeksLeftBehindAreNeverOfferedNorShown) {
  Played p(true);
  playUntilRaces(p, 5);
  const size_t weeksSaved = p.history->growth().size();
  ASSERT_TRUE(saveGame(p.s, p.dir.path()));
  auto saved = std::make_unique<GameState>(p.s);
  const size_t racesSaved = allRaces(*p.history).size();
  p.play(6);
  ASSERT_GT(allRaces(*p.history).size(), racesSaved);
  EXPECT_TRUE(recoveryOffer(*p.history, p.dir.path()));
  p.history->discardUnsaved();  // "quit without saving"
  EXPECT_FALSE(recoveryOffer(*p.history, p.dir.path()));
  EXPECT_EQ(p.history->growth().size(), weeksSaved) << "thrown away at once, not at the next week";
  EXPECT_EQ(allRaces(*p.history).size(), racesSaved);

  p.history->resumedAt(*saved);  // played on from the older save
  const int from = weekOrdinal(saved->year, saved->month, saved->week);
  for (const auto& r : p.history->formbook(catAt(*saved, saved->playerCat)))
    EXPECT_LT(weekOrdinal(r.year, r.month, r.week), from);
  EXPECT_EQ(p.history->growth().size(), weeksSaved);
  EXPECT_EQ(allRaces(*p.history).size(), racesSaved);
}

// The cat of the played game retires at the coming year end (as a player's cat too old and too poor).
void retireAtYearEnd(Played& p) {
  setRetiring(p.s);
  ASSERT_FALSE(playWholeWeek(p.g)) << "the cat retires";
}

void expectCareerReplays(History& h, const Career& c) {
  const auto rows = h.careerFormbook(c.id);
  EXPECT_EQ(static_cast<int>(rows.size()), c.cat.starts) << toUtf8(c.cat.name);
  for (const FormbookRow& r : rows) {
    const auto race = h.race(r.raceId);
    ASSERT_TRUE(race);
    EXPECT_EQ(replayRace(*race), recordedOrder(*race)) << "race " << r.raceId;
  }
}

TEST(History, EveryCareerIsKeptInTheHallOnceAndTheSavedGameStaysWholeUntilANewOneIsSaved) {
  Played p(true);
  setTraining(p.s, {0, 0, 0, 0, 0, 0});  // rested, the cat is booked whenever it may run
  for (int w = 0; w < 80 && p.player().starts < 1; ++w) p.play(1);
  ASSERT_GE(p.player().starts, 1);
  EXPECT_TRUE(p.history->careers().empty());
  ASSERT_TRUE(saveGame(p.s, p.dir.path()));
  const size_t savedWeeks = p.history->growth().size();
  auto saved = std::make_unique<GameState>(p.s);
  const auto savedBook = p.history->formbook(p.player());
  ASSERT_EQ(static_cast<int>(savedBook.size()), p.player().starts);

  // 最初から: the saved game goes to the hall as 中断; the new game is never saved.
  Played fresh(false, 99);
  p.history->startedAfresh(fresh.s);
  fresh.g.watcher = p.history.get();
  fresh.play(3);
  auto hall = p.history->careers();
  ASSERT_EQ(hall.size(), 1u);
  EXPECT_EQ(hall[0].ended, EndedLeft);
  EXPECT_EQ(hall[0].player, u"レキシ");
  EXPECT_EQ(hall[0].cat.totalPrize, saved->cats[saved->playerCat].totalPrize);
  EXPECT_EQ(p.history->careerGrowth(hall[0].id).size(), savedWeeks) << "the old game's growth";
  EXPECT_EQ(p.history->growth().size(), 3u) << "the new game's";
  expectCareerReplays(*p.history, hall[0]);
  p.history->discardUnsaved();   // 終了 without saving the new game
  p.history->resumedAt(*saved);  // 続きから the saved game: all its weeks are there
  EXPECT_EQ(p.history->formbook(catAt(*saved, saved->playerCat)).size(), savedBook.size());
  EXPECT_TRUE(p.history->careers().empty()) << "a game going on again is not in the hall";

  // Retired, then the last save taken up and retired again: one career, 引退.
  p.s = *saved;
  retireAtYearEnd(p);
  p.s = *saved;
  p.history->resumedAt(p.s);
  retireAtYearEnd(p);
  Played other(false, 98);
  p.history->startedAfresh(other.s);  // the retired career is not made 中断
  hall = p.history->careers();
  ASSERT_EQ(hall.size(), 1u);
  EXPECT_EQ(hall[0].ended, EndedRetired);
  EXPECT_EQ(hall[0].fromYear, 2001);
  EXPECT_EQ(hall[0].toYear, saved->year);
  expectCareerReplays(*p.history, hall[0]);
}

TEST(History, TheLogStaysSmallAndAPassingLockIsTriedAgainNextWeek) {
  Played p(true);
  std::filesystem::path wal = p.dir.path() / HistoryFileName;
  wal += "-wal";
  std::error_code ec;
  for (int w = 0; w < 8; ++w) {
    p.play(1);
    EXPECT_LE(std::filesystem::file_size(wal, ec), 1'200'000u) << "the log goes back into the file by itself";
  }
  p.history->makeRoom(false);
  EXPECT_EQ(std::filesystem::file_size(wal, ec), 0u) << "the save's need for the disk empties the log";
  EXPECT_TRUE(p.history->working());
  p.history.reset();
  EXPECT_FALSE(std::filesystem::exists(wal)) << "nothing left beside the file at the end";

  auto other = std::make_unique<sql::Database>(p.dir.path() / HistoryFileName, 0);
  other->exec("BEGIN EXCLUSIVE");
  p.reopen();
  EXPECT_FALSE(p.history->working());
  EXPECT_NE(p.history->problem().find(u"次の週まで"), std::u16string::npos) << toUtf8(p.history->problem());
  other.reset();
  const size_t weeks = 8;
  p.play(1);
  EXPECT_TRUE(p.history->working()) << "tried again in the next week";
  EXPECT_EQ(p.history->growth().size(), weeks + 1);
}

TEST(History, AnIndexThatLostRowsIsFoundWhenTheFileIsOpened) {
  Played p(true);
  playUntilRaces(p, 5);
  p.history.reset();
  {
    // The index no longer matches its table, as after a flipped byte in one of its pages: the pages
    // themselves are sound, so only a check of the whole file finds it.
    sql::Database db(p.dir.path() / HistoryFileName, 0);
    db.exec(R"(PRAGMA writable_schema = ON;
      UPDATE sqlite_master SET sql = 'CREATE INDEX races_by_date ON races(game, slot)'
      WHERE name = 'races_by_date';)");
  }
  p.reopen();
  EXPECT_TRUE(p.history->working());
  const auto told = p.history->takeProblem();
  ASSERT_TRUE(told);
  EXPECT_NE(told->find(u"壊れていた"), std::u16string::npos) << toUtf8(*told);
  EXPECT_TRUE(std::filesystem::exists(p.dir.path() / "polmina-history.damaged-1.sqlite3"));
  EXPECT_TRUE(allRaces(*p.history).empty()) << "a new history";
}

TEST(History, AFileOfTheFirstVersionKeepsItsGameAndGrowth) {
  TempDir dir;
  {
    sql::Database v1(dir.path() / HistoryFileName, 0);
    v1.exec(R"(
      CREATE TABLE cats(id INTEGER PRIMARY KEY, name TEXT NOT NULL, breed INT, sex INT, peakAge INT,
        adultWeight REAL, UNIQUE(name, breed, sex, peakAge, adultWeight));
      CREATE TABLE races(id INTEGER PRIMARY KEY, ordinal INT, year INT, month INT, week INT, slot INT,
        raceName TEXT, raceClass INT, distance INT, slotPrize INT, watched INT, replayable INT,
        rngWords BLOB, mixesClock INT, clock BLOB);
      CREATE INDEX races_by_date ON races(ordinal);
      CREATE TABLE runners(race INT, gate INT, cat INT, age INT, catClass INT, owner INT, speed INT,
        stamina INT, power INT, condition INT, effort INT, cruise INT, staminaLeft INT, styleFlags INT,
        place INT, prize INT, PRIMARY KEY(race, gate)) WITHOUT ROWID;
      CREATE TABLE growth(ordinal INTEGER PRIMARY KEY, year INT, month INT, week INT, speed INT,
        stamina INT, power INT, weight REAL, condition INT, catClass INT, points INT, yearPrize INT,
        totalPrize INT);
      CREATE TABLE recovery(id INTEGER PRIMARY KEY CHECK (id = 1), ordinal INT, year INT, month INT,
        week INT, save BLOB);
      INSERT INTO growth VALUES (96048, 2001, 1, 1, 6000, 2000, 4000, 3000, 80, 9, 10000, 0, 0);
      INSERT INTO growth VALUES (96049, 2001, 1, 2, 6010, 2010, 4010, 3010, 81, 9, 10000, 0, 0);
      INSERT INTO recovery VALUES (1, 96050, 2001, 1, 3, x'0102030405');
      PRAGMA user_version = 1;)");
  }
  History h(dir.path());
  ASSERT_TRUE(h.working()) << toUtf8(h.problem());
  const auto rows = h.growth();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].speed, 6010);
  const auto point = h.recovery(nullptr);
  ASSERT_TRUE(point) << "a game kept whole, as the older files keep it";
  EXPECT_EQ(point->save, (Bytes{1, 2, 3, 4, 5}));
}

TEST(History, AGameKeptAsItsChangesComesBackWholeOrNotAtAll) {
  const Bytes base = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
  Bytes near = base;
  near[0] = 0;
  near[9] = 99;
  near[11] = 98;  // two changes close together share a run
  near[19] = 97;
  Bytes longer = near;
  longer.insert(longer.end(), {0, 0, 7});
  for (const Bytes& image : {near, longer, Bytes(base.begin(), base.begin() + 7), base}) {
    const auto changes = rows::packChanges(base, image);
    EXPECT_EQ(rows::applyChanges(base, changes), image);
    if (image.size() == base.size()) {
      EXPECT_LT(changes.size(), image.size());
    }
  }
  auto changes = rows::packChanges(base, near);
  changes.pop_back();  // a run cut short
  EXPECT_FALSE(rows::applyChanges(base, changes));
  EXPECT_FALSE(rows::applyChanges(base, Bytes{0xff, 0xff, 0xff, 0xff, 0x7f})) << "a size far past any save";
  EXPECT_FALSE(rows::applyChanges(base, Bytes{20, 30, 1, 9})) << "a run past the end";
}

TEST(History, AFlippedBitInTheKeptWeekIsNeverHandedBackAsTheGame) {
  Played p(true);
  p.play(3);
  const auto closed = saveImage(p.s);
  p.history.reset();
  const auto file = p.dir.path() / HistoryFileName;
  const Bytes clean = readBytes(file);
  int refused = 0;
  for (const char* blob : {"recovery", "recoveryBase"}) {
    const int64_t size = sql::Database(file, 100).scalar(std::string("SELECT length(save) FROM ") + blob);
    ASSERT_GT(size, 0);
    for (int64_t at : {int64_t{0}, size / 3, size / 2, size - 1}) {
      writeBytes(file, clean);
      sql::Database flip(file, 100);
      sql::Statement q = flip.prepare(std::string("SELECT save FROM ") + blob);
      ASSERT_TRUE(q.step());
      Bytes bytes = q.blob(0);
      bytes[static_cast<size_t>(at)] ^= 0x10;
      flip.prepare(std::string("UPDATE ") + blob + " SET save = ?1").row(bytes).run();
      q.reset();
      History h(p.dir.path());
      const auto point = recoveryOffer(h, p.dir.path());
      if (point) {
        EXPECT_EQ(point->save, closed) << blob << " " << at;
        continue;
      }
      ++refused;
      const auto told = h.takeProblem();
      ASSERT_TRUE(told) << blob << " " << at << ": lost without a word";
      EXPECT_NE(told->find(u"履歴に残っている"), std::u16string::npos) << toUtf8(*told);
    }
  }
  EXPECT_EQ(refused, 8);
}

TEST(History, ASaveTheGameDidNotWriteIsFoundAndTheNewestWrittenBackupOffered) {
  Played p(true);
  const SaveWitness witness(*p.history);
  EXPECT_FALSE(checkSaveFile(*p.history, p.dir.path()).changed) << "no save yet";
  p.play(1);
  ASSERT_TRUE(saveGame(p.s, p.dir.path()));
  const int year = p.s.year, month = p.s.month, week = p.s.week;
  p.play(1);
  ASSERT_TRUE(saveGame(p.s, p.dir.path()));
  EXPECT_FALSE(checkSaveFile(*p.history, p.dir.path()).changed);

  Bytes flipped = readBytes(savePath(p.dir.path()));
  flipped[500] ^= 0x04;
  writeBytes(savePath(p.dir.path()), flipped);
  const SaveCheck check = checkSaveFile(*p.history, p.dir.path());
  EXPECT_TRUE(check.changed);
  ASSERT_TRUE(check.backup);
  EXPECT_EQ(std::tie(check.backup->year, check.backup->month, check.backup->week), std::tie(year, month, week));
  EXPECT_NE(changedSaveQuestion(check).find(u"書き換えられています"), std::u16string::npos);

  // A history that has never seen a save (an older version's folder) changes nothing.
  TempDir old;
  writeBytes(savePath(old.path()), flipped);
  History fresh(old.path());
  EXPECT_FALSE(checkSaveFile(fresh, old.path()).changed);
}

TEST(History, DamagedLockedAndUnwritableFilesNeverStopTheGame) {
  TempDir dir;
  const auto file = dir.path() / HistoryFileName;
  const Bytes junk(5000, 0x5a);
  writeBytes(file, junk);
  {
    History h(dir.path());
    EXPECT_TRUE(h.working());
    const auto told = h.takeProblem();
    ASSERT_TRUE(told);
    EXPECT_NE(told->find(u"壊れていた"), std::u16string::npos) << toUtf8(*told);
    EXPECT_FALSE(h.takeProblem()) << "told once";
    EXPECT_EQ(readBytes(dir.path() / "polmina-history.damaged-1.sqlite3"), junk) << "kept aside, unchanged";
  }
  {
    sql::Database other(file, 0);
    other.exec("BEGIN EXCLUSIVE");
    History h(dir.path());
    EXPECT_FALSE(h.working());
    EXPECT_NE(h.problem().find(u"ほかのプログラム"), std::u16string::npos) << toUtf8(h.problem());
  }

  Played p(false);
  std::filesystem::create_directory(p.dir.path() / HistoryFileName);
  p.reopen();
  EXPECT_FALSE(p.history->working());
  EXPECT_TRUE(p.history->takeProblem());
  p.play(2);
  EXPECT_TRUE(saveGame(p.s, p.dir.path()));
  EXPECT_FALSE(recoveryOffer(*p.history, p.dir.path()));
}

}  // namespace
}  // namespace polmina::testing
