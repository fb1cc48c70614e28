#include "rank/sort.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "store/sjis.h"

namespace polmina {

namespace {

// s = 100000 - (Shift-JIS code of the first character as a signed 16-bit value).
int32_t initialKey(const CatRecord& c) {
  const int16_t code = c.name.empty() ? 0 : sjisCode(c.name[0]);
  return 100000 - code;
}

// A number written directly after another: digits(a) followed by digits(b).
std::string joined(int64_t a, int64_t b) { return std::to_string(a) + std::to_string(b); }

// The one sort procedure: middle pivot copied aside, two scans towards each other, then the left
// part before the right part. Equal keys end up in the order this exact procedure gives.
template <typename K>
void quickSortKeys(std::vector<K>& keys, std::vector<int>& at, bool descending, int lo, int hi) {
  if (lo >= hi) return;
  const K pk = keys[static_cast<size_t>((lo + hi) / 2)];
  auto before = [descending](const K& a, const K& b) { return descending ? a > b : a < b; };
  int i = lo - 1;
  int j = hi + 1;
  for (;;) {
    do ++i; while (before(keys[static_cast<size_t>(i)], pk));
    do --j; while (before(pk, keys[static_cast<size_t>(j)]));
    if (i >= j) break;
    std::swap(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)]);
    std::swap(at[static_cast<size_t>(i)], at[static_cast<size_t>(j)]);
  }
  quickSortKeys(keys, at, descending, lo, i - 1);
  quickSortKeys(keys, at, descending, j + 1, hi);
}

// The procedure runs on the records' keys, each worked out once, with the records' places beside
// them; then each record moves once. The order is the one exchanging the records themselves gives.
// A name is looked at where it lies: no record moves until the order is known.
template <typename Key>
void quickSort(CatTable t, bool descending, int lo, int hi, const Key& key) {
  if (lo >= hi) return;
  if (lo < 0 || static_cast<size_t>(hi) >= t.size()) throw std::out_of_range("sort range");
  using Value = std::decay_t<decltype(key(t[0]))>;
  using K = std::conditional_t<std::is_same_v<Value, std::u16string>, std::u16string_view, Value>;
  const auto n = static_cast<size_t>(hi - lo + 1);
  std::vector<K> keys;
  std::vector<int> at;
  keys.reserve(n);
  at.reserve(n);
  for (int i = lo; i <= hi; ++i) {
    keys.push_back(key(t[static_cast<size_t>(i)]));
    at.push_back(i);
  }
  quickSortKeys(keys, at, descending, 0, hi - lo);
  placeInOrder(t, lo, at);
}

}  // namespace

double totalPrizeKey(const CatRecord& c) { return std::stod(joined(c.totalPrize, initialKey(c))); }
double yearPrizeKey(const CatRecord& c) { return std::stod(joined(c.yearPrize, initialKey(c))); }
int64_t ageKey(const CatRecord& c) { return std::stoll(joined(c.age, initialKey(c))); }

int64_t ageAndYearPrizeKey(const CatRecord& c) {
  std::string prize = std::to_string(c.yearPrize < 0 ? -int64_t(c.yearPrize) : int64_t(c.yearPrize));
  if (prize.size() < 5) prize.insert(0, 5 - prize.size(), '0');
  if (c.yearPrize < 0) prize.insert(0, 1, '-');
  return std::stoll(std::to_string(100 - int(c.age)) + prize);
}

void sortByName(CatTable t, bool d, int lo, int hi) {
  quickSort(t, d, lo, hi, [](const CatRecord& c) -> const std::u16string& { return c.name; });
}
void sortByTotalPrize(CatTable t, bool d, int lo, int hi) { quickSort(t, d, lo, hi, totalPrizeKey); }
void sortByYearPrize(CatTable t, bool d, int lo, int hi) { quickSort(t, d, lo, hi, yearPrizeKey); }
void sortByAge(CatTable t, bool d, int lo, int hi) { quickSort(t, d, lo, hi, ageKey); }
void sortByPoints(CatTable t, bool d, int lo, int hi) {
  quickSort(t, d, lo, hi, [](const CatRecord& c) { return c.points; });
}
void sortBySpeed(CatTable t, bool d, int lo, int hi) {
  quickSort(t, d, lo, hi, [](const CatRecord& c) { return c.speed; });
}
void sortByTotalPrizeOnly(CatTable t, bool d, int lo, int hi) {
  quickSort(t, d, lo, hi, [](const CatRecord& c) { return c.totalPrize; });
}
void sortByAgeAndYearPrize(CatTable t, bool d, int lo, int hi) { quickSort(t, d, lo, hi, ageAndYearPrizeKey); }

void placeInOrder(CatTable t, int lo, std::span<const int> order) {
  std::vector<CatRecord> sorted;
  sorted.reserve(order.size());
  for (int i : order) sorted.push_back(std::move(t[static_cast<size_t>(i)]));
  std::move(sorted.begin(), sorted.end(), t.begin() + lo);
}

void reverseRange(CatTable t, int n) {
  if (n < 0) return;
  if (static_cast<size_t>(n) >= t.size()) throw std::out_of_range("reverse range");
  for (int i = 0; i <= n / 2; ++i) std::swap(t[i], t[n - i]);
}

}  // namespace polmina
