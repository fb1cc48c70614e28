// Games begun, taken up again and left: what each does to the history's games and the hall.
#include "history/history.h"
#include "history/internal.h"
#include "history/rows.h"
#include "history/sqlite.h"
#include "store/checksum.h"
#include "world/text.h"

namespace polmina {

void History::startedAfresh(const GameState& s) {
  week_.clear();
  const auto saved = savedGameIn(file_.parent_path());
  guarded([&] {
    sql::Transaction t(*db_);
    if (saved)
      leaveSavedGame(*saved);
    else
      archiveLatest();  // a damaged save: the history knows which game it held
    // The replaced game's weeks are never offered for the new one.
    db_->exec("DELETE FROM recovery");
    // Always a game of its own, even for a cat that is the same as an earlier one.
    const CatRecord& c = catAt(s, s.playerCat);
    db_->prepare(R"(
      INSERT INTO games(career, cat, player, fromYear, toYear, catRecord) VALUES (0, ?1, ?2, ?3, ?3, ?4))")
        .row(catId(CatKey::of(c), true), toUtf8(s.playerName), s.year, recordBytes(c))
        .run();
    game_ = db_->lastInsertId();
    t.commit();
  });
}

// The game of the save goes to the hall as 中断, unless its cat already retired there.
void History::leaveSavedGame(const GameState& saved) {
  const int64_t old = gameOf(saved, true);
  // A game of the file's first version, never played on since, has only its races and growth.
  const CatRecord& was = catAt(saved, saved.playerCat);
  db_->prepare(R"(
    UPDATE games SET player = IFNULL(player, ?2), fromYear = IFNULL(fromYear, ?3),
      toYear = IFNULL(toYear, ?4), catRecord = IFNULL(catRecord, ?5)
    WHERE id = ?1)")
      .row(old, toUtf8(saved.playerName), saved.year - was.age + 1, weekBefore(saved).year, recordBytes(was))
      .run();
  if (!retiredInHall(old)) archive(old, EndedLeft);
}

bool History::retiredInHall(int64_t game) {
  return db_->prepare(R"(
    SELECT 1 FROM games g JOIN games o ON o.cat = g.cat
    WHERE o.id = ?1 AND g.career = 1 AND g.ended = ?2)")
      .row(game, toUtf8(EndedRetired))
      .step();
}

// The game played last, when the save that held it cannot be read: the newest game of the file whose
// cat is not yet in the hall, with what the history kept of it at its last closed week.
void History::archiveLatest() {
  sql::Statement q = db_->prepare(R"(
    SELECT g.id FROM games g WHERE g.career = 0 AND g.catRecord IS NOT NULL
      AND NOT EXISTS (SELECT 1 FROM games c WHERE c.cat = g.cat AND c.career = 1)
    ORDER BY g.id DESC LIMIT 1)");
  if (q.step()) archive(q.integer(0), EndedLeft);
}

void History::resumedAt(const GameState& s) {
  week_.clear();
  guarded([&] {
    sql::Transaction t(*db_);
    game_ = gameOf(s, true);
    dropWeeksFrom(game_, ordinalOf(s));
    keepPlayerCat(s, game_);
    // A career left for a new game goes on again: it leaves the hall until it ends anew.
    sql::Statement left = db_->prepare(R"(
      SELECT g.id FROM games g JOIN games o ON o.cat = g.cat WHERE o.id = ?1 AND g.career = 1 AND g.ended = ?2)");
    left.row(game_, toUtf8(EndedLeft));
    std::vector<int64_t> ids;
    while (left.step()) ids.push_back(left.integer(0));
    for (int64_t id : ids) dropGame(id);
    t.commit();
  });
}

void History::discardUnsaved() {
  week_.clear();
  const auto saved = savedGameIn(file_.parent_path());
  guarded([&] {
    sql::Transaction t(*db_);
    if (game_ != 0 && saved && gameOf(*saved, false) == game_) {
      dropWeeksFrom(game_, ordinalOf(*saved));
      keepPlayerCat(*saved, game_);
    } else if (game_ != 0) {
      dropGame(game_);  // never saved: nothing of it stays
      game_ = 0;
    }
    db_->exec("DELETE FROM recovery");
    t.commit();
    checkpoint();
  });
}

// Weeks from `ordinal` on belong to a timeline the player left.
void History::dropWeeksFrom(int64_t game, int64_t ordinal) {
  const auto drop = [&](const char* q) { db_->prepare(q).row(game, ordinal).run(); };
  drop("DELETE FROM runners WHERE race IN (SELECT id FROM races WHERE game = ?1 AND ordinal >= ?2)");
  drop("DELETE FROM races WHERE game = ?1 AND ordinal >= ?2");
  drop("DELETE FROM growth WHERE game = ?1 AND ordinal >= ?2");
  drop("DELETE FROM recovery WHERE game = ?1 AND ordinal > ?2");
}

void History::dropGame(int64_t game) {
  for (const char* q : {"DELETE FROM runners WHERE race IN (SELECT id FROM races WHERE game = ?1)",
                        "DELETE FROM races WHERE game = ?1", "DELETE FROM growth WHERE game = ?1",
                        "DELETE FROM recovery WHERE game = ?1", "DELETE FROM games WHERE id = ?1"})
    db_->prepare(q).row(game).run();
  if (hasPlanTables())
    for (const char* q : {"DELETE FROM targets WHERE game = ?1", "DELETE FROM followed WHERE game = ?1"})
      db_->prepare(q).row(game).run();
}

std::optional<RecoveryPoint> History::recovery(const GameState* save) {
  std::optional<RecoveryPoint> out;
  guarded([&] {
    sql::Statement q = db_->prepare(sums_ ? R"(
      SELECT r.game, r.ordinal, r.year, r.month, r.week, r.save, r.base IS NULL, b.serial IS NOT NULL, b.save,
        r.sum, b.sum
      FROM recovery r LEFT JOIN recoveryBase b ON b.serial = r.base)"
                                          : R"(
      SELECT r.game, r.ordinal, r.year, r.month, r.week, r.save, r.base IS NULL, b.serial IS NOT NULL, b.save,
        NULL, NULL
      FROM recovery r LEFT JOIN recoveryBase b ON b.serial = r.base)");
    if (!q.step()) return;
    // Only the save's own game, and only weeks after the save's.
    if (save && (gameOf(*save, false) != q.integer(0) || q.integer(1) <= ordinalOf(*save))) return;
    const auto i = [&](int col) { return static_cast<int>(q.integer(col)); };
    if (auto image = checkedImage(q)) {
      out = RecoveryPoint{i(2), i(3), i(4), std::move(*image)};
      return;
    }
    problem_ = trf(u"履歴に残っている{year}年{month}月{week}週までの記録が壊れているため、そこから続けることはできません。",
                   {{u"year", num(i(2))}, {u"month", num(i(3))}, {u"week", num(i(4))}});
    problemTold_ = false;
  });
  return out;
}

