// Each field of a saved cat pushed one past each end of its range, in the save file and in the start
// data: the load is refused, names the field, and leaves the game as it was.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "store/builders.h"
#include "store/savefile.h"

namespace polmina::testing {
namespace {

// Writes `value` as a field `width` bytes wide at `offset`; false when the width cannot hold it.
bool poke(Bytes& b, size_t offset, size_t width, double value) {
  uint64_t bits = 0;
  if (width == 8) {
    bits = std::bit_cast<uint64_t>(value);
  } else {
    const double lo = width == 1 ? 0 : -std::ldexp(1, 8 * static_cast<int>(width) - 1);
    const double hi = width == 1 ? 255 : std::ldexp(1, 8 * static_cast<int>(width) - 1) - 1;
    if (value < lo || value > hi) return false;
    bits = static_cast<uint64_t>(static_cast<int64_t>(value));
  }
  for (size_t i = 0; i < width; ++i) b[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
  return true;
}

struct Push {
  int field;
  double value;
};

// Every value one past an end of a field's range that the field's width can hold.
std::vector<Push> pushesPastEachBound() {
  std::vector<Push> pushes;
  for (int f = 0; f < CatRangedFields; ++f) {
    const FieldRange& r = CatFieldRanges[static_cast<size_t>(f)];
    pushes.push_back({f, r.lo - 1});
    pushes.push_back({f, r.hi + 1});
    if (catFieldPlaces()[static_cast<size_t>(f)].width == 8)
      pushes.push_back({f, std::numeric_limits<double>::quiet_NaN()});
  }
  return pushes;
}

// Pushes the last value of the field in record `record`; false when the width cannot hold the value.
bool pushInto(Bytes& file, int record, const Push& p) {
  const FieldPlace place = catFieldPlaces()[static_cast<size_t>(p.field)];
  const size_t last = place.offset + place.width * static_cast<size_t>(CatFieldRanges[static_cast<size_t>(p.field)].count - 1);
  return poke(file, static_cast<size_t>(record - 1) * FileRecordLength + last, place.width, p.value);
}

std::u16string refusalOf(int record, int field) {
  return u"記録" + num(record) + u"の" + CatFieldRanges[static_cast<size_t>(field)].label + u"が範囲外";
}

TEST(FieldRanges, TableFollowsTheRecordLayout) {
  const auto places = catFieldPlaces();
  size_t end = 0;
  for (int f = 0; f < CatRangedFields; ++f) {
    const FieldPlace p = places[static_cast<size_t>(f)];
    EXPECT_EQ(p.offset, end + (f == 1 ? NameBytes : 0)) << f;  // the name follows the owner
    end = p.offset + p.width * static_cast<size_t>(CatFieldRanges[static_cast<size_t>(f)].count);
  }
  EXPECT_LE(end, static_cast<size_t>(FileRecordLength));
  // Every cat the tests build is inside the ranges.
  for (int i = 0; i < MaxCats; ++i) EXPECT_FALSE(catOutOfRange(plausibleCat(i, 5))) << i;
}

TEST(FieldRanges, SaveFileValuePastABoundIsRefused) {
  TempDir dir;
  ASSERT_TRUE(saveGame(*plausibleGame(100), dir.path()));
  const Bytes good = readBytes(savePath(dir.path()));
  auto running = plausibleGame(3);
  running->year = 2010;
  for (const Push& p : pushesPastEachBound()) {
    for (const int record : {6, 1003}) {  // a cat of the table and one of the hall
      Bytes b = good;
      if (!pushInto(b, record, p)) continue;
      writeBytes(savePath(dir.path()), b);
      auto s = std::make_unique<GameState>(*running);
      const StoreResult r = loadGame(*s, dir.path());
      ASSERT_FALSE(r.ok) << "field " << p.field << " value " << p.value;
      EXPECT_NE(r.message.find(refusalOf(record, p.field)), std::u16string::npos) << "field " << p.field;
      EXPECT_TRUE(s->cats == running->cats && s->year == 2010) << "field " << p.field;
    }
  }
}

TEST(FieldRanges, StartDataValuePastABoundIsRefused) {
  const auto source = plausibleGame(101);
  const Bytes good = startDataBytes(*source);
  const auto fresh = plausibleGame(0);
  for (const Push& p : pushesPastEachBound()) {
    Bytes b = good;
    if (!pushInto(b, 10, p)) continue;
    auto s = std::make_unique<GameState>(*fresh);
    const StoreResult r = loadStartDataBytes(*s, b, "StartDiza.Dat");
    ASSERT_FALSE(r.ok) << "field " << p.field << " value " << p.value;
    EXPECT_NE(r.message.find(refusalOf(10, p.field)), std::u16string::npos) << "field " << p.field;
    EXPECT_TRUE(s->cats == fresh->cats) << "field " << p.field;
  }
}

}  // namespace
}  // namespace polmina::testing
