#include "sim/json.h"

#include "world/text.h"

namespace polmina::sim {

using nlohmann::ordered_json;

ordered_json catJson(const CatRecord& c) {
  ordered_json j;
  j["owner"] = c.owner;
  j["name"] = toUtf8(c.name);
  j["title"] = c.title;
  j["breed"] = c.breed;
  j["sex"] = c.sex;
  j["age"] = c.age;
  j["peakAge"] = c.peakAge;
  j["trait1"] = c.trait1;
  j["favouriteTraining"] = c.favouriteTraining;
  j["growthType"] = c.growthType;
  j["adultWeight"] = c.adultWeight;
  j["weight"] = c.weight;
  j["styleFlags"] = c.styleFlags;
  j["reserved1"] = c.reserved1;
  j["powerMax"] = c.powerMax;
  j["power"] = c.power;
  j["speedMax"] = c.speedMax;
  j["speed"] = c.speed;
  j["staminaMax"] = c.staminaMax;
  j["stamina"] = c.stamina;
  j["trait2"] = c.trait2;
  j["catClass"] = c.catClass;
  j["condition"] = c.condition;
  j["formCycleLength"] = c.formCycleLength;
  j["exhaustionCount"] = c.exhaustionCount;
  j["trainSpeed1"] = c.trainSpeed1;
  j["trainStamina1"] = c.trainStamina1;
  j["trainPower1"] = c.trainPower1;
  j["trainSpeed2"] = c.trainSpeed2;
  j["trainStamina2"] = c.trainStamina2;
  j["trainPower2"] = c.trainPower2;
  j["restWeeks"] = c.restWeeks;
  j["starts"] = c.starts;
  j["wins"] = c.wins;
  j["entryRace"] = c.entryRace;
  j["raceMark"] = c.raceMark;
  j["yearPrize"] = c.yearPrize;
  j["totalPrize"] = c.totalPrize;
  j["points"] = c.points;
  j["results"] = c.results;
  j["retired"] = c.retired;
  j["inUse"] = c.inUse;
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