// The game of the recovery row: kept whole (by an older version), or as its differences from the
// base; nothing when it does not fit its base or does not give back the checksum it was kept with.
std::optional<std::vector<uint8_t>> History::checkedImage(sql::Statement& q) {
  const auto sumMatches = [&](int col, const std::vector<uint8_t>& bytes) {
    return q.isNull(col) || q.integer(col) == saveChecksum(bytes);
  };
  std::optional<std::vector<uint8_t>> image;
  if (q.integer(6)) {
    image = q.blob(5);
  } else if (q.integer(7)) {
    const std::vector<uint8_t> base = q.blob(8);
    if (sumMatches(10, base)) image = rows::applyChanges(base, q.blob(5));
  }
  if (image && !sumMatches(9, *image)) image.reset();
  return image;
}

SaveWitness::SaveWitness(History& h) {
  setSaveListener([&h](std::span<const uint8_t> bytes) { h.saveWritten(bytes); });
}

SaveWitness::~SaveWitness() { setSaveListener({}); }

void History::forgetRecovery() {
  guarded([&] { db_->exec("DELETE FROM recovery"); });
}

void History::saveWritten(std::span<const uint8_t> bytes) {
  if (readOnly_) return;
  guarded([&] { db_->kept("INSERT OR IGNORE INTO saves(sum) VALUES (?1)").row(saveChecksum(bytes)).run(); });
}

std::optional<bool> History::wroteSave(std::span<const uint8_t> bytes) {
  std::optional<bool> out;
  guarded([&] {
    if (!sums_ || db_->scalar("SELECT COUNT(*) FROM saves") == 0) return;
    out = db_->prepare("SELECT 1 FROM saves WHERE sum = ?1").row(saveChecksum(bytes)).step();
  });
  return out;
}

void History::lookAt(const GameState& s) {
  guarded([&] { game_ = gameOf(s, false); });
}

}  // namespace polmina
