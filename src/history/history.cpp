// The history file's life: opening and checking it, what happens when it cannot be used, and the
// weeks written as they are played.
#include "history/history.h"

#include <unistd.h>

#include <system_error>

#include "history/internal.h"
#include "history/rows.h"
#include "history/sqlite.h"
#include "store/checksum.h"
#include "store/record.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kBusyMs = 300;
// After a checkpoint the log file is cut back to this size: it never keeps disk the save may need.
constexpr const char* kLogLimit = "PRAGMA journal_size_limit = 65536";
// The log goes back into the file by itself once it holds this many pages (about ten weeks' writes), so
// that a week's end costs no checkpoint and the log never grows past about a megabyte.
constexpr const char* kLogPages = "PRAGMA wal_autocheckpoint = 250";

// Built by appending: g++ -O3 misreads a literal joined in front of a temporary string.
std::u16string quoted(const std::filesystem::path& p) {
  std::u16string s = trf(u"「{file}」", {{u"file", p.filename().u16string()}});
  return s;
}

std::u16string pausedBecause(const std::filesystem::path& file, const std::u16string& reason,
                             bool untilNextWeek = false) {
  if (untilNextWeek)
    return trf(u"履歴ファイル{file}を{reason}ため、次の週まで近走成績と成長の記録を休みます。ゲームとセーブはいつも通りです。",
               {{u"file", quoted(file)}, {u"reason", reason}});
  return trf(u"履歴ファイル{file}を{reason}ため、今回は近走成績と成長の記録を休みます。ゲームとセーブはいつも通りです。",
             {{u"file", quoted(file)}, {u"reason", reason}});
}

bool passing(const sql::SqlError& e) { return e.code() == SQLITE_BUSY || e.code() == SQLITE_LOCKED; }

std::u16string reasonOf(const sql::SqlError& e) {
  switch (e.code()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return tr(u"ほかのプログラムが使っている");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
      return tr(u"書き込めない");
    case SQLITE_FULL:
      return tr(u"ディスクの空きが足りず書き込めない");
    default:
      return trf(u"使えない（{error}）", {{u"error", fromUtf8(e.what())}});
  }
}

bool damaged(const sql::SqlError& e) { return e.code() == SQLITE_CORRUPT || e.code() == SQLITE_NOTADB; }

RecordedRunner runnerOf(const GameState& s, const Runner& run) {
  const CatRecord& c = catAt(s, run.catIndex);
  RecordedRunner r;
  r.name = trim(c.name);
  r.breed = c.breed;
  r.age = c.age;
  r.sex = c.sex;
  r.catClass = c.catClass;
  r.owner = c.owner;
  r.speed = c.speed;
  r.stamina = c.stamina;
  r.power = c.power;
  r.condition = c.condition;
  r.peakAge = c.peakAge;
  r.adultWeight = c.adultWeight;
  r.effort = run.effort;
  r.cruise = run.cruise;
  r.staminaLeft = run.staminaLeft;
  r.styleFlags = run.styleFlags;
  return r;
}

}  // namespace

int weekOrdinal(int year, int month, int week) { return year * 48 + (month - 1) * 4 + (week - 1); }

History::History(const std::filesystem::path& dir, HistoryAccess access)
    : file_(dir / HistoryFileName), readOnly_(access == HistoryAccess::Read) {
  try {
    open();
  } catch (const sql::SqlError& e) {
    failed(e);
  }
}

// The log goes back into the file at the end of the run: nothing of the history is left beside it.
History::~History() {
  if (!readOnly_) guarded([&] { checkpoint(); });
}

// A damaged file is set aside for a new one; a passing lock pauses the history until the next week;
// any other failure pauses it for this run.
void History::failed(const sql::SqlError& e) {
  if (damaged(e) && readOnly_)
    giveUp(trf(u"履歴ファイル{file}が壊れているため読めません。", {{u"file", quoted(file_)}}));
  else if (damaged(e))
    setAside();
  else
    giveUp(pausedBecause(file_, reasonOf(e), passing(e)), passing(e));
}

// Opening an existing file only to read it: nothing when there is none.
bool History::openToRead() {
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) return false;
  const bool folderFixed = ::access(file_.parent_path().empty() ? "." : file_.parent_path().c_str(), W_OK) != 0;
  db_ = std::make_unique<sql::Database>(file_, kBusyMs, folderFixed);
  return true;
}

