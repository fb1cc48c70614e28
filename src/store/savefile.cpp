#include "store/savefile.h"

#include <errno.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

#include "store/backups.h"
#include "store/file_io.h"
#include "store/record.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

// The reader always reads 1000 cats, so the file always holds 1000 (catCount is 1000 whenever the
// game can be saved).
constexpr int kSavedCats = MaxCats;
constexpr int kSavedRetired = 100;
constexpr int kDateRecordNo = kSavedCats + 101;
constexpr int kPlayerRecordNo = kSavedCats + 102;
constexpr int kStartCats = 999;
constexpr int kStartRecords = kStartCats + MaxRetired;

// The captions' record numbers: r starts at N + 103 and grows by k before each of the five winner and
// then the five runner-up captions. The fifth winner and the first runner-up share record N + 113.
template <typename Fn>
constexpr void forEachCaptionRecord(Fn&& fn) {
  int r = kSavedCats + 103;
  for (int k = 0; k < 5; ++k) fn(false, k, r += k);
  for (int k = 0; k < 5; ++k) fn(true, k, r += k);
}
constexpr int kLastRecordNo = [] {
  int last = 0;
  forEachCaptionRecord([&](bool, int, int r) { last = std::max(last, r); });
  return last;
}();

std::u16string reasonOf(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return tr(u"ディスクの空きが足りません");
    case EACCES:
    case EPERM:
      return tr(u"書き込みや読み込みが許可されていません");
    case EROFS:
      return tr(u"読み取り専用の場所です");
    case ENOENT:
      return tr(u"フォルダが見つかりません");
    case EISDIR:
      return tr(u"同じ名前のフォルダがあります");
    default:
      return trf(u"エラー番号 {n}", {{u"n", num(err)}});
  }
}

std::u16string quoted(const std::filesystem::path& p) {
  return trf(u"「{file}」", {{u"file", p.filename().u16string()}});
}

SaveListener& saveListener() {
  static SaveListener listener;
  return listener;
}

RoomMaker& roomMaker() {
  static RoomMaker maker;
  return maker;
}

using Problem = std::optional<std::u16string>;

// A value as the refusal shows it: whole numbers as they are, anything else (a weight that is not a
// number) as printf writes it.
std::u16string valueText(double v) {
  if (v == std::floor(v) && std::abs(v) < 1e15) return num(static_cast<int64_t>(v));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return fromUtf8(buf);
}

Problem outOfRange(const std::u16string& where, const FieldRange& range, double value) {
  if (inRange(range, value)) return std::nullopt;
  return trf(u"{where}{field}が範囲外の値 {value} です", {{u"where", where}, {u"field", trc(u"field", range.label)}, {u"value", valueText(value)}});
}

Problem catProblem(const CatRecord& c, int record) {
  const auto bad = catOutOfRange(c);
  if (!bad) return std::nullopt;
  return outOfRange(trf(u"記録{n}の", {{u"n", num(record)}}), CatFieldRanges[static_cast<size_t>(bad->field)], bad->value);
}

Problem dateProblem(const GameState& s) {
  for (auto p : {outOfRange(u"", YearRange, s.year), outOfRange(u"", MonthRange, s.month),
                 outOfRange(u"", WeekRange, s.week)}) {
    if (p) return p;
  }
  if (s.weekBase != slotIndex(s.month, s.week, 1))
    return trf(u"週の位置 {slot} が{month}月{week}週と合いません", {{u"slot", num(s.weekBase)}, {u"month", num(s.month)}, {u"week", num(s.week)}});
  return std::nullopt;
}

// Everything the save file holds, checked as loadGame needs it.
Problem gameProblem(const GameState& s) {
  int playerCats = 0;
  for (int i = 0; i < kSavedCats; ++i) {
    const CatRecord& c = s.cats[i];
    if (c.owner == 0) return trf(u"記録{n}に猫がいません", {{u"n", num(i + 1)}});
    if (c.owner == 1) ++playerCats;
    if (auto p = catProblem(c, i + 1)) return p;
  }
  for (int j = 0; j < kSavedRetired; ++j)
    if (auto p = catProblem(s.retiredCats[j], kSavedCats + 1 + j)) return p;
  if (playerCats != 1) return trf(u"あなたの猫の記録が {n} 件あります（1 件のはずです）", {{u"n", num(playerCats)}});
  if (auto p = dateProblem(s)) return p;
  if (auto p = outOfRange(u"", PlayerSexRange, s.playerSex)) return p;
  return std::nullopt;
}

