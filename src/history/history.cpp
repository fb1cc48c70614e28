#include "history/history.h"

#include <system_error>

#include "history/sqlite.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int SchemaVersion = 1;
constexpr int BusyMs = 300;

constexpr const char* kSchema = R"(
CREATE TABLE cats(
  id INTEGER PRIMARY KEY, name TEXT NOT NULL, breed INT, sex INT, peakAge INT, adultWeight REAL,
  UNIQUE(name, breed, sex, peakAge, adultWeight));
CREATE TABLE races(
  id INTEGER PRIMARY KEY, ordinal INT, year INT, month INT, week INT, slot INT, raceName TEXT,
  raceClass INT, distance INT, slotPrize INT, watched INT, replayable INT, rngWords BLOB,
  mixesClock INT, clock BLOB);
CREATE INDEX races_by_date ON races(ordinal);
CREATE TABLE runners(
  race INT, gate INT, cat INT, age INT, catClass INT, owner INT, speed INT, stamina INT, power INT,
  condition INT, effort INT, cruise INT, staminaLeft INT, styleFlags INT, place INT, prize INT,
  PRIMARY KEY(race, gate)) WITHOUT ROWID;
CREATE INDEX runners_by_cat ON runners(cat);
CREATE TABLE growth(
  ordinal INTEGER PRIMARY KEY, year INT, month INT, week INT, speed INT, stamina INT, power INT,
  weight REAL, condition INT, catClass INT, points INT, yearPrize INT, totalPrize INT);
CREATE TABLE recovery(
  id INTEGER PRIMARY KEY CHECK (id = 1), ordinal INT, year INT, month INT, week INT, save BLOB);
)";

// Built by appending: g++ -O3 misreads a literal joined in front of a temporary string.
std::u16string quoted(const std::filesystem::path& p) {
  std::u16string s = trf(u"「{file}」", {{u"file", p.filename().u16string()}});
  return s;
}

std::u16string pausedBecause(const std::filesystem::path& file, const std::u16string& reason) {
  return trf(u"履歴ファイル{file}を{reason}ため、今回は近走成績と成長の記録を休みます。ゲームとセーブはいつも通りです。",
             {{u"file", quoted(file)}, {u"reason", reason}});
}

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

// Clock readings as a first value and zigzag-coded differences, seven bits a byte.
void putVarint(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

std::vector<uint8_t> packClock(const std::vector<uint64_t>& clock) {
  std::vector<uint8_t> out;
  uint64_t last = 0;
  for (uint64_t v : clock) {
    const auto d = static_cast<int64_t>(v - last);
    putVarint(out, (static_cast<uint64_t>(d) << 1) ^ static_cast<uint64_t>(d >> 63));
    last = v;
  }
  return out;
}

std::vector<uint64_t> unpackClock(const std::vector<uint8_t>& bytes) {
  std::vector<uint64_t> out;
  uint64_t last = 0, v = 0;
  int shift = 0;
  for (uint8_t b : bytes) {
    if (shift < 64) v |= static_cast<uint64_t>(b & 0x7f) << shift;
    shift += 7;
    if (b & 0x80) continue;
    const uint64_t d = (v >> 1) ^ (~(v & 1) + 1);
    last += d;
    out.push_back(last);
    v = 0;
    shift = 0;
  }
  return out;
}

std::vector<uint8_t> packWords(const RngSnapshot& r) {
  std::vector<uint8_t> out;
  for (uint64_t w : r.words)
    for (int b = 0; b < 8; ++b) out.push_back(static_cast<uint8_t>(w >> (8 * b)));
  return out;
}

RngSnapshot unpackWords(const std::vector<uint8_t>& bytes, bool mixesClock) {
  RngSnapshot r;
  r.mixesClock = mixesClock;
  for (size_t i = 0; i < bytes.size() && i < 32; ++i)
    r.words[i / 8] |= static_cast<uint64_t>(bytes[i]) << (8 * (i % 8));
  return r;
}

uint8_t packFlags(const std::array<uint8_t, 4>& f) {
  uint8_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = static_cast<uint8_t>(v | (f[i] != 0 ? 1u << i : 0u));
  return v;
}

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

struct Date {
  int year, month, week;
};

Date weekBefore(const GameState& s) {
  if (s.week > 1) return {s.year, s.month, s.week - 1};
  if (s.month > 1) return {s.year, s.month - 1, 4};
  return {s.year - 1, 12, 4};
}

}  // namespace

int weekOrdinal(int year, int month, int week) { return year * 48 + (month - 1) * 4 + (week - 1); }