void History::open() {
  knownCats_ = std::make_unique<KnownCats>();
  // A file cut to nothing is no history: as damaged as one with broken pages.
  std::error_code ec;
  if (std::filesystem::is_regular_file(file_, ec) && std::filesystem::file_size(file_, ec) == 0 && !ec)
    throw sql::SqlError(SQLITE_NOTADB, "empty file");
  if (readOnly_) {
    if (!openToRead()) return;
  } else {
    db_ = std::make_unique<sql::Database>(file_, kBusyMs);
  }
  const int64_t version = db_->scalar("PRAGMA user_version");
  if (version > rows::SchemaVersion) {
    giveUp(pausedBecause(file_, tr(u"新しい版のゲームが作った")));
    return;
  }
  sums_ = version >= 4;
  if (readOnly_) {
    checkWhole();
    return;
  }
  db_->exec("PRAGMA journal_mode=WAL");
  db_->exec("PRAGMA synchronous=NORMAL");
  db_->exec(kLogLimit);
  db_->exec(kLogPages);
  // Freed pages are not zeroed on the disk (a build may zero them by default): the recovery row
  // replaced every week would cost twice its pages.
  db_->exec("PRAGMA secure_delete = FAST");
  checkWhole();
  sql::Transaction t(*db_);
  if (version == 0) db_->exec(rows::Schema);
  if (version == 1) db_->exec(rows::FromVersion1);
  if (version == 1 || version == 2) db_->exec(rows::FromVersion2);
  if (version >= 1 && version <= 3) db_->exec(rows::FromVersion3);
  sums_ = true;
  // Written every time: a file that cannot be written is found now, not in the middle of a week.
  db_->exec("PRAGMA user_version = " + std::to_string(rows::SchemaVersion));
  t.commit();
  retryLater_ = false;
}

// The whole file, indexes included: an index that lost a row would give a cat a second row.
void History::checkWhole() {
  sql::Statement check = db_->prepare("PRAGMA integrity_check(1)");
  if (!check.step() || check.text(0) != "ok") throw sql::SqlError(SQLITE_CORRUPT, "integrity_check");
}

// A damaged file is kept under another name and a new history begins.
void History::setAside() {
  db_.reset();
  std::error_code ec;
  std::filesystem::path aside;
  for (int n = 1;; ++n) {
    aside = file_.parent_path() / ("polmina-history.damaged-" + std::to_string(n) + ".sqlite3");
    if (!std::filesystem::exists(aside, ec)) break;
  }
  std::filesystem::rename(file_, aside, ec);
  if (ec) {
    giveUp(pausedBecause(file_, tr(u"読めず、別の名前で残すこともできない")));
    return;
  }
  for (const char* side : {"-wal", "-shm"}) {
    std::filesystem::path from = file_;
    from += side;
    std::filesystem::path to = aside;
    to += side;
    std::error_code ignore;
    if (std::filesystem::exists(from, ignore)) std::filesystem::rename(from, to, ignore);
  }
  problem_ = trf(u"履歴ファイル{file}が壊れていたため{aside}として残し、新しい履歴を始めました。",
                 {{u"file", quoted(file_)}, {u"aside", quoted(aside)}});
  problemTold_ = false;
  try {
    open();
  } catch (const sql::SqlError& e) {
    giveUp(pausedBecause(file_, reasonOf(e)));
  }
}

void History::giveUp(const std::u16string& why, bool retryLater) {
  db_.reset();
  week_.clear();
  retryLater_ = retryLater;
  if (problem_.empty() || problemTold_) {
    problem_ = why;
    problemTold_ = false;
  }
}

// A history paused by a passing lock tries once more in a week that has not tried yet.
bool History::retry(const GameState& s) {
  if (db_) return true;
  const int now = weekOrdinal(s.year, s.month, s.week);
  if (!retryLater_ || retriedAt_ == now) return false;
  retriedAt_ = now;
  try {
    open();
  } catch (const sql::SqlError& e) {
    failed(e);
  }
  return db_ != nullptr;
}

std::optional<std::u16string> History::takeProblem() {
  if (problem_.empty() || problemTold_) return std::nullopt;
  problemTold_ = true;
  return problem_;
}

void History::guarded(const std::function<void()>& fn) {
  if (!db_) return;
  try {
    fn();
  } catch (const sql::SqlError& e) {
    failed(e);
  }
}

void History::checkpoint() { db_->exec("PRAGMA wal_checkpoint(TRUNCATE)"); }

void History::makeRoom(bool hard) {
  const std::u16string before = problem_;
  guarded([&] { checkpoint(); });
  if (hard && db_) giveUp(pausedBecause(file_, tr(u"ディスクの空きをセーブに譲る")));
  // The save's own message says what matters: the history's would call the save fine before it is.
  if (problem_ != before) problemTold_ = true;
}

// ---- the week as it is played

