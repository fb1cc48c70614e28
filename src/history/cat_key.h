#pragma once
// Inside the history: what identifies a cat across weeks, tables and games.
#include <string>

#include "history/history.h"
#include "world/text.h"

namespace polmina {

struct History::CatKey {
  std::string name;
  int breed, sex, peakAge;
  double adultWeight;

  static CatKey of(const CatRecord& c) {
    return {toUtf8(trim(c.name)), c.breed, c.sex, c.peakAge, c.adultWeight};
  }
  static CatKey of(const RecordedRunner& r) {
    return {toUtf8(r.name), r.breed, r.sex, r.peakAge, r.adultWeight};
  }
};

}  // namespace polmina
