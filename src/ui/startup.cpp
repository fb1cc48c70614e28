#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

#include "platform/clock.h"
#include "platform/rng.h"
#include "ui/qt_frontend.h"
#include "ui/resources.h"
#include "ui/session.h"
#include "ui/window_manager.h"
#include "world/state.h"

namespace polmina {

namespace {

// Held for the whole run: a second start of the game by the same user finds it taken and ends.
std::unique_ptr<QLockFile> takeInstanceLock() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(QStringLiteral("polmina.lock")));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

// The program folder as the game keeps it: with a separator at its end, never two.
std::u16string withSeparator(QString dir) {
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir.toStdU16String();
}

}  // namespace

bool useLanguage(Language lang, const GamePaths& paths) {
  bool ok = lang == Language::Japanese;
  if (!ok) {
    const auto file = findDataFile(paths, catalogFileName(lang).c_str());
    ok = !file.empty() && loadCatalog(file);
  }
  if (!ok) unloadCatalog();
  // Qt's own buttons speak English without a translation.
  if (currentLanguage() == Language::Japanese) installJapaneseButtons();
  return ok;
}

int startUp(QApplication& app, const LaunchOptions& options) {
  QCoreApplication::setApplicationName(QStringLiteral("polmina"));
  // No application display name: the window system would append it to every window's own title.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.polmina.Polmina"));
  const auto lock = takeInstanceLock();
  if (!lock) return 0;
  app.setQuitOnLastWindowClosed(false);
  initResources();
  installLook();
  QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon256.png")));

  const QString appDir = QCoreApplication::applicationDirPath();
  GamePaths paths = findGamePaths(std::filesystem::path(appDir.toStdU16String()));
  // Before any text of the game is made.
  useLanguage(options.lang.value_or(Language::Japanese), paths);
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  resetProgramState(s);
  s.appDir = withSeparator(appDir);
  GameRng rng = options.seed ? GameRng::fixed(*options.seed) : GameRng::fromClock();
  SystemClock clock;
  QtFrontend ui;
  Game g{s, rng, ui, clock};
  Session session{g, ui, std::move(paths)};
  History history(session.paths.saveDir);
  g.watcher = &history;
  session.history = &history;
  WindowManager wm(session);
  wm.showWindow(GameWindow::Opening);
  return app.exec();
}

}  // namespace polmina
