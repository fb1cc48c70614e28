#include "store/record.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <unordered_map>

#include "store/cat_fields.h"
#include "store/sjis.h"

namespace polmina {

RecordBytes RecordImage::record(int n) const {
  RecordBytes r{};
  const size_t start = static_cast<size_t>(n - 1) * FileRecordLength;
  if (n >= 1 && start < bytes_.size()) {
    const size_t len = std::min<size_t>(FileRecordLength, bytes_.size() - start);
    std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(start), len, r.begin());
  }
  return r;
}

void RecordImage::put(int n, std::span<const uint8_t> value) {
  const size_t start = static_cast<size_t>(n - 1) * FileRecordLength;
  if (bytes_.size() < start + value.size()) bytes_.resize(start + value.size(), 0);
  std::copy(value.begin(), value.end(), bytes_.begin() + static_cast<ptrdiff_t>(start));
}

namespace {

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the longest prefix of at most maxBytes that ends on a character boundary.
size_t cutPoint(std::string_view sjis, size_t maxBytes) {
  size_t at = 0;
  while (at < sjis.size()) {
    const size_t width = isLeadByte(static_cast<unsigned char>(sjis[at])) ? 2 : 1;
    if (at + width > maxBytes) break;
    at += width;
  }
  return std::min(at, sjis.size());
}

std::string sjisCharByChar(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = 1;
    if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size()) units = 2;
    const auto one = toSjis(text.substr(i, units));
    out += one ? *one : std::string("?");
    i += units - 1;
  }
  return out;
}

template <typename T>
auto asUnsigned(T v) {
  if constexpr (std::is_same_v<T, double>) {
    return std::bit_cast<uint64_t>(v);
  } else {
    return static_cast<std::make_unsigned_t<T>>(v);
  }
}

struct LittleEndianWriter : EachElement<LittleEndianWriter> {
  uint8_t* out;
  size_t at = 0;

  explicit LittleEndianWriter(uint8_t* o) : out(o) {}
  template <typename T>
  void operator()(const char*, const T& v) {
    auto u = asUnsigned(v);
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out + at, &u, sizeof u);  // the file's byte order already
      at += sizeof u;
    } else {
      for (size_t i = 0; i < sizeof(T); ++i) out[at++] = static_cast<uint8_t>(u >> (8 * i));
    }
  }
  void name(const char*, const std::u16string& n) {
    const auto b = encodeName(n);
    std::copy(b.begin(), b.end(), out + at);
    at += b.size();
  }
};

struct LittleEndianReader : EachElement<LittleEndianReader> {
  const uint8_t* in;
  size_t at = 0;

  explicit LittleEndianReader(const uint8_t* i) : in(i) {}
  template <typename T>
  void operator()(const char*, T& v) {
    decltype(asUnsigned(v)) u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<decltype(u)>(in[at++]) << (8 * i);
    if constexpr (std::is_same_v<T, double>) {
      v = std::bit_cast<double>(u);
    } else {
      v = static_cast<T>(u);
    }
  }
  void name(const char*, std::u16string& n) {
    n = decodeName(std::span<const uint8_t, NameBytes>(in + at, NameBytes));
    at += NameBytes;
  }
};

// Walks the values of catFields along CatFieldRanges, one field of `count` values after another.
struct FieldWalk {
  int field = 0;
  int element = 0;

  void next() {
    if (++element == CatFieldRanges[static_cast<size_t>(field)].count) {
      element = 0;
      ++field;
    }
  }
};

struct RangeChecker : FieldWalk, EachElement<RangeChecker> {
  std::optional<RangeProblem> problem;

  template <typename T>
  void operator()(const char*, const T& v) {
    const double value = static_cast<double>(v);
    if (!problem && !inRange(CatFieldRanges[static_cast<size_t>(field)], value))
      problem = RangeProblem{field, value};
    next();
  }
  void name(const char*, const std::u16string&) {}
  // An array whose type cannot hold a value outside the field's range is passed over whole.
  template <typename Array>
  void array(const char* key, const Array& values) {
    using T = typename Array::value_type;
    const FieldRange& r = CatFieldRanges[static_cast<size_t>(field)];
    if (r.lo <= static_cast<double>(std::numeric_limits<T>::lowest()) &&
        r.hi >= static_cast<double>(std::numeric_limits<T>::max())) {
      element = 0;
      ++field;
      return;
    }
    for (const auto& v : values) (*this)(key, v);
  }
};

