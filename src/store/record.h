#pragma once
// The record codec of the data files. Both the save file and the start data are files of fixed
// 174-byte records; record n (counted from 1) starts at byte (n - 1) * 174. Numbers are little-endian,
// text is Shift-JIS. Writing a record writes only the bytes of its value: the rest of the record keeps
// whatever the file held there before.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "world/state.h"

namespace polmina {

inline constexpr int FileRecordLength = 174;
// Longest text a text record holds (2 bytes of length come first).
inline constexpr int MaxTextBytes = FileRecordLength - 2;
// Longest player name: the sex byte follows the text inside the record.
inline constexpr int MaxPlayerNameBytes = FileRecordLength - 3;
inline constexpr int NameBytes = 20;

using RecordBytes = std::array<uint8_t, FileRecordLength>;
using Bytes = std::vector<uint8_t>;

// A record file held in memory.
class RecordImage {
 public:
  RecordImage() = default;
  explicit RecordImage(Bytes bytes) : bytes_(std::move(bytes)) {}

  // The 174 bytes of record n; whatever lies past the end of the file reads as zero.
  RecordBytes record(int n) const;
  // Writes a value at the start of record n. The image grows with zero bytes as needed and never shrinks.
  void put(int n, std::span<const uint8_t> value);
  // Records held in full.
  int wholeRecords() const { return static_cast<int>(bytes_.size() / FileRecordLength); }
  const Bytes& bytes() const { return bytes_; }
  Bytes take() && { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

// Shift-JIS form of game text. A character Shift-JIS cannot hold becomes '?' (names are checked where
// they are typed, so this only guards the file), and the text is cut to at most `maxBytes` without
// splitting a double-byte character.
std::string sjisForFile(std::u16string_view text, size_t maxBytes);

// The name field: Shift-JIS, cut or padded with 0x20 to exactly 20 bytes.
std::array<uint8_t, NameBytes> encodeName(std::u16string_view name);
// The name as read: the decoded text padded to 20 characters with NUL characters (see cleanName).
std::u16string decodeName(std::span<const uint8_t, NameBytes> bytes);
// Every NUL character of the name becomes a space. Every read path runs it on the names it loads.
void cleanName(CatRecord& cat);

// ---- The values a record may hold ----

// The range of one field. The loaders refuse a record with a value outside its field's range.
struct FieldRange {
  const char16_t* label;  // the field as the refusal names it
  int count;              // values in the field (4 for styleFlags, 48 for results, else 1)
  double lo;
  double hi;
};

// Every field of the cat record but its name (any bytes read as a name), in the order of the record.
inline constexpr int CatRangedFields = 41;
extern const std::array<FieldRange, CatRangedFields> CatFieldRanges;

// Where the values of a field lie in the record: the first one's byte offset and each one's width.
struct FieldPlace {
  size_t offset = 0;
  size_t width = 0;
};
std::array<FieldPlace, CatRangedFields> catFieldPlaces();

// The first value of the cat outside its field's range (a weight that is not a number included).
struct RangeProblem {
  int field = 0;  // index into CatFieldRanges
  double value = 0;
};
std::optional<RangeProblem> catOutOfRange(const CatRecord& cat);

// The date and the player's sex.
inline constexpr FieldRange YearRange{NC_("field", u"年"), 1, 1, 32767};
inline constexpr FieldRange MonthRange{NC_("field", u"月"), 1, 1, 12};
inline constexpr FieldRange WeekRange{NC_("field", u"週"), 1, 1, 4};
inline constexpr FieldRange PlayerSexRange{NC_("field", u"プレイヤーの性別"), 1, 0, 1};

inline bool inRange(const FieldRange& r, double value) { return value >= r.lo && value <= r.hi; }

RecordBytes encodeCat(const CatRecord& cat);
// The name is left as read, NUL padded.
CatRecord decodeCat(const RecordBytes& record);

struct DateRecord {
  int16_t year = 0;
  uint8_t month = 0;
  uint8_t week = 0;
  uint8_t weekBase = 0;

  bool operator==(const DateRecord&) const = default;
};
Bytes encodeDate(const DateRecord& date);  // 5 bytes
DateRecord decodeDate(const RecordBytes& record);

struct PlayerRecord {
  std::u16string name;
  uint8_t sex = 0;

  bool operator==(const PlayerRecord&) const = default;
};
// Byte count L, L bytes of text, then the sex at offset 2 + L.
Bytes encodePlayer(const PlayerRecord& player);
// Nothing when the stored length leaves no room for the sex byte inside the record.
std::optional<PlayerRecord> decodePlayer(const RecordBytes& record);

// Byte count L (at most 172), then L bytes of text.
Bytes encodeText(std::u16string_view text);
// Nothing when the stored length is over 172.
std::optional<std::u16string> decodeText(const RecordBytes& record);

}  // namespace polmina
