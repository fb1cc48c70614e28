#pragma once
// A running game: its state and the services the procedures of the game use.
#include "platform/clock.h"
#include "platform/frontend.h"
#include "platform/rng.h"
#include "world/state.h"

namespace polmina {

struct Game;
class SeasonPlanner;

// Watches the game as it is played, for the cat's history. A watcher only reads: it draws no random
// number and changes nothing in the game.
class WeekWatcher {
 public:
  virtual ~WeekWatcher() = default;
  // Race k (1..5) of the week is about to run: its field is built and its gates ordered.
  virtual void raceStarting(const Game& /*g*/, int /*k*/, bool /*watched*/) {}
  // Race k has run: finishOrder holds its placings.
  virtual void raceFinished(const Game& /*g*/, int /*k*/) {}
  // The week is closed (the year end included): the game stands at the week to come.
  virtual void weekClosed(const Game& /*g*/) {}
  // The player's cat has retired at the year end: the game is over and is not saved.
  virtual void gameEnded(const Game& /*g*/) {}
  // A new game `s` has begun in place of the save's game.
  virtual void startedAfresh(const GameState& /*s*/) {}
  // The game goes on from a save (or a recovered week) at the state's date.
  virtual void resumedAt(const GameState& /*s*/) {}
  // The player quit without saving.
  virtual void discardUnsaved() {}
};

struct Game {
  GameState& s;
  Rng& rng;
  Frontend& ui;
  Clock& clock;
  WeekWatcher* watcher = nullptr;
  // The player's season plan: at the start of each week it may book the next target race.
  SeasonPlanner* planner = nullptr;
};

}  // namespace polmina
