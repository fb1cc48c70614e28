// The game: reads its command line, settles the display size before Qt starts, then start-up refuses a
// second copy, finds its folders, sets the game's defaults and opens the title window.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "ui/launch.h"
#include "ui/startup.h"

namespace {

QStringList argumentsOf(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

// The size a first start picks: from the primary screen, asked through a short-lived connection to
// the desktop before the game's own application object exists.
double scaleFromScreen(int argc, char** argv) {
  QGuiApplication probe(argc, argv);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1.0;
  return polmina::scaleForScreen(screen->geometry().width(), screen->geometry().height());
}

// Qt multiplies every window, picture and message box by this; a factor the user set for Qt
// already is kept and multiplied.
void applyScale(double scale) {
  bool ok = false;
  const double outer = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  qputenv("QT_SCALE_FACTOR", QByteArray::number(ok && outer > 0 ? outer * scale : scale));
}

}  // namespace

int main(int argc, char** argv) {
  const polmina::ParsedCommandLine cmd = polmina::parseCommandLine(argumentsOf(argc, argv));
  if (!cmd.run) {
    std::fputs(cmd.text.toLocal8Bit().constData(), cmd.exitCode == 0 ? stdout : stderr);
    return cmd.exitCode;
  }
  double scale = 1.0;
  if (cmd.options.scale) {
    scale = *cmd.options.scale;
    polmina::rememberScale(scale);
  } else if (const auto remembered = polmina::rememberedScale()) {
    scale = *remembered;
  } else {
    scale = scaleFromScreen(argc, argv);
    polmina::rememberScale(scale);
  }
  applyScale(scale);
  QApplication app(argc, argv);
  return polmina::startUp(app, cmd.options);
}