struct PlaceRecorder : FieldWalk, EachElement<PlaceRecorder> {
  std::array<FieldPlace, CatRangedFields> places{};
  size_t at = 0;

  template <typename T>
  void operator()(const char*, const T&) {
    if (element == 0) places[static_cast<size_t>(field)] = {at, sizeof(T)};
    at += sizeof(T);
    next();
  }
  void name(const char*, const std::u16string&) { at += NameBytes; }
};

uint16_t lengthOf(const RecordBytes& r) { return static_cast<uint16_t>(r[0] | (r[1] << 8)); }

Bytes withLength(const std::string& sjis) {
  Bytes b(2 + sjis.size());
  b[0] = static_cast<uint8_t>(sjis.size() & 0xFF);
  b[1] = static_cast<uint8_t>(sjis.size() >> 8);
  std::copy(sjis.begin(), sjis.end(), b.begin() + 2);
  return b;
}

std::u16string textAt(const RecordBytes& r, size_t len) {
  return fromSjis(std::string_view(reinterpret_cast<const char*>(r.data() + 2), len));
}

}  // namespace

// Ranges wider than the game ever reaches, so that only damage falls outside them: the abilities,
// weights and prizes of a long career stay far below their bounds.
const std::array<FieldRange, CatRangedFields> CatFieldRanges = {{
    {NC_("field", u"猫の番号"), 1, 0, 32767},
    {NC_("field", u"称号"), 1, 0, MaxTitles - 1},
    {NC_("field", u"種別"), 1, 0, BreedCount - 1},
    {NC_("field", u"性別"), 1, 0, 255},
    {NC_("field", u"年齢"), 1, 0, 255},
    {NC_("field", u"ピーク年齢"), 1, 0, 255},
    {NC_("field", u"ルックス"), 1, 0, 5},
    {NC_("field", u"好きな調教"), 1, 0, 4},
    {NC_("field", u"成長型"), 1, 0, 5},
    {NC_("field", u"成猫の体重"), 1, 0, 1e7},
    {NC_("field", u"体重"), 1, 0, 1e7},
    {NC_("field", u"脚質"), 4, 0, 1},
    {NC_("field", u"予備の値"), 4, INT32_MIN, INT32_MAX},
    {NC_("field", u"パワーの上限"), 1, 0, 1e6},
    {NC_("field", u"パワー"), 1, 0, 1e6},
    {NC_("field", u"スピードの上限"), 1, 0, 1e6},
    {NC_("field", u"スピード"), 1, 0, 1e6},
    {NC_("field", u"スタミナの上限"), 1, 0, 1e6},
    {NC_("field", u"スタミナ"), 1, 0, 1e6},
    {NC_("field", u"体質"), 1, 0, 5},
    {NC_("field", u"クラス"), 1, ClassSS, ClassNew},
    {NC_("field", u"体調"), 1, INT16_MIN, INT16_MAX},
    {NC_("field", u"体調の周期"), 1, 0, 5},
    {NC_("field", u"疲労の回数"), 1, 0, 255},
    {NC_("field", u"調教1のスピード"), 1, 0, 3},
    {NC_("field", u"調教1のスタミナ"), 1, 0, 3},
    {NC_("field", u"調教1のパワー"), 1, 0, 3},
    {NC_("field", u"調教2のスピード"), 1, 0, 3},
    {NC_("field", u"調教2のスタミナ"), 1, 0, 3},
    {NC_("field", u"調教2のパワー"), 1, 0, 3},
    {NC_("field", u"休養の週"), 1, 0, 5},
    {NC_("field", u"出走数"), 1, 0, 255},
    {NC_("field", u"勝利数"), 1, 0, 255},
    {NC_("field", u"登録レース"), 1, -1, CalendarSize - 1},
    {NC_("field", u"レースの印"), 1, INT16_MIN, INT16_MAX},
    {NC_("field", u"本年の賞金"), 1, 0, INT32_MAX},
    {NC_("field", u"総賞金"), 1, 0, INT32_MAX},
    {NC_("field", u"ポイント"), 1, INT32_MIN, INT32_MAX},
    {NC_("field", u"着順の記録"), 48, 0, 255},
    {NC_("field", u"引退"), 1, -1, 0},
    {NC_("field", u"使用中"), 1, -1, 0},
}};

