#pragma once
// The fields of the cat record in file order, each with its name. One list serves every walk over a
// cat (writing, reading, range checks, the JSON of polmina-sim), so none of them can drift apart.
// A walker has `operator()(name, value)` for a number, `name(name, text)` for the cat's name and
// `array(name, values)` for a fixed array (EachElement gives the element-by-element one).
#include "world/state.h"

namespace polmina {

// For walkers that treat an array as its elements, one after another under the array's name.
template <typename Walker>
struct EachElement {
  template <typename Array>
  void array(const char* key, Array& values) {
    for (auto& v : values) static_cast<Walker&>(*this)(key, v);
  }
};

template <typename Io, typename Cat>
void catFields(Io& io, Cat& c) {
  io("owner", c.owner);
  io.name("name", c.name);
  io("title", c.title);
  io("breed", c.breed);
  io("sex", c.sex);
  io("age", c.age);
  io("peakAge", c.peakAge);
  io("trait1", c.looks);  // the JSON keys scripts read keep the record's old names
  io("favouriteTraining", c.favouriteTraining);
  io("growthType", c.growthType);
  io("adultWeight", c.adultWeight);
  io("weight", c.weight);
  io.array("styleFlags", c.styleFlags);
  io.array("reserved1", c.reserved1);
  io("powerMax", c.powerMax);
  io("power", c.power);
  io("speedMax", c.speedMax);
  io("speed", c.speed);
  io("staminaMax", c.staminaMax);
  io("stamina", c.stamina);
  io("trait2", c.constitution);
  io("catClass", c.catClass);
  io("condition", c.condition);
  io("formCycleLength", c.formCycleLength);
  io("exhaustionCount", c.exhaustionCount);
  io("trainSpeed1", c.trainSpeed1);
  io("trainStamina1", c.trainStamina1);
  io("trainPower1", c.trainPower1);
  io("trainSpeed2", c.trainSpeed2);
  io("trainStamina2", c.trainStamina2);
  io("trainPower2", c.trainPower2);
  io("restWeeks", c.restWeeks);
  io("starts", c.starts);
  io("wins", c.wins);
  io("entryRace", c.entryRace);
  io("raceMark", c.raceMark);
  io("yearPrize", c.yearPrize);
  io("totalPrize", c.totalPrize);
  io("points", c.points);
  io.array("results", c.results);
  io("retired", c.retired);
  io("inUse", c.inUse);
}

}  // namespace polmina
