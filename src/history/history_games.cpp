// Games begun, taken up again and left: what each does to the history's games and the hall.
#include "history/history.h"
#include "history/internal.h"
#include "history/rows.h"
#include "history/sqlite.h"

namespace polmina {

void History::startedAfresh(const GameState& s) {
  week_.clear();
  const auto saved = savedGameIn(file_.parent_path());
  guarded([&] {
    sql::Transaction t(*db_);
    if (saved) {
      const int64_t old = gameOf(*saved, true);
      const bool retired = db_->prepare(R"(
        SELECT 1 FROM games g JOIN games o ON o.cat = g.cat
        WHERE o.id = ?1 AND g.career = 1 AND g.ended = ?2)")
                               .row(old, toUtf8(EndedRetired))
                               .step();
      // A game of the file's first version, never played on since, has only its races and growth.
      const CatRecord& was = catAt(*saved, saved->playerCat);
      db_->prepare(R"(
        UPDATE games SET player = IFNULL(player, ?2), fromYear = IFNULL(fromYear, ?3),
          toYear = IFNULL(toYear, ?4), catRecord = IFNULL(catRecord, ?5)
        WHERE id = ?1)")
          .row(old, toUtf8(saved->playerName), saved->year - was.age + 1, weekBefore(*saved).year,
               recordBytes(was))
          .run();
      if (!retired) archive(old, EndedLeft);
    }
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
    sql::Statement q = db_->prepare(R"(
      SELECT r.game, r.ordinal, r.year, r.month, r.week, r.save, r.base IS NULL, b.serial IS NOT NULL, b.save
      FROM recovery r LEFT JOIN recoveryBase b ON b.serial = r.base)");
    if (!q.step()) return;
    if (save && gameOf(*save, false) == q.integer(0) && q.integer(1) <= ordinalOf(*save)) return;
    const auto i = [&](int col) { return static_cast<int>(q.integer(col)); };
    // Kept whole (by an older version), or as its differences from the base; a row that does not fit
    // its base offers nothing.
    std::optional<std::vector<uint8_t>> image;
    if (q.integer(6))
      image = q.blob(5);
    else if (q.integer(7))
      image = rows::applyChanges(q.blob(8), q.blob(5));
    if (image) out = RecoveryPoint{i(2), i(3), i(4), std::move(*image)};
  });
  return out;
}

void History::lookAt(const GameState& s) {
  guarded([&] { game_ = gameOf(s, false); });
}

}  // namespace polmina
