#pragma once
// The cat's history: a second file beside the save, "polmina-history.sqlite3". It keeps every race
// that was run (field, placings, and what it takes to run it again), the player's cat week by week,
// the game as the save file would hold it at the end of the last closed week, so that a game that
// ended without saving can go on from there, and the hall of fame (殿堂): every career the player
// finished or left for a new game, with its formbook and growth. The history is never in the way: a
// file that cannot be used leaves the game as it is, and the player is told once.
//
// A file holds many games. A game is known by its player's cat (name, breed, sex and the two values
// fixed at its birth), so a save that is taken up again finds its own weeks.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
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

// How a career of the hall of fame ended.
inline constexpr const char16_t* EndedRetired = N_(u"引退");  // the cat retired: the game's own end
inline constexpr const char16_t* EndedLeft = N_(u"中断");     // a new game took its place

// One career of the hall of fame: the player, and the cat as it stood at the end.
struct Career {
  int64_t id = 0;
  std::u16string player;
  CatRecord cat;  // its name as stored (20 characters)
  int fromYear = 0, toYear = 0;
  std::u16string ended;  // EndedRetired or EndedLeft
};

// Whether a program writes the history or only reads it (polmina-sim's show, beside a running game or
// in a folder that cannot be written).
enum class HistoryAccess { Write, Read };
// A race the player aims the cat at: calendar slot `slot` of `year`. Once its week has come without the
// cat booked in it, it is missed (and the player was told).
struct TargetRace {
  int year = 0, slot = 0;
  bool missed = false;
};

// A cat the player follows, as the history knows it (its lasting id), and the cat as last seen.
struct FollowedCat {
  int64_t id = 0;
  std::u16string name;  // trimmed
  int breed = 0, sex = 0, peakAge = 0;
  double adultWeight = 0;
  CatRecord last;       // the record when the player last saw it among the active cats
  bool retired = false;  // it has left the active cats (the player was told)
  int64_t toldEntry = -1;  // the race whose shared field the player was last told of
};

// Whether `c` is the followed cat `f`.
bool isFollowedCat(const FollowedCat& f, const CatRecord& c);

// The races two cats both ran in a game, and how often the first finished ahead of the second.
struct HeadToHead {
  int together = 0, ahead = 0;
};

class History final : public WeekWatcher {
 public:
  // Opens the history in `dir`, or starts one. Never throws: a file that cannot be used is set aside
  // (when damaged) or left alone, and problem() says what happened. Read: a missing file is no
  // history, and nothing of the file is changed, a damaged one included.
  explicit History(const std::filesystem::path& dir, HistoryAccess access = HistoryAccess::Write);
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
  // The player's cat retired: its career goes to the hall as 引退.
  void gameEnded(const Game& g) override;

  // A new game `s` begins. The game of the save in this folder, when there is one, goes to the hall as
  // 中断 (unless its career already ended there); nothing of it is removed, so the saved game can still
  // be taken up again with all its weeks.
  void startedAfresh(const GameState& s) override;
  // The game goes on from a save (or a recovery) at the state's date: the weeks after it belong to a
  // timeline the player left and go.
  void resumedAt(const GameState& s) override;
  // The player quit without saving: the weeks since the save are never offered nor shown again.
  void discardUnsaved() override;
  // The last closed week, when it is newer than `save` and of its game (any game when no save loads).
  // A copy that does not give back the save it was taken of is never offered; problem() says so.
  std::optional<RecoveryPoint> recovery(const GameState* save);
  // The save was put back from a backup: the weeks the history kept past the save it replaced are
  // not offered again.
  void forgetRecovery();
  // A save file was written with these bytes: its checksum is kept.
  void saveWritten(std::span<const uint8_t> bytes);
  // Whether the game wrote a save file with these bytes; nothing when the history has never seen a
  // save (none, an older version's, or not working).
  std::optional<bool> wroteSave(std::span<const uint8_t> bytes);
  // Makes `s`'s game the one the formbook and growth show, changing nothing (for a look from outside).
  void lookAt(const GameState& s);

