#pragma once
// The cat's history: a second file beside the save, "polmina-history.sqlite3". It keeps every race
// that was run (field, placings, and what it takes to run it again), the player's cat week by week,
// and the game as the save file would hold it at the end of the last closed week, so that a game
// that ended without saving can go on from there. The history is never in the way: a file that
// cannot be used leaves the game as it is, and the player is told once.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/recorded.h"
#include "world/game.h"

namespace polmina {

namespace sql {
class Database;
class Statement;
class SqlError;
}  // namespace sql

inline constexpr const char* HistoryFileName = "polmina-history.sqlite3";

// One line of a cat's formbook.
struct FormbookRow {
  int year = 0, month = 0, week = 0, slot = 0;
  std::u16string raceName;
  int distance = 0, runners = 0, place = 0;
  std::u16string winner;  // the race's winner (the cat itself when it won)
  std::u16string second;  // the runner-up
  int32_t prize = 0;      // what this cat earned in the race
  int64_t raceId = 0;
};

// The player's cat at the end of one closed week.
struct GrowthRow {
  int year = 0, month = 0, week = 0;
  int32_t speed = 0, stamina = 0, power = 0;
  double weight = 0;
  int condition = 0, catClass = 0;
  int32_t points = 0, yearPrize = 0, totalPrize = 0;
};

// The game at the end of the history's last closed week, when it is newer than the save.
struct RecoveryPoint {
  int year = 0, month = 0, week = 0;
  std::vector<uint8_t> save;  // the records the save flow writes (see saveImage)
};

class History final : public WeekWatcher {
 public:
  // Opens the history in `dir`, or starts one. Never throws: a file that cannot be used is set aside
  // (when damaged) or left alone, and problem() says what happened.
  explicit History(const std::filesystem::path& dir);
  ~History() override;
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  std::filesystem::path file() const { return file_; }
  // False once the history cannot be written or read; the game goes on without it.
  bool working() const { return db_ != nullptr; }
  // What went wrong, in a sentence for the player; empty when nothing did. takeProblem() hands it
  // out once.
  const std::u16string& problem() const { return problem_; }
  std::optional<std::u16string> takeProblem();

  void raceStarting(const Game& g, int k, bool watched) override;
  void raceFinished(const Game& g, int k) override;
  void weekClosed(const Game& g) override;
  void gameEnded(const Game& g) override;

  // A new game: the old game's history goes.
  void startedAfresh();
  // The game goes on from a save (or a recovery) at the state's date: the weeks after it belong to a
  // timeline the player left and go.
  void resumedAt(const GameState& s);
  // The player quit without saving: the weeks since the save are never offered again.
  void discardUnsaved();
  // The last closed week, when it lies after `saveDate` (year, month, week of the save).
  std::optional<RecoveryPoint> recovery(int saveYear, int saveMonth, int saveWeek);

  // The races of a cat, newest first.
  std::vector<FormbookRow> formbook(const CatRecord& cat);
  // The player's cat, oldest week first.
  std::vector<GrowthRow> growth();
  std::optional<RecordedRace> race(int64_t raceId);

 private:
  void open();
  void setAside();
  void failed(const sql::SqlError& e);
  void giveUp(const std::u16string& why);
  template <typename Fn>
  void guarded(Fn&& fn);
  int64_t catId(const RecordedRunner& r, sql::Statement& find, sql::Statement& add);
  void writeRaces(const std::vector<RecordedRace>& races);
  void writeWeek(const Game& g, bool keepRecovery);

  std::filesystem::path file_;
  std::unique_ptr<sql::Database> db_;
  std::u16string problem_;
  bool problemTold_ = false;
  std::vector<RecordedRace> week_;  // races of the week being played
  std::vector<uint64_t> clockTape_;
  std::vector<int32_t> prizeBefore_;
};

// Date order of a week: year, month 1..12, week 1..4.
int weekOrdinal(int year, int month, int week);

}  // namespace polmina
