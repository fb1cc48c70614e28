#pragma once
// What the game asks of a screen. The windows implement it with real message boxes; the headless
// frontend answers from a script and records every question.
#include <string>
#include <string_view>

namespace polmina {

struct Game;

// Every question and notice the game puts to the player, by name. The words shown belong to the
// catalog; answers, scripts and stops go by this id.
enum class Question {
  // the weekly turn
  WatchOwnRace,        // the player's cat runs this race: watch it?
  WatchBigRace,        // an A-class race or the S race is run: watch it?
  SelectionCommittee,  // chosen for one of the three big races: run in it?
  Excluded,            // too many runners: the player's cat is left out
  Withdrawn,           // a sudden fever: the player's cat is withdrawn
  MissedResting,       // the cat was resting and could not run
  CalledOff,           // too few runners: the race is called off
  Retirement,          // the player's cat retires at the year end
  GameEnd,             // the game is over
  CareerRecord,        // a cat's career record (the farewell among them)
  // the home view's commands
  Rest,            // rest for a month?
  Booking,         // book this race? (distance, prize, handicap)
  BookingRefused,  // this race cannot be booked
  NoNews,          // the newspaper has nothing this week
  ReplayMissing,   // a race of the history cannot be replayed
  FileMissing,     // a file of the game (the help page) cannot be opened
  AlreadyThere,    // a fast-forward is asked for the week the game stands at
  Following,       // a cat followed (or no longer)
  QuitBusy,        // a week is in play: the game cannot end now
  QuitConfirm,     // end the game?
  SaveOnQuit,      // save before ending?
  SaveFailed,      // the save could not be written
  SaveNotice,      // the save was written, with something to say (backups given up for space)
  ChangedSave,     // the save was changed after the game wrote it: take up a backup the game wrote?
  QuitUnsaved,     // end without a save?
  // starting and taking up a game
  NameRefused,     // a name the save cannot hold
  ChooseBreed,     // no breed chosen yet
  ConfirmNewGame,  // the wizard's last page: start with these choices?
  NewGameFailed,   // the new game could not be set up
  Resume,          // take up the saved game?
  NoSave,          // there is no save
  LoadFailed,      // the save (or the history's week) could not be loaded
  OfferRecovery,   // take up the weeks the last run did not save?
  OfferBackup,     // take up a backup in place of a damaged save?
  HistoryProblem,  // the history file had a problem
  FolderInUse,     // another program writes in the save's folder
  Settings,        // a setting changed (display size, language)
};

// The steps of a week at which a face shows what the week did and, where the player closes it with
// an ＯＫ, waits for that ＯＫ.
enum class WeekStep {
  Begins,   // "次週": the races are about to run (the results panel shows, empty)
  Results,  // the races have run: the results panel, until its ＯＫ
  Awards,   // the year's awards, until their ＯＫ
  Closed,   // the week is closed: the home view is put back
  Home,     // the home view is ready for the next week's commands
};

class Frontend {
 public:
  virtual ~Frontend() = default;
  // A modal Yes/No question; true for Yes.
  virtual bool askYesNo(Question id, std::u16string_view title, std::u16string_view text) = 0;
  // A notice with one OK button.
  virtual void tell(Question id, std::u16string_view title, std::u16string_view text) = 0;
  // Shows race `raceNumber` of the week being run; returns when the watched race is over.
  virtual void watchRace(Game& g, int raceNumber) = 0;
  // Waits, keeping the windows alive.
  virtual void pause(double seconds) = 0;
  // The progress bar of long work (the year end): `value` of `maximum`; hidden again by progressDone.
  virtual void progress(int /*value*/, int /*maximum*/) {}
  virtual void progressDone() {}
  // The week has moved on: the home view shows the player's cat again (its running style option is
  // set anew, which draws that option's coin).
  virtual void refreshCatPanel(Game& /*g*/) {}
  // The week has reached `step`; returns once the face has shown it (and, for the results and the
  // awards, once the player has given their ＯＫ). Without a screen it returns at once.
  virtual void weekStep(Game& /*g*/, WeekStep /*step*/) {}
  // The cat has something to say after the week (the results' remark, a rest's end).
  virtual void catRemark(Game& /*g*/) {}
  // A question the player answered beforehand (a fast-forward's choice): recorded where questions are
  // recorded, never put.
  virtual void answeredBeforehand(Question /*id*/, std::u16string_view /*title*/, std::u16string_view /*text*/,
                                  bool /*answer*/) {}
  // Whether the player was asked anything (a question, a notice, an ＯＫ to wait for) since the last
  // call; the call forgets it. A frontend that answers by itself never asks the player.
  virtual bool takeAsked() { return false; }
};

}  // namespace polmina