int leadingRetired(const GameState& s) {
  int n = 0;
  while (n < kSavedRetired && s.retiredCats[n].owner != 0) ++n;
  return n;
}

void writeGame(RecordImage& img, const GameState& s) {
  for (int i = 0; i < kSavedCats; ++i) img.put(i + 1, encodeCat(s.cats[i]));
  for (int j = 0; j < kSavedRetired; ++j) img.put(kSavedCats + 1 + j, encodeCat(s.retiredCats[j]));
  img.put(kDateRecordNo, encodeDate({s.year, s.month, s.week, s.weekBase}));
  img.put(kPlayerRecordNo, encodePlayer({s.playerName, s.playerSex}));
  forEachCaptionRecord([&](bool runnerUp, int k, int r) {
    img.put(r, encodeText(runnerUp ? s.runnerUpCaptions[k] : s.winnerCaptions[k]));
  });
}

// Reads the file's records into `s`; text records whose length does not fit make the file damaged.
Problem readGame(const RecordImage& img, GameState& s) {
  for (int i = 0; i < kSavedCats; ++i) s.cats[i] = decodeCat(img.record(i + 1));
  for (int j = 0; j < kSavedRetired; ++j) s.retiredCats[j] = decodeCat(img.record(kSavedCats + 1 + j));
  const DateRecord d = decodeDate(img.record(kDateRecordNo));
  s.year = d.year;
  s.month = d.month;
  s.week = d.week;
  s.weekBase = d.weekBase;
  const auto player = decodePlayer(img.record(kPlayerRecordNo));
  if (!player) return tr(u"プレイヤーの記録の長さが壊れています");
  s.playerName = player->name;
  s.playerSex = player->sex;
  Problem problem;
  forEachCaptionRecord([&](bool runnerUp, int k, int r) {
    const auto text = decodeText(img.record(r));
    if (!text && !problem) problem = trf(u"記録{n}の文字数が壊れています", {{u"n", num(r)}});
    (runnerUp ? s.savedRunnerUpCaptions : s.savedWinnerCaptions)[k] = text.value_or(u"");
  });
  // The fifth winner's record is written over by the first runner-up's, so the file never holds that
  // winner: the panel must not show the runner-up in its place.
  s.savedWinnerCaptions[4] = s.weekBase > ChampionSlots[4] ? UnrecordedCaption : UndecidedCaption;
  return problem;
}

void cleanAllNames(GameState& s) {
  for (auto& c : s.cats) cleanName(c);
  for (auto& c : s.retiredCats) cleanName(c);
}

// What the player reads when the save file could not be replaced. Once the new file has taken the old
// one's place only the final flush can have failed: the old save is gone then, and the new one is there.
std::u16string saveFailure(const std::filesystem::path& file, int rc, bool replaced, bool hadOld) {
  if (replaced)
    return trf(u"セーブファイル{file}は書き込みましたが、ディスクへの記録を確かめられませんでした（{reason}）。",
               {{u"file", quoted(file)}, {u"reason", reasonOf(rc)}});
  std::u16string msg = trf(u"セーブファイル{file}を書き込めませんでした（{reason}）。", {{u"file", quoted(file)}, {u"reason", reasonOf(rc)}});
  if (hadOld) msg += tr(u"前回のセーブデータはそのまま残っています。");
  return msg;
}

}  // namespace

std::filesystem::path savePath(const std::filesystem::path& dir) { return dir / SaveFileName; }
std::filesystem::path startDataPath(const std::filesystem::path& dir) { return dir / StartDataFileName; }

StoreResult saveGame(const GameState& s, const std::filesystem::path& dir) {
  if (auto p = gameProblem(s))
    return StoreResult::failure(trf(u"ゲームの状態に異常があるためセーブできません（{problem}）。", {{u"problem", *p}}));
  const auto file = savePath(dir);
  // Records the save does not write keep the bytes the old file has there.
  Bytes old;
  const int readRc = readWholeFile(file, old);
  if (readRc != 0 && readRc != ENOENT)
    return StoreResult::failure(trf(u"セーブファイル{file}を読み込めないためセーブできません（{reason}）。",
                                    {{u"file", quoted(file)}, {u"reason", reasonOf(readRc)}}));
  const bool hadOld = readRc == 0;
  const Bytes previous = old;
  RecordImage img(std::move(old));
  writeGame(img, s);
  return replaceSave(dir, img.bytes(), hadOld ? &previous : nullptr);
}