  // The races of a cat in the game being played, newest first.
  std::vector<FormbookRow> formbook(const CatRecord& cat);
  // The player's cat in the game being played, oldest week first.
  std::vector<GrowthRow> growth();
  std::optional<RecordedRace> race(int64_t raceId);
  // The winner's name of the race run at calendar slot `slot` in `year` of the game being played;
  // nothing when the history does not hold that race.
  std::optional<std::u16string> winnerOf(int year, int slot);

  // The hall of fame, the career that ended last first.
  std::vector<Career> careers();
  std::optional<Career> career(int64_t id);
  std::vector<FormbookRow> careerFormbook(int64_t id);
  std::vector<GrowthRow> careerGrowth(int64_t id);

  // The season plan of the game `s` (its player's cat): targets and followed cats, kept per career.
  std::vector<TargetRace> targets(const GameState& s);
  void setTarget(const GameState& s, int year, int slot, bool on);
  void targetMissed(const GameState& s, int year, int slot);
  std::vector<FollowedCat> followed(const GameState& s);
  // Follows (or stops following) cat `c`; its record is kept as it stands.
  void follow(const GameState& s, const CatRecord& c, bool on);
  // What the player has been told of a followed cat, and its record as it stands now.
  void followedSeen(const GameState& s, const FollowedCat& f);
  // The races of game `s` that the followed cat and the player's cat both ran.
  HeadToHead headToHead(const GameState& s, int64_t cat);

  // The save needs the disk: the write-ahead log goes back into the file and is emptied. When `hard`,
  // the history also closes for this run, so that nothing of it stands in the save's way.
  void makeRoom(bool hard);

 private:
  void open();
  bool openToRead();
  void checkWhole();
  void setAside();
  void failed(const sql::SqlError& e);
  void giveUp(const std::u16string& why, bool retryLater = false);
  bool retry(const GameState& s);
  // Runs fn; a failure of the file ends in failed().
  void guarded(const std::function<void()>& fn);
  void checkpoint();
  struct CatKey;
  struct KnownCats;
  int64_t catId(const CatKey& k, bool create);
  int64_t gameOf(const GameState& s, bool create);
  int64_t currentOrLatest();
  void writeRaces(const std::vector<RecordedRace>& races);
  void writeWeek(const Game& g, bool keepRecovery);
  void keepPlayerCat(const GameState& s, int64_t game);
  std::optional<int64_t> keepForRecovery(const GameState& s, const std::vector<uint8_t>& image);
  void dropWeeksFrom(int64_t game, int64_t ordinal);
  void dropGame(int64_t game);
  void archiveLatest();
  void leaveSavedGame(const GameState& saved);
  bool retiredInHall(int64_t game);
  std::optional<std::vector<uint8_t>> checkedImage(sql::Statement& q);
  bool hasPlanTables();
  void makePlanTables();
  void archive(int64_t game, const std::u16string& ended);
  std::optional<Career> careerOf(sql::Statement& q);
  std::vector<FormbookRow> formbookOf(int64_t game, int64_t cat);
  std::vector<GrowthRow> growthOf(int64_t game);

  std::filesystem::path file_;
  bool readOnly_ = false;
  bool sums_ = false;  // the file keeps checksums (every version but the first three)
  std::unique_ptr<sql::Database> db_;
  std::unique_ptr<KnownCats> knownCats_;
  std::u16string problem_;
  bool problemTold_ = false;
  bool retryLater_ = false;         // paused by a passing lock: the next week tries again
  int retriedAt_ = -1;              // the week ordinal of the last try
  int64_t game_ = 0;                // the game being played; 0 until it is known
  std::vector<RecordedRace> week_;  // races of the week being played
  std::vector<uint64_t> clockTape_;
  std::vector<int32_t> prizeBefore_;
  // The base of the game kept for recovery as this run last wrote it, and its serial (0: none yet).
  std::vector<uint8_t> recoveryBase_;
  int64_t recoveryBaseSerial_ = 0;
};

// While it lives, every save file written is told to the history (see History::saveWritten).
class SaveWitness {
 public:
  explicit SaveWitness(History& h);
  ~SaveWitness();
  SaveWitness(const SaveWitness&) = delete;
  SaveWitness& operator=(const SaveWitness&) = delete;
};

// Date order of a week: year, month 1..12, week 1..4.
int weekOrdinal(int year, int month, int week);

}  // namespace polmina