History::History(const std::filesystem::path& dir) : file_(dir / HistoryFileName) {
  try {
    open();
  } catch (const sql::SqlError& e) {
    failed(e);
  }
}

History::~History() = default;

// A damaged file is set aside for a new one; any other failure pauses the history for this run.
void History::failed(const sql::SqlError& e) {
  if (damaged(e))
    setAside();
  else
    giveUp(pausedBecause(file_, reasonOf(e)));
}

void History::open() {
  db_ = std::make_unique<sql::Database>(file_, BusyMs);
  const int64_t version = db_->scalar("PRAGMA user_version");
  if (version > SchemaVersion) {
    giveUp(pausedBecause(file_, tr(u"新しい版のゲームが作った")));
    return;
  }
  db_->exec("PRAGMA journal_mode=WAL");
  db_->exec("PRAGMA synchronous=NORMAL");
  {
    sql::Statement check = db_->prepare("PRAGMA quick_check");
    if (!check.step() || check.text(0) != "ok") throw sql::SqlError(SQLITE_CORRUPT, "quick_check");
  }
  sql::Transaction t(*db_);
  if (version == 0) db_->exec(kSchema);
  // Written every time: a file that cannot be written is found now, not in the middle of a week.
  db_->exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
  t.commit();
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

void History::giveUp(const std::u16string& why) {
  db_.reset();
  week_.clear();
  if (problem_.empty() || problemTold_) {
    problem_ = why;
    problemTold_ = false;
  }
}

std::optional<std::u16string> History::takeProblem() {
  if (problem_.empty() || problemTold_) return std::nullopt;
  problemTold_ = true;
  return problem_;
}

template <typename Fn>
void History::guarded(Fn&& fn) {
  if (!db_) return;
  try {
    fn();
  } catch (const sql::SqlError& e) {
    failed(e);
  }
}

void History::raceStarting(const Game& g, int k, bool watched) {
  if (!db_) return;
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

// A cat's row, found by what identifies it or added.
int64_t History::catId(const RecordedRunner& r, sql::Statement& find, sql::Statement& add) {
  find.bind(1, toUtf8(r.name)).bind(2, int64_t{r.breed}).bind(3, int64_t{r.sex}).bind(4, int64_t{r.peakAge});
  find.bind(5, r.adultWeight);
  const bool known = find.step();
  const int64_t id = known ? find.integer(0) : 0;
  find.reset();
  if (known) return id;
  add.bind(1, toUtf8(r.name)).bind(2, int64_t{r.breed}).bind(3, int64_t{r.sex}).bind(4, int64_t{r.peakAge});
  add.bind(5, r.adultWeight).run();
  return db_->lastInsertId();
}

void History::weekClosed(const Game& g) { writeWeek(g, true); }

// The last week's races and the cat as it retired; a finished game is never offered for recovery.
void History::gameEnded(const Game& g) { writeWeek(g, false); }

void History::writeRaces(const std::vector<RecordedRace>& races) {
  sql::Statement addRace = db_->prepare(
      "INSERT INTO races(ordinal, year, month, week, slot, raceName, raceClass, distance, slotPrize, watched,"
      " replayable, rngWords, mixesClock, clock) VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14)");
  sql::Statement addRunner = db_->prepare(
      "INSERT INTO runners(race, gate, cat, age, catClass, owner, speed, stamina, power, condition, effort,"
      " cruise, staminaLeft, styleFlags, place, prize) VALUES "
      "(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,"
      "?15,?16)");
  sql::Statement findCat = db_->prepare(
      "SELECT id FROM cats WHERE name = ?1 AND breed = ?2 AND sex = ?3 AND peakAge = ?4 AND adultWeight = "
      "?5");
  sql::Statement addCat =
      db_->prepare("INSERT INTO cats(name, breed, sex, peakAge, adultWeight) VALUES (?1, ?2, ?3, ?4, ?5)");
  for (const RecordedRace& r : races) {
    addRace.bind(1, int64_t{weekOrdinal(r.year, r.month, r.week)}).bind(2, int64_t{r.year});
    addRace.bind(3, int64_t{r.month}).bind(4, int64_t{r.week}).bind(5, int64_t{r.slot});
    addRace.bind(6, toUtf8(r.raceName)).bind(7, int64_t{r.raceClass}).bind(8, int64_t{r.distance});
    addRace.bind(9, int64_t{r.slotPrize}).bind(10, int64_t{r.watched}).bind(11, int64_t{r.replayable});
    addRace.bindBlob(12, packWords(r.rng))
        .bind(13, int64_t{r.rng.mixesClock})
        .bindBlob(14, packClock(r.clock));
    addRace.run();
    const int64_t id = db_->lastInsertId();
    for (size_t i = 0; i < r.field.size(); ++i) {
      const RecordedRunner& x = r.field[i];
      addRunner.bind(1, id)
          .bind(2, static_cast<int64_t>(i))
          .bind(3, catId(x, findCat, addCat))
          .bind(4, int64_t{x.age});
      addRunner.bind(5, int64_t{x.catClass}).bind(6, int64_t{x.owner}).bind(7, int64_t{x.speed});
      addRunner.bind(8, int64_t{x.stamina}).bind(9, int64_t{x.power}).bind(10, int64_t{x.condition});
      addRunner.bind(11, int64_t{x.effort}).bind(12, int64_t{x.cruise}).bind(13, int64_t{x.staminaLeft});
      addRunner.bind(14, int64_t{packFlags(x.styleFlags)}).bind(15, int64_t{x.place});
      addRunner.bind(16, int64_t{x.prize}).run();
    }
  }
}

void History::writeWeek(const Game& g, bool keepRecovery) {
  std::vector<RecordedRace> races = std::move(week_);
  week_.clear();
  const GameState& s = g.s;
  guarded([&] {
    sql::Transaction t(*db_);
    writeRaces(races);
    const Date closed = weekBefore(s);
    const CatRecord& c = catAt(s, s.playerCat);
    sql::Statement grow =
        db_->prepare("INSERT OR REPLACE INTO growth VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13)");
    grow.bind(1, int64_t{weekOrdinal(closed.year, closed.month, closed.week)}).bind(2, int64_t{closed.year});
    grow.bind(3, int64_t{closed.month}).bind(4, int64_t{closed.week}).bind(5, int64_t{c.speed});
    grow.bind(6, int64_t{c.stamina})
        .bind(7, int64_t{c.power})
        .bind(8, c.weight)
        .bind(9, int64_t{c.condition});
    grow.bind(10, int64_t{c.catClass}).bind(11, int64_t{c.points}).bind(12, int64_t{c.yearPrize});
    grow.bind(13, int64_t{c.totalPrize}).run();
    const auto image = keepRecovery ? saveImage(s) : std::nullopt;
    if (image) {
      sql::Statement keep = db_->prepare("INSERT OR REPLACE INTO recovery VALUES (1, ?1, ?2, ?3, ?4, ?5)");
      keep.bind(1, int64_t{weekOrdinal(s.year, s.month, s.week)}).bind(2, int64_t{s.year});
      keep.bind(3, int64_t{s.month}).bind(4, int64_t{s.week}).bindBlob(5, *image).run();
    } else {
      db_->exec("DELETE FROM recovery");
    }
    t.commit();
  });
}

void History::startedAfresh() {
  week_.clear();
  guarded([&] {
    sql::Transaction t(*db_);
    db_->exec(
        "DELETE FROM runners; DELETE FROM races; DELETE FROM cats; DELETE FROM growth; DELETE FROM recovery");
    t.commit();
  });
}

void History::resumedAt(const GameState& s) {
  week_.clear();
  const int64_t from = weekOrdinal(s.year, s.month, s.week);
  guarded([&] {
    sql::Transaction t(*db_);
    const auto drop = [&](const char* q) { db_->prepare(q).bind(1, from).run(); };
    drop("DELETE FROM runners WHERE race IN (SELECT id FROM races WHERE ordinal >= ?1)");
    drop("DELETE FROM races WHERE ordinal >= ?1");
    drop("DELETE FROM growth WHERE ordinal >= ?1");
    drop("DELETE FROM recovery WHERE ordinal > ?1");
    t.commit();
  });
}

void History::discardUnsaved() {
  week_.clear();
  guarded([&] { db_->exec("DELETE FROM recovery"); });
}

std::optional<RecoveryPoint> History::recovery(int saveYear, int saveMonth, int saveWeek) {
  std::optional<RecoveryPoint> out;
  guarded([&] {
    sql::Statement q = db_->prepare("SELECT year, month, week, save FROM recovery WHERE ordinal > ?1");
    q.bind(1, int64_t{weekOrdinal(saveYear, saveMonth, saveWeek)});
    if (!q.step()) return;
    out = RecoveryPoint{static_cast<int>(q.integer(0)), static_cast<int>(q.integer(1)),
                        static_cast<int>(q.integer(2)), q.blob(3)};
  });
  return out;
}

std::vector<FormbookRow> History::formbook(const CatRecord& cat) {
  std::vector<FormbookRow> rows;
  guarded([&] {
    sql::Statement q = db_->prepare(R"(
      SELECT r.year, r.month, r.week, r.slot, r.raceName, r.distance,
        (SELECT COUNT(*) FROM runners x WHERE x.race = r.id), me.place, me.prize, r.id,
        (SELECT c.name FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = r.id AND w.place = 1),
        (SELECT c.name FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = r.id AND w.place = 2)
      FROM cats k JOIN runners me ON me.cat = k.id JOIN races r ON r.id = me.race
      WHERE k.name = ?1 AND k.breed = ?2 AND k.sex = ?3 AND k.peakAge = ?4 AND k.adultWeight = ?5
      ORDER BY r.ordinal DESC, r.slot DESC)");
    q.bind(1, toUtf8(trim(cat.name))).bind(2, int64_t{cat.breed}).bind(3, int64_t{cat.sex});
    q.bind(4, int64_t{cat.peakAge}).bind(5, cat.adultWeight);
    while (q.step()) {
      FormbookRow f;
      f.year = static_cast<int>(q.integer(0));
      f.month = static_cast<int>(q.integer(1));
      f.week = static_cast<int>(q.integer(2));
      f.slot = static_cast<int>(q.integer(3));
      f.raceName = fromUtf8(q.text(4));
      f.distance = static_cast<int>(q.integer(5));
      f.runners = static_cast<int>(q.integer(6));
      f.place = static_cast<int>(q.integer(7));
      f.prize = static_cast<int32_t>(q.integer(8));
      f.raceId = q.integer(9);
      f.winner = fromUtf8(q.text(10));
      f.second = fromUtf8(q.text(11));
      rows.push_back(std::move(f));
    }
  });
  return rows;
}

std::vector<GrowthRow> History::growth() {
  std::vector<GrowthRow> rows;
  guarded([&] {
    sql::Statement q = db_->prepare(
        "SELECT year, month, week, speed, stamina, power, weight, condition, catClass, points, yearPrize,"
        " totalPrize FROM growth ORDER BY ordinal");
    while (q.step()) {
      const auto i = [&](int col) { return static_cast<int32_t>(q.integer(col)); };
      rows.push_back({i(0), i(1), i(2), i(3), i(4), i(5), q.real(6), i(7), i(8), i(9), i(10), i(11)});
    }
  });
  return rows;
}

std::optional<RecordedRace> History::race(int64_t raceId) {
  std::optional<RecordedRace> out;
  guarded([&] {
    sql::Statement q = db_->prepare(
        "SELECT year, month, week, slot, raceName, raceClass, distance, slotPrize, watched, replayable, "
        "rngWords,"
        " mixesClock, clock FROM races WHERE id = ?1");
    q.bind(1, raceId);
    if (!q.step()) return;
    RecordedRace r;
    const auto i = [&](int col) { return static_cast<int>(q.integer(col)); };
    r.id = raceId;
    r.year = i(0), r.month = i(1), r.week = i(2), r.slot = i(3);
    r.raceName = fromUtf8(q.text(4));
    r.raceClass = i(5), r.distance = i(6), r.slotPrize = i(7);
    r.watched = i(8) != 0, r.replayable = i(9) != 0;
    r.rng = unpackWords(q.blob(10), i(11) != 0);
    r.clock = unpackClock(q.blob(12));
    sql::Statement f = db_->prepare(
        "SELECT c.name, c.breed, w.age, c.sex, w.catClass, w.owner, w.speed, w.stamina, w.power, w.condition,"
        " c.peakAge, c.adultWeight, w.effort, w.cruise, w.staminaLeft, w.styleFlags, w.place, w.prize"
        " FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = ?1 ORDER BY w.gate");
    f.bind(1, raceId);
    while (f.step()) {
      RecordedRunner x;
      const auto n = [&](int col) { return static_cast<int32_t>(f.integer(col)); };
      x.name = fromUtf8(f.text(0));
      x.breed = n(1), x.age = n(2), x.sex = n(3), x.catClass = n(4), x.owner = n(5);
      x.speed = n(6), x.stamina = n(7), x.power = n(8), x.condition = n(9), x.peakAge = n(10);
      x.adultWeight = f.real(11);
      x.effort = n(12), x.cruise = n(13), x.staminaLeft = n(14);
      for (size_t b = 0; b < 4; ++b) x.styleFlags[b] = static_cast<uint8_t>((n(15) >> b) & 1);
      x.place = n(16), x.prize = n(17);
      r.field.push_back(std::move(x));
    }
    out = std::move(r);
  });
  return out;
}

}  // namespace polmina