std::array<FieldPlace, CatRangedFields> catFieldPlaces() {
  PlaceRecorder r;
  const CatRecord blank;
  catFields(r, blank);
  return r.places;
}

std::optional<RangeProblem> catOutOfRange(const CatRecord& cat) {
  RangeChecker check;
  catFields(check, cat);
  return check.problem;
}

std::string sjisForFile(std::u16string_view text, size_t maxBytes) {
  auto whole = toSjis(text);
  std::string sjis = whole ? std::move(*whole) : sjisCharByChar(text);
  sjis.resize(cutPoint(sjis, maxBytes));
  return sjis;
}

namespace {

std::array<uint8_t, NameBytes> convertName(std::u16string_view name) {
  std::array<uint8_t, NameBytes> out;
  out.fill(0x20);
  const std::string sjis = sjisForFile(name, NameBytes);
  std::copy(sjis.begin(), sjis.end(), out.begin());
  return out;
}

}  // namespace

// Every save and every week's recovery copy encode the whole world's names, which rarely change: each
// name is converted once and then looked up.
std::array<uint8_t, NameBytes> encodeName(std::u16string_view name) {
  constexpr size_t kKeptNames = 8192;  // far more than a world holds; a bound against a growing table
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::u16string_view v) const { return std::hash<std::u16string_view>{}(v); }
  };
  // Looked up by the name as it stands: no copy of it is made to find it.
  thread_local std::unordered_map<std::u16string, std::array<uint8_t, NameBytes>, Hash, std::equal_to<>> known;
  if (const auto it = known.find(name); it != known.end()) return it->second;
  if (known.size() >= kKeptNames) known.clear();
  return known.emplace(std::u16string(name), convertName(name)).first->second;
}

std::u16string decodeName(std::span<const uint8_t, NameBytes> bytes) {
  std::u16string n = fromSjis(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  n.resize(CatNameLength, u'\0');
  return n;
}

void cleanName(CatRecord& cat) { std::replace(cat.name.begin(), cat.name.end(), u'\0', u' '); }

RecordBytes encodeCat(const CatRecord& cat) {
  RecordBytes r{};
  LittleEndianWriter w{r.data()};
  catFields(w, cat);
  return r;
}

CatRecord decodeCat(const RecordBytes& record) {
  CatRecord c;
  LittleEndianReader rd{record.data()};
  catFields(rd, c);
  return c;
}

Bytes encodeDate(const DateRecord& date) {
  Bytes b(5);
  LittleEndianWriter w{b.data()};
  w("year", date.year);
  w("month", date.month);
  w("week", date.week);
  w("weekBase", date.weekBase);
  return b;
}

DateRecord decodeDate(const RecordBytes& record) {
  DateRecord d;
  LittleEndianReader rd{record.data()};
  rd("year", d.year);
  rd("month", d.month);
  rd("week", d.week);
  rd("weekBase", d.weekBase);
  return d;
}

Bytes encodePlayer(const PlayerRecord& player) {
  Bytes b = withLength(sjisForFile(player.name, MaxPlayerNameBytes));
  b.push_back(player.sex);
  return b;
}

std::optional<PlayerRecord> decodePlayer(const RecordBytes& record) {
  const size_t len = lengthOf(record);
  if (len > MaxPlayerNameBytes) return std::nullopt;
  return PlayerRecord{textAt(record, len), record[2 + len]};
}

Bytes encodeText(std::u16string_view text) { return withLength(sjisForFile(text, MaxTextBytes)); }

std::optional<std::u16string> decodeText(const RecordBytes& record) {
  const size_t len = lengthOf(record);
  if (len > MaxTextBytes) return std::nullopt;
  return textAt(record, len);
}

}  // namespace polmina