void History::raceStarting(const Game& g, int k, bool watched) {
  if (!retry(g.s)) return;
  const GameState& s = g.s;
  RecordedRace r;
  r.year = s.year;
  r.month = s.month;
  r.week = s.week;
  r.slot = s.weekBase + k - 1;
  const RaceSlot& slot = slotAt(s, r.slot);
  r.raceName = slot.raceName;
  r.raceClass = slot.raceClass;
  r.distance = slot.distance;
  r.slotPrize = slot.prize;
  r.watched = watched;
  const auto snap = g.rng.snapshot();
  r.replayable = snap.has_value();
  if (snap) r.rng = *snap;
  prizeBefore_.clear();
  for (int i = 0; i < s.runnerCount && i < MaxRunners; ++i) {
    const Runner& run = s.runners[static_cast<size_t>(i)];
    if (run.catIndex < 0) break;
    r.field.push_back(runnerOf(s, run));
    prizeBefore_.push_back(catAt(s, run.catIndex).totalPrize);
  }
  week_.push_back(std::move(r));
  clockTape_.clear();
  g.rng.recordClock(&clockTape_);
}

void History::raceFinished(const Game& g, int /*k*/) {
  g.rng.recordClock(nullptr);
  if (!db_ || week_.empty()) return;
  const GameState& s = g.s;
  RecordedRace& r = week_.back();
  r.clock = clockTape_;
  for (size_t i = 0; i < r.field.size(); ++i) {
    const Runner& run = s.runners[i];
    r.field[i].prize = catAt(s, run.catIndex).totalPrize - prizeBefore_[i];
    for (size_t p = 0; p < s.finishOrder.size(); ++p)
      if (s.finishOrder[p] == run.catIndex) r.field[i].place = static_cast<int>(p) + 1;
  }
}

// A cat's row, found by what identifies it, or added when `create`; 0 when there is none.
int64_t History::catId(const CatKey& k, bool create) {
  auto& known = knownCats_->ids;
  if (const auto it = known.find(k); it != known.end()) return it->second;
  sql::Statement& find = db_->kept(R"(
    SELECT id FROM cats WHERE name = ?1 AND breed = ?2 AND sex = ?3 AND peakAge = ?4 AND adultWeight = ?5)");
  const bool found = find.row(k.name, k.breed, k.sex, k.peakAge, k.adultWeight).step();
  const int64_t id = found ? find.integer(0) : 0;
  find.reset();  // a kept query left open would hold the log back from the file
  if (!found && !create) return 0;
  if (!found) {
    db_->kept(R"(
      INSERT INTO cats(name, breed, sex, peakAge, adultWeight) VALUES (?1, ?2, ?3, ?4, ?5))")
        .row(k.name, k.breed, k.sex, k.peakAge, k.adultWeight)
        .run();
  }
  return known[k] = found ? id : db_->lastInsertId();
}

// The game of `s`'s player's cat, the newest when it was played more than once; started when
// `create` and there is none. 0 when there is none.
int64_t History::gameOf(const GameState& s, bool create) {
  // The cats are ranked anew after every week's races: the player's cat is the one its owner runs.
  int player = s.playerCat;
  for (int i = 0; catAt(s, player).owner != 1 && i < MaxCats; ++i)
    if (s.cats[static_cast<size_t>(i)].owner == 1) player = i;
  const CatRecord& c = catAt(s, player);
  const int64_t cat = catId(CatKey::of(c), create);
  if (cat == 0) return 0;
  sql::Statement q = db_->prepare("SELECT id FROM games WHERE cat = ?1 AND career = 0 ORDER BY id DESC");
  if (q.row(cat).step()) return q.integer(0);
  if (!create) return 0;
  db_->prepare(R"(
    INSERT INTO games(career, cat, player, fromYear, toYear, catRecord) VALUES (0, ?1, ?2, ?3, ?3, ?4))")
      .row(cat, toUtf8(s.playerName), s.year - c.age + 1, recordBytes(c))
      .run();
  return db_->lastInsertId();
}

int64_t History::currentOrLatest() {
  return game_ != 0 ? game_ : db_->scalar("SELECT IFNULL(MAX(id), 0) FROM games WHERE career = 0");
}

// The player and the cat as they stand, and the last year it ran in.
void History::keepPlayerCat(const GameState& s, int64_t game) {
  const WeekDate closed = weekBefore(s);
  const CatRecord& c = catAt(s, s.playerCat);
  // A game of the file's first version learns its first year here.
  db_->kept(R"(
    UPDATE games SET player = ?2, fromYear = IFNULL(fromYear, ?5), toYear = MAX(IFNULL(fromYear, ?5), ?3),
      catRecord = ?4
    WHERE id = ?1)")
      .row(game, toUtf8(s.playerName), closed.year, recordBytes(c), s.year - c.age + 1)
      .run();
}

void History::weekClosed(const Game& g) { writeWeek(g, true); }