StoreResult replaceSave(const std::filesystem::path& dir, const std::vector<uint8_t>& bytes,
                        const std::vector<uint8_t>* previous) {
  const auto file = savePath(dir);
  // The save it replaces becomes the newest backup (unless it is this very save again); should the new
  // one not be written after all, that backup is the save itself twice and goes again.
  const bool differs = previous && *previous != bytes;
  const std::filesystem::path backup = differs ? backUpSave(dir, *previous) : std::filesystem::path();
  bool backupsGone = false;
  bool replaced = false;
  int rc = replaceFile(file, bytes, writeAllBytes, &replaced);
  // A full disk: whatever else uses it gives way, and the save tries again after each step: the
  // history's log, then the older backups (the one just made stays), then the history for this run.
  for (int step = 0; step < 3; ++step) {
    if (replaced || (rc != ENOSPC && rc != EDQUOT)) break;
    if (step == 1)
      backupsGone = pruneBackups(dir, 1) > 0;
    else if (roomMaker())
      roomMaker()(step == 2);
    rc = replaceFile(file, bytes, writeAllBytes, &replaced);
  }
  std::error_code ec;
  if (rc != 0 && !replaced && !backup.empty()) std::filesystem::remove(backup, ec);
  if (rc == 0 || replaced) pruneBackups(dir);
  if (rc != 0) return StoreResult::failure(saveFailure(file, rc, replaced, previous != nullptr));
  if (saveListener()) saveListener()(bytes);
  if (backupsGone) return {true, tr(u"ディスクの空きが足りないため、古いバックアップを消してセーブしました。")};
  return {};
}

void setSaveListener(SaveListener listener) { saveListener() = std::move(listener); }

void setRoomMaker(RoomMaker maker) { roomMaker() = std::move(maker); }

StoreResult restoreBackup(const std::filesystem::path& dir, int n) {
  const auto backups = listBackups(dir);
  const auto it = std::find_if(backups.begin(), backups.end(), [n](const BackupInfo& b) { return b.n == n; });
  if (it == backups.end()) return StoreResult::failure(tr(u"その番号のバックアップはありません。"));
  Bytes bytes;
  if (const int rc = readWholeFile(it->file, bytes); rc != 0)
    return StoreResult::failure(trf(u"バックアップ{file}を読み込めませんでした（{reason}）。",
                                    {{u"file", quoted(it->file)}, {u"reason", reasonOf(rc)}}));
  auto check = std::make_unique<GameState>();
  if (const StoreResult r = loadGameBytes(*check, bytes); !r)
    return StoreResult::failure(
        trf(u"バックアップ{file}は{problem}", {{u"file", quoted(it->file)}, {u"problem", r.message}}));
  Bytes previous;
  const bool hadOld = readWholeFile(savePath(dir), previous) == 0;
  return replaceSave(dir, bytes, hadOld ? &previous : nullptr);
}

SaveState saveState(const std::filesystem::path& dir) {
  Bytes bytes;
  const int rc = readWholeFile(savePath(dir), bytes);
  if (rc == ENOENT) return SaveState::None;
  if (rc != 0) return SaveState::Unreadable;
  return hasSaveGame(dir) ? SaveState::Game : SaveState::NotAGame;
}

std::optional<Bytes> saveImage(const GameState& s) {
  if (gameProblem(s)) return std::nullopt;
  Bytes bytes;
  bytes.reserve(static_cast<size_t>(kLastRecordNo) * FileRecordLength);
  RecordImage img(std::move(bytes));
  writeGame(img, s);
  return std::move(img).take();
}

bool hasSaveGame(const std::filesystem::path& dir) {
  Bytes bytes;
  if (readWholeFile(savePath(dir), bytes) != 0) return false;
  const RecordImage img(std::move(bytes));
  for (int r = 1; r <= kSavedCats; ++r)
    if (decodeCat(img.record(r)).owner == 0) return false;
  return true;
}

StoreResult loadGame(GameState& s, const std::filesystem::path& dir) {
  const auto file = savePath(dir);
  Bytes bytes;
  if (const int rc = readWholeFile(file, bytes); rc != 0) {
    if (rc == ENOENT) return StoreResult::failure(tr(u"セーブデータが見つかりません"));
    return StoreResult::failure(trf(u"セーブファイル{file}を読み込めませんでした（{reason}）。",
                                    {{u"file", quoted(file)}, {u"reason", reasonOf(rc)}}));
  }
  return loadGameBytes(s, std::move(bytes));
}

