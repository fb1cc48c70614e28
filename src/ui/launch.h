#pragma once
// What the game is told when it starts: the command line, and the display size it runs at. All of this
// is settled before the application object exists, since Qt fixes its scale factor then.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "world/i18n.h"

namespace polmina {

// The program's version, as the version window shows it.
QString gameVersion();

struct LaunchOptions {
  std::optional<uint64_t> seed;  // --seed N: every random draw of the game reproducible
  std::optional<double> scale;   // --scale F: the display size for this run (and remembered)
  std::optional<Language> lang;  // --lang ja|en: the language for this run (and remembered)
  bool mute = false;             // --mute: no sound in this run
};

// The outcome of reading the command line: run the game, or print `text` and end with `exitCode`
// (help and version on standard output with 0, a mistake on standard error with 2).
struct ParsedCommandLine {
  bool run = true;
  int exitCode = 0;
  QString text;
  LaunchOptions options;
};

// `args` as the program got them, the program's own name first. Needs no application object.
ParsedCommandLine parseCommandLine(const QStringList& args);

// The display sizes offered to the player, smallest first.
inline constexpr double DisplayScales[] = {1.0, 1.5, 2.0, 3.0};
// "×1", "×1.5", ...
QString scaleCaption(double scale);
// The offered size nearest to `scale` (a remembered value may have been edited by hand).
double nearestScale(double scale);
// The largest offered size at which the race window, the game's biggest, fits a screen of this size
// (in the desktop's own units, so a desktop that already scales is not scaled twice).
double scaleForScreen(int screenWidth, int screenHeight);
// Whether every window of the game, title bar included, fits a screen of this size at `scale`, and the
// largest offered size that does (×1 when none does).
bool scaleFits(double scale, int screenWidth, int screenHeight);
double largestFittingScale(int screenWidth, int screenHeight);

// The size this run was started at, and the larger one asked for that the screen could not hold.
void setRunningScale(double scale, std::optional<double> shrunkFrom);
double runningScale();
std::optional<double> shrunkFrom();
// What the player is told when the size was shrunk; once for the same sizes.
std::optional<QString> shrinkNotice();

// The remembered display size, if any (QSettings of the user; works before the application exists).
std::optional<double> rememberedScale();
void rememberScale(double scale);

// The remembered language, Japanese when none is (never the desktop's own language).
Language rememberedLanguage();
void rememberLanguage(Language lang);

// A new display size is applied by starting the program again once this run has ended (Qt fixes its
// scale factor when it starts). Only asked for where no game is in progress.
void requestRestart();
bool restartRequested();
// The arguments for that new start: the same, less --scale and --lang, so that the remembered size
// and language apply.
QStringList argumentsForRestart(const QStringList& args);

}  // namespace polmina
