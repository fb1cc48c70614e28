#include "sim/json.h"

#include "store/cat_fields.h"
#include "world/text.h"

namespace polmina::sim {

using nlohmann::ordered_json;

namespace {

// Puts each field of a cat under its name.
struct JsonWalker {
  ordered_json& j;

  template <typename T>
  void operator()(const char* key, const T& v) {
    j[key] = v;
  }
  void name(const char* key, const std::u16string& n) { j[key] = toUtf8(n); }
  template <typename Array>
  void array(const char* key, const Array& values) {
    j[key] = values;
  }
};

}  // namespace

ordered_json catJson(const CatRecord& c) {
  ordered_json j;
  JsonWalker walk{j};
  catFields(walk, c);
  return j;
}

ordered_json stateJson(const GameState& s) {
  ordered_json j;
  j["year"] = s.year;
  j["month"] = s.month;
  j["week"] = s.week;
  j["weekBase"] = s.weekBase;
  j["playerName"] = toUtf8(s.playerName);
  j["playerSex"] = s.playerSex;
  j["playerCat"] = s.playerCat;
  j["catCount"] = s.catCount;
  j["retiredCount"] = s.retiredCount;
  ordered_json cats = ordered_json::array();
  for (int i = 0; i < s.catCount && i < MaxCats; ++i) cats.push_back(catJson(s.cats[i]));
  j["cats"] = std::move(cats);
  ordered_json retired = ordered_json::array();
  for (int i = 0; i < s.retiredCount && i < MaxRetired; ++i) retired.push_back(catJson(s.retiredCats[i]));
  j["retiredCats"] = std::move(retired);
  return j;
}

ordered_json calendarJson(const GameState& s) {
  ordered_json j = ordered_json::array();
  for (const RaceSlot& slot : s.calendar) {
    ordered_json r;
    r["raceName"] = toUtf8(slot.raceName);
    r["raceClass"] = slot.raceClass;
    r["distance"] = slot.distance;
    r["prize"] = slot.prize;
    j.push_back(std::move(r));
  }
  return j;
}

}  // namespace polmina::sim