StoreResult loadGameBytes(GameState& s, std::vector<uint8_t> bytes) {
  // A freshly started program, then the file; the running game is replaced only when all is well.
  auto fresh = std::make_unique<GameState>();
  fillCalendar(*fresh);
  Problem problem = readGame(RecordImage(std::move(bytes)), *fresh);
  if (!problem) problem = gameProblem(*fresh);
  if (problem)
    return StoreResult::failure(trf(u"セーブデータが壊れているため読み込めません（{problem}）。", {{u"problem", *problem}}));
  setYearEndRace(*fresh);
  fresh->catCount = MaxCats;
  findPlayerCat(*fresh);
  cleanAllNames(*fresh);
  fresh->playerCatName = trim(fresh->cats[fresh->playerCat].name);
  fresh->retiredCount = leadingRetired(*fresh);
  s = std::move(*fresh);
  return {};
}

void applySavedCaptions(GameState& s) {
  s.winnerCaptions = s.savedWinnerCaptions;
  s.runnerUpCaptions = s.savedRunnerUpCaptions;
}

StoreResult loadStartDataFile(GameState& s, const std::filesystem::path& file) {
  Bytes bytes;
  if (const int rc = readWholeFile(file, bytes); rc != 0) {
    if (rc == ENOENT) return StoreResult::failure(trf(u"初期データ{file}が見つかりません。", {{u"file", quoted(file)}}));
    return StoreResult::failure(trf(u"初期データ{file}を読み込めませんでした（{reason}）。", {{u"file", quoted(file)}, {u"reason", reasonOf(rc)}}));
  }
  return loadStartDataBytes(s, std::move(bytes), file);
}

StoreResult loadStartDataBytes(GameState& s, std::vector<uint8_t> bytes, const std::filesystem::path& file) {
  const RecordImage img(std::move(bytes));
  if (img.wholeRecords() < kStartRecords)
    return StoreResult::failure(trf(u"初期データ{file}が不完全です（猫の記録が {needed} 件必要ですが {found} 件しかありません）。",
                                    {{u"file", quoted(file)}, {u"needed", num(kStartRecords)}, {u"found", num(img.wholeRecords())}}));
  std::vector<CatRecord> recs(kStartRecords);
  Problem problem;
  for (int r = 1; r <= kStartRecords && !problem; ++r) {
    recs[r - 1] = decodeCat(img.record(r));
    const int16_t owner = recs[r - 1].owner;
    if (r <= kStartCats && (owner == 0 || owner == 1))
      problem = trf(u"記録{n}の猫の番号が {owner} です", {{u"n", num(r)}, {u"owner", num(owner)}});
    else
      problem = catProblem(recs[r - 1], r);
  }
  if (problem)
    return StoreResult::failure(trf(u"初期データ{file}が壊れています（{problem}）。", {{u"file", quoted(file)}, {u"problem", *problem}}));

  for (int r = 1; r <= kStartCats; ++r) s.cats[r] = std::move(recs[r - 1]);
  for (int j = 0; j < MaxRetired; ++j) s.retiredCats[j] = std::move(recs[kStartCats + j]);
  s.retiredCount = leadingRetired(s);
  for (int k = 0; k < MaxCats; ++k) {
    CatRecord& c = s.cats[k];
    cleanName(c);
    // No computer cat may share the player's cat's name.
    if (k != s.playerCat && trim(c.name) == s.playerCatName)
      c.name = padRight(u"アイニャンコ", CatNameLength);
  }
  for (auto& c : s.retiredCats) cleanName(c);
  s.catCount = MaxCats;
  return {};
}

StoreResult loadStartData(GameState& s, const std::vector<std::filesystem::path>& dirs) {
  std::u16string places;
  for (const auto& dir : dirs) {
    std::error_code ec;
    if (std::filesystem::exists(startDataPath(dir), ec)) return loadStartDataFile(s, startDataPath(dir));
    if (!places.empty()) places += tr(u"、");
    places += dir.u16string();
  }
  return StoreResult::failure(trf(u"初期データ「{file}」が見つかりません（探した場所：{places}）。",
                                  {{u"file", fromUtf8(StartDataFileName)}, {u"places", places}}));
}

}  // namespace polmina