// The last week's races and the cat as it retired; a finished game is never offered for recovery, and
// its career goes to the hall.
void History::gameEnded(const Game& g) {
  writeWeek(g, false);
  guarded([&] {
    sql::Transaction t(*db_);
    archive(game_, EndedRetired);
    t.commit();
  });
}

void History::writeRaces(const std::vector<RecordedRace>& races) {
  sql::Statement& addRace = db_->kept(R"(
    INSERT INTO races(game, ordinal, year, month, week, slot, raceName, raceClass, distance, slotPrize,
      watched, replayable, rngWords, mixesClock, clock)
    VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15))");
  sql::Statement& addRunner = db_->kept(R"(
    INSERT INTO runners(race, gate, cat, age, catClass, owner, speed, stamina, power, condition, effort,
      cruise, staminaLeft, styleFlags, place, prize)
    VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16))");
  for (const RecordedRace& r : races) {
    addRace
        .row(game_, weekOrdinal(r.year, r.month, r.week), r.year, r.month, r.week, r.slot, toUtf8(r.raceName),
             r.raceClass, r.distance, r.slotPrize, r.watched, r.replayable, rows::packWords(r.rng),
             r.rng.mixesClock, rows::packClock(r.clock))
        .run();
    const int64_t id = db_->lastInsertId();
    for (size_t i = 0; i < r.field.size(); ++i) {
      const RecordedRunner& x = r.field[i];
      addRunner
          .row(id, i, catId(CatKey::of(x), true), x.age, x.catClass, x.owner, x.speed, x.stamina, x.power,
               x.condition, x.effort, x.cruise, x.staminaLeft, rows::packFlags(x.styleFlags), x.place,
               x.prize)
          .run();
    }
  }
}

void History::writeWeek(const Game& g, bool keepRecovery) {
  std::vector<RecordedRace> races = std::move(week_);
  week_.clear();
  const GameState& s = g.s;
  if (!retry(s)) return;
  guarded([&] {
    sql::Transaction t(*db_);
    if (game_ == 0) game_ = gameOf(s, true);
    writeRaces(races);
    const WeekDate closed = weekBefore(s);
    const CatRecord& c = catAt(s, s.playerCat);
    db_->kept(R"(
      INSERT OR REPLACE INTO growth(game, ordinal, year, month, week, speed, stamina, power, weight,
        condition, catClass, points, yearPrize, totalPrize)
      VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14))")
        .row(game_, weekOrdinal(closed.year, closed.month, closed.week), closed.year, closed.month,
             closed.week, c.speed, c.stamina, c.power, c.weight, c.condition, c.catClass, c.points,
             c.yearPrize, c.totalPrize)
        .run();
    keepPlayerCat(s, game_);
    auto image = keepRecovery ? saveImage(s) : std::nullopt;
    const auto newBase = image ? keepForRecovery(s, *image) : std::nullopt;
    if (!image) db_->exec("DELETE FROM recovery");
    t.commit();
    if (newBase) {  // known as the base only once it is in the file
      recoveryBase_ = std::move(*image);
      recoveryBaseSerial_ = *newBase;
    }
  });
}

// The game for recovery: mostly as its differences from a base kept whole beside it (a few pages of
// the file, where the whole is fifty), and whole again as a new base once they grow large, the base
// is not the one this run wrote, or there is none. Gives the serial of a new base when it wrote one.
std::optional<int64_t> History::keepForRecovery(const GameState& s, const std::vector<uint8_t>& image) {
  constexpr size_t kMostChanges = 32 * 1024;
  sql::Statement& serialQuery = db_->kept("SELECT IFNULL(MAX(serial), 0) FROM recoveryBase");
  const int64_t serial = serialQuery.step() ? serialQuery.integer(0) : 0;
  serialQuery.reset();
  std::vector<uint8_t> changes;
  const bool ours = serial != 0 && serial == recoveryBaseSerial_;
  if (ours) changes = rows::packChanges(recoveryBase_, image);
  const bool rebase = !ours || changes.size() > kMostChanges;
  const int64_t sum = saveChecksum(image);
  if (rebase) {
    db_->kept("INSERT OR REPLACE INTO recoveryBase(id, serial, save, sum) VALUES (1, ?1, ?2, ?3)")
        .row(serial + 1, image, sum)
        .run();
    changes = rows::packChanges(image, image);
  }
  db_->kept(R"(
    INSERT OR REPLACE INTO recovery(id, game, ordinal, year, month, week, save, base, sum)
    VALUES (1, ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8))")
      .row(game_, ordinalOf(s), s.year, s.month, s.week, changes, rebase ? serial + 1 : serial, sum)
      .run();
  return rebase ? std::optional(serial + 1) : std::nullopt;
}

}  // namespace polmina
