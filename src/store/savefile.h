#pragma once
// The save file "ZedeVazO.Dat" and the start data "StartDiza.Dat", both in the program directory.
//
// Save file: cats[0..999] in records 1..1000, retiredCats[0..99] in 1001..1100, the date in 1101, the
// player in 1102 and the captions of the "本年度Aクラス優勝猫" panel in 1103..1123 (some records of that
// range are never written). Start data: records 1..999 become cats[1..999], 1000..1100 the hall of
// retired cats.
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "world/state.h"

namespace polmina {

inline constexpr const char* SaveFileName = "ZedeVazO.Dat";
inline constexpr const char* StartDataFileName = "StartDiza.Dat";

// What an operation on the files did; on failure `message` is a sentence to show the player, and on
// success (rarely) something the player should still hear of, such as backups given up for space.
struct StoreResult {
  bool ok = true;
  std::u16string message;

  explicit operator bool() const { return ok; }
  static StoreResult failure(std::u16string message) { return {false, std::move(message)}; }
};

std::filesystem::path savePath(const std::filesystem::path& dir);
std::filesystem::path startDataPath(const std::filesystem::path& dir);

// Writes the game to the save file in `dir`. The previous save is replaced only once the new one is
// completely on disk; a save that cannot be written leaves it exactly as it was. A game that would
// not load back (see loadGame) is not written at all.
StoreResult saveGame(const GameState& s, const std::filesystem::path& dir);

// Puts `bytes` in the place of the save file of `dir` as saveGame does: crash-safe, the save it replaces
// (`previous`, its bytes, when there is one) kept as the newest backup.
StoreResult replaceSave(const std::filesystem::path& dir, const std::vector<uint8_t>& bytes,
                        const std::vector<uint8_t>* previous);

// Told of every save file written, with its bytes, once it is in place (the history keeps its
// checksum). None by default.
using SaveListener = std::function<void(std::span<const uint8_t> bytes)>;
void setSaveListener(SaveListener listener);

// Backup n (1 the newest, see listBackups) becomes the save; the save it replaces becomes a backup in
// turn. A backup that does not load is refused.
StoreResult restoreBackup(const std::filesystem::path& dir, int n);

// Whatever else shares the save's disk (the history) and can give way when it is full: gently first
// (hard = false), then for the rest of the run. Set by the program that owns it; none by default.
using RoomMaker = std::function<void(bool hard)>;
void setRoomMaker(RoomMaker maker);
// The room maker for as long as this lives.
class RoomForSaves {
 public:
  explicit RoomForSaves(RoomMaker maker) { setRoomMaker(std::move(maker)); }
  ~RoomForSaves() { setRoomMaker({}); }
  RoomForSaves(const RoomForSaves&) = delete;
  RoomForSaves& operator=(const RoomForSaves&) = delete;
};

// What the save file of `dir` is: missing, unreadable (no permission ...), a game, or something that
// is not one (cut short, emptied).
enum class SaveState { None, Unreadable, Game, NotAGame };
SaveState saveState(const std::filesystem::path& dir);

// The records saveGame writes, on their own (what the save file would hold with no old file under it);
// nothing when the game would not load back.
std::optional<std::vector<uint8_t>> saveImage(const GameState& s);

// True when the save file in `dir` holds a game: its first 1000 records are all cats. Never creates
// the file, and changes nothing of the running game.
bool hasSaveGame(const std::filesystem::path& dir);

// Replaces the game with the saved one. The file is read into a fresh state with the values of a
// freshly started program (the calendar rebuilt for the saved year, the screen size kept)
// and checked; a damaged file is refused with a message and `s` is left as it was. The captions go to
// savedWinnerCaptions / savedRunnerUpCaptions (see applySavedCaptions).
StoreResult loadGame(GameState& s, const std::filesystem::path& dir);
// The same from the bytes of a save file already read.
StoreResult loadGameBytes(GameState& s, std::vector<uint8_t> bytes);

// Copies the captions read by loadGame into the champions panel (what the title window does on resume).
void applySavedCaptions(GameState& s);

// Fills cats[1..999] and the hall of retired cats from the start data file. Expects cats[0], playerCat
// and playerCatName to hold the player's new cat. A computer cat named like the player's cat is renamed
// "アイニャンコ". A missing, short or damaged file is refused with a message and `s` is left as it was.
StoreResult loadStartDataFile(GameState& s, const std::filesystem::path& file);
// The same from the bytes of a start data file already read; `file` only names it in messages.
StoreResult loadStartDataBytes(GameState& s, std::vector<uint8_t> bytes, const std::filesystem::path& file);
// The same, from the first of `dirs` that holds "StartDiza.Dat".
StoreResult loadStartData(GameState& s, const std::vector<std::filesystem::path>& dirs);

}  // namespace polmina
