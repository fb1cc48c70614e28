#include "store/record.h"

#include <gtest/gtest.h>

#include "store/builders.h"

namespace polmina {
namespace {

// Little-endian value of `width` bytes at `offset`, sign-extended.
int64_t le(const RecordBytes& r, size_t offset, size_t width) {
  uint64_t v = 0;
  for (size_t i = 0; i < width; ++i) v |= uint64_t(r[offset + i]) << (8 * i);
  if (width < 8 && (v >> (8 * width - 1)) & 1) v |= ~uint64_t(0) << (8 * width);
  return static_cast<int64_t>(v);
}

TEST(CatRecordCodec, EveryFieldAtItsOffset) {
  CatRecord c;
  c.owner = 0x1234;
  c.name = padRight(u"AB", CatNameLength);
  c.title = 22, c.breed = 10, c.sex = 1, c.age = 25, c.peakAge = 26, c.looks = 27;
  c.favouriteTraining = 28, c.growthType = 5;
  c.adultWeight = 1.5;  // 0x3FF8000000000000
  c.weight = -2.0;      // 0xC000000000000000
  c.styleFlags = {1, 0, 1, 1};
  c.reserved1 = {0x01020304, -1, 7, -70000};
  c.powerMax = 66, c.power = 70, c.speedMax = 74, c.speed = -78, c.staminaMax = 82, c.stamina = 86;
  c.constitution = 90, c.catClass = -1, c.condition = -93, c.formCycleLength = 95, c.exhaustionCount = 96;
  c.trainSpeed1 = 97, c.trainStamina1 = 98, c.trainPower1 = 99;
  c.trainSpeed2 = 100, c.trainStamina2 = 101, c.trainPower2 = 102;
  c.restWeeks = 103, c.starts = 104, c.wins = 105, c.entryRace = 239, c.raceMark = -1;
  c.yearPrize = 110, c.totalPrize = 0x7FFFFFFF, c.points = 118;
  for (size_t k = 0; k < 48; ++k) c.results[k] = static_cast<uint8_t>(200 + k);
  c.retired = -1, c.inUse = -1;

  const RecordBytes r = encodeCat(c);
  EXPECT_EQ(r[0], 0x34);
  EXPECT_EQ(r[1], 0x12);
  EXPECT_EQ(r[2], 'A');
  EXPECT_EQ(r[3], 'B');
  for (size_t i = 4; i < 22; ++i) EXPECT_EQ(r[i], 0x20) << i;
  EXPECT_EQ((std::array<uint8_t, 8>{r[22], r[23], r[24], r[25], r[26], r[27], r[28], r[29]}),
            (std::array<uint8_t, 8>{22, 10, 1, 25, 26, 27, 28, 5}));
  EXPECT_EQ(uint64_t(le(r, 30, 8)), 0x3FF8000000000000u);
  EXPECT_EQ(uint64_t(le(r, 38, 8)), 0xC000000000000000u);
  EXPECT_EQ((std::array<uint8_t, 4>{r[46], r[47], r[48], r[49]}), (std::array<uint8_t, 4>{1, 0, 1, 1}));
  EXPECT_EQ(r[50], 0x04);
  EXPECT_EQ(r[53], 0x01);
  EXPECT_EQ(le(r, 54, 4), -1);
  EXPECT_EQ(le(r, 58, 4), 7);
  EXPECT_EQ(le(r, 62, 4), -70000);
  for (size_t off : {66, 70, 74, 82, 86}) EXPECT_EQ(le(r, off, 4), int64_t(off)) << off;
  EXPECT_EQ(le(r, 78, 4), -78);
  EXPECT_EQ(r[90], 90);
  EXPECT_EQ(le(r, 91, 2), -1);
  EXPECT_EQ(le(r, 93, 2), -93);
  for (size_t i = 95; i <= 105; ++i) EXPECT_EQ(r[i], i) << i;
  EXPECT_EQ(le(r, 106, 2), 239);
  EXPECT_EQ(le(r, 108, 2), -1);
  EXPECT_EQ(le(r, 110, 4), 110);
  EXPECT_EQ(le(r, 114, 4), 0x7FFFFFFF);
  EXPECT_EQ(le(r, 118, 4), 118);
  for (size_t k = 0; k < 48; ++k) EXPECT_EQ(r[122 + k], 200 + k) << k;
  EXPECT_EQ(le(r, 170, 2), -1);
  EXPECT_EQ(le(r, 172, 2), -1);

  CatRecord back = decodeCat(r);
  cleanName(back);
  EXPECT_EQ(back, c);
}

TEST(NameField, WidthsAndPadding) {
  // Ten full-width characters fill the 20 bytes exactly.
  const auto ten = encodeName(padRight(u"ポルミナフラッシュ号", CatNameLength));
  EXPECT_EQ(ten[0], 0x83);  // ポ
  EXPECT_EQ(ten[1], 0x7C);
  EXPECT_NE(ten[19], 0x20);
  // A shorter name is followed by spaces; half-width katakana take one byte each.
  const auto shortName = encodeName(u"ｸﾛ");
  EXPECT_EQ(shortName[0], 0xB8);
  EXPECT_EQ(shortName[1], 0xDB);
  for (size_t i = 2; i < 20; ++i) EXPECT_EQ(shortName[i], 0x20);
  // One half-width letter and ten full-width characters make 21 bytes: the last character does not fit
  // whole and is dropped rather than split.
  const auto cut = encodeName(u"Aポルミナフラッシュ号");
  EXPECT_EQ(cut[17], 0x83);  // ュ
  EXPECT_EQ(cut[18], 0x85);
  EXPECT_EQ(cut[19], 0x20);
  CatRecord back;
  back.name = decodeName(cut);
  cleanName(back);
  EXPECT_EQ(back.name, padRight(u"Aポルミナフラッシュ", CatNameLength));
}

TEST(NameField, ReadBackAsTyped) {
  for (const char16_t* typed : {u"タマ", u"ｸﾛｽｹ", u"Snow White", u"ポルミナフラッシュ号", u"猫　の　手"}) {
    CatRecord c;
    c.name = padRight(typed, CatNameLength);
    CatRecord back = decodeCat(encodeCat(c));
    cleanName(back);
    EXPECT_EQ(back.name, c.name) << toUtf8(typed);
  }
}

TEST(NameField, NulPaddingIsCleanedAndUnencodableBecomesQuestionMark) {
  std::array<uint8_t, 20> raw{};
  raw[0] = 'M', raw[1] = 'i';
  CatRecord c;
  c.name = decodeName(raw);
  EXPECT_EQ(c.name, std::u16string(u"Mi") + std::u16string(18, u'\0'));
  cleanName(c);
  EXPECT_EQ(c.name, padRight(u"Mi", 20));
  const auto q = encodeName(u"A\u00E9B");  // é has no Shift-JIS form
  EXPECT_EQ(q[0], 'A');
  EXPECT_EQ(q[1], '?');
  EXPECT_EQ(q[2], 'B');
}

TEST(PlayerRecord, FourFullWidthCharactersThenTheSex) {
  const Bytes b = encodePlayer({u"ねこ好き", 1});
  ASSERT_EQ(b.size(), 11u);
  EXPECT_EQ(b[0], 8);
  EXPECT_EQ(b[1], 0);
  EXPECT_EQ(b[2], 0x82);  // ね
  EXPECT_EQ(b[3], 0xCB);
  EXPECT_EQ(b[10], 1);
  RecordBytes r{};
  std::copy(b.begin(), b.end(), r.begin());
  EXPECT_EQ(decodePlayer(r), (PlayerRecord{u"ねこ好き", 1}));
  r[0] = 172;  // the sex byte would lie outside the record
  EXPECT_FALSE(decodePlayer(r));
}

TEST(TextRecord, LengthLimit) {
  const std::u16string longText(100, u'猫');  // 200 bytes: cut to 86 whole characters
  const Bytes b = encodeText(longText);
  EXPECT_EQ(b.size(), 2u + 172u);
  RecordBytes r{};
  std::copy(b.begin(), b.end(), r.begin());
  EXPECT_EQ(decodeText(r), std::u16string(86, u'猫'));
  r[0] = 173;
  EXPECT_FALSE(decodeText(r));
}

TEST(RecordImage, ReadsPastTheEndAsZeroAndNeverShrinks) {
  RecordImage img(Bytes(174 + 10, 0xAB));
  EXPECT_EQ(img.wholeRecords(), 1);
  const RecordBytes partial = img.record(2);
  EXPECT_EQ(partial[9], 0xAB);
  EXPECT_EQ(partial[10], 0);
  EXPECT_EQ(img.record(7), RecordBytes{});
  img.put(3, Bytes{1, 2});  // grows with zero bytes up to the value
  EXPECT_EQ(img.bytes().size(), 2u * 174 + 2);
  EXPECT_EQ(img.bytes()[174 + 10], 0);
  img.put(1, Bytes{9});  // only the value's bytes change
  EXPECT_EQ(img.bytes().size(), 2u * 174 + 2);
  EXPECT_EQ(img.bytes()[0], 9);
  EXPECT_EQ(img.bytes()[1], 0xAB);
}

}  // namespace
}  // namespace polmina
