// Any bytes as one record of the data files, read as each kind of record. Numbers come back bit for
// bit when written again; text, once written, reads back the same ever after.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "check.h"
#include "store/record.h"

using namespace polmina;

namespace {

constexpr size_t kNameStart = 2;

// The record as written again after reading; the name aside, every byte must come back.
void catRoundTrip(const RecordBytes& r) {
  const CatRecord once = decodeCat(r);
  const RecordBytes again = encodeCat(once);
  FUZZ_EXPECT(std::equal(r.begin(), r.begin() + kNameStart, again.begin()));
  FUZZ_EXPECT(std::equal(r.begin() + kNameStart + NameBytes, r.end(), again.begin() + kNameStart + NameBytes));
  FUZZ_EXPECT(once.name.size() == CatNameLength);
  // A name that has been written once reads back unchanged.
  CatRecord twice = decodeCat(again);
  FUZZ_EXPECT(decodeCat(encodeCat(twice)).name == twice.name);
}

// A text value read from a record, written and read again: it then reads back the same ever after.
template <typename Value, typename Encode, typename Decode>
void writtenReadsBack(const std::optional<Value>& read, Encode encode, Decode decode) {
  if (!read) return;
  const Bytes once = encode(*read);
  FUZZ_EXPECT(once.size() <= FileRecordLength);
  RecordBytes written{};
  std::copy(once.begin(), once.end(), written.begin());
  const std::optional<Value> back = decode(written);
  FUZZ_EXPECT(back && encode(*back) == once);
}

void textRoundTrip(const RecordBytes& r) {
  writtenReadsBack(decodeText(r), [](const std::u16string& t) { return encodeText(t); }, decodeText);
  writtenReadsBack(decodePlayer(r), encodePlayer, decodePlayer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordBytes r{};
  std::memcpy(r.data(), data, std::min(size, r.size()));
  catRoundTrip(r);
  textRoundTrip(r);
  const DateRecord d = decodeDate(r);
  FUZZ_EXPECT(std::equal(r.begin(), r.begin() + 5, encodeDate(d).begin()));
  return 0;
}
