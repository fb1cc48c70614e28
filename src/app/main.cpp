// The game: reads its command line, settles the display size before Qt starts, then start-up refuses a
// second copy, finds its folders, sets the game's defaults and opens the title window.
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/launch.h"
#include "ui/qt_text.h"
#include "ui/session.h"
#include "ui/startup.h"

namespace {

QStringList argumentsOf(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

// A screen to show the game on: without one Qt cannot start, and nothing is remembered.
bool hasDisplay() {
  return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// The primary screen's size, asked through a short-lived connection to the desktop before the game's
// own application object exists.
std::optional<QSize> screenSize(int argc, char** argv) {
  if (!hasDisplay()) return std::nullopt;
  QGuiApplication probe(argc, argv);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  return screen->geometry().size();
}

// Qt multiplies every window, picture and message box by this; a factor the user set for Qt
// already is kept and multiplied.
void applyScale(double scale) {
  bool ok = false;
  const double outer = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  qputenv("QT_SCALE_FACTOR", QByteArray::number(ok && outer > 0 ? outer * scale : scale));
}

// Starts the program again in place of this one, with the user's own scale factor back and without
// --scale, so that the size just chosen applies. Returns only when that fails.
int startAgain(const QStringList& args, const std::optional<QByteArray>& outerScale) {
  if (outerScale) {
    qputenv("QT_SCALE_FACTOR", *outerScale);
  } else {
    qunsetenv("QT_SCALE_FACTOR");
  }
  std::vector<std::string> words;
  for (const QString& a : polmina::argumentsForRestart(args)) words.push_back(a.toLocal8Bit().toStdString());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  execv("/proc/self/exe", argv.data());
  execvp(argv[0], argv.data());
  std::fputs(polmina::qtr(u"表示サイズを変えて起動し直せませんでした。もう一度起動して下さい。\n").toLocal8Bit().constData(),
             stderr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QStringList args = argumentsOf(argc, argv);
  polmina::ParsedCommandLine cmd = polmina::parseCommandLine(args);
  const polmina::Language lang = cmd.options.lang.value_or(polmina::rememberedLanguage());
  if (!cmd.run) {
    if (lang != polmina::Language::Japanese) {
      // Help and mistakes in the player's language: read again with the catalog loaded.
      std::error_code ec;
      const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
      if (!ec && polmina::loadCatalog(polmina::findDataFile(polmina::findGamePaths(exe.parent_path()),
                                                            polmina::catalogFileName(lang).c_str())))
        cmd = polmina::parseCommandLine(args);
    }
    std::fputs(cmd.text.toLocal8Bit().constData(), cmd.exitCode == 0 ? stdout : stderr);
    return cmd.exitCode;
  }
  const std::optional<QSize> screen = screenSize(argc, argv);
  if (cmd.options.lang) polmina::rememberLanguage(lang);
  cmd.options.lang = lang;
  double scale = 1.0;
  if (cmd.options.scale) {
    scale = *cmd.options.scale;
    if (screen) polmina::rememberScale(scale);
  } else if (const auto remembered = polmina::rememberedScale()) {
    scale = *remembered;
  } else if (screen) {
    scale = polmina::scaleForScreen(screen->width(), screen->height());
    polmina::rememberScale(scale);
  }
  // A size chosen on a bigger screen (or asked for) is shrunk to the largest that fits this one.
  std::optional<double> shrunkFrom;
  if (screen && !polmina::scaleFits(scale, screen->width(), screen->height())) {
    shrunkFrom = scale;
    scale = std::min(scale, polmina::largestFittingScale(screen->width(), screen->height()));
  }
  polmina::setRunningScale(scale, shrunkFrom);
  std::optional<QByteArray> outerScale;
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) outerScale = qgetenv("QT_SCALE_FACTOR");
  applyScale(scale);
  int code = 0;
  {
    QApplication app(argc, argv);
    code = polmina::startUp(app, cmd.options);
  }  // the windows are gone and the lock of the one running copy is free again
  return polmina::restartRequested() ? startAgain(args, outerScale) : code;
}
