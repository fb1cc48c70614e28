#include "ui/startup.h"

#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "game/plan.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "store/folder_lock.h"
#include "store/savefile.h"
#include "ui/qt_frontend.h"
#include "ui/resources.h"
#include "ui/session.h"
#include "ui/sound.h"
#include "ui/sound_menu.h"
#include "ui/window_manager.h"
#include "world/state.h"

namespace polmina {

namespace {

// The name the running copy of a save answers to: one per save folder and user.
QString instanceName(const std::filesystem::path& saveDir) {
  std::error_code ec;
  const auto canonical = std::filesystem::weakly_canonical(saveDir, ec);
  const QByteArray key = QString::fromStdU16String((ec ? saveDir : canonical).u16string()).toUtf8();
  return QStringLiteral("polmina-%1-%2")
      .arg(QString::number(::getuid()),
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16)));
}

// The second start asks the running copy to come to the front, then ends.
void callRunningCopy(const std::filesystem::path& saveDir) {
  QLocalSocket socket;
  socket.connectToServer(instanceName(saveDir));
  if (!socket.waitForConnected(1000)) return;
  socket.write("show\n");
  socket.waitForBytesWritten(1000);
  socket.disconnectFromServer();
}

// The window the player is using: a box or dialog over it first.
QWidget* frontWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  QWidget* found = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !w->isMinimized() && w->windowType() != Qt::Popup) found = w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && (w->windowFlags() & Qt::Dialog)) found = w;
  return found;
}

void comeToFront() {
  QWidget* w = frontWindow();
  if (!w) return;
  if (w->isMinimized()) w->showNormal();
  w->raise();
  w->activateWindow();
}

// Listens for later starts on the same save.
std::unique_ptr<QLocalServer> listenForLaterStarts(const std::filesystem::path& saveDir) {
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  const QString name = instanceName(saveDir);
  // The lock is ours: a name left by a copy that died is stale.
  QLocalServer::removeServer(name);
  if (!server->listen(name)) return server;
  QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [s = server.get()] {
    while (QLocalSocket* c = s->nextPendingConnection()) {
      QObject::connect(c, &QLocalSocket::disconnected, c, &QObject::deleteLater);
      comeToFront();
    }
  });
  return server;
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
  GameRng rng = options.seed ? GameRng::fixed(*options.seed) : GameRng::fromClock();
  SystemClock clock;
  QtFrontend ui;
  Game g{s, rng, ui, clock};
  Session session{g, ui, std::move(paths)};
  // Held for the whole run, in the save's own folder: a second start on the same save, whatever its
  // environment (another login of the same user has another runtime folder), finds it taken and ends.
  const auto lock = FolderLock::take(session.paths.saveDir, "polmina");
  if (!lock) {
    // polmina-sim has no window to raise: the player hears why the game does not start.
    if (FolderLock::heldBy(session.paths.saveDir) == "polmina-sim")
      ui.tell(Question::FolderInUse, BoxTitle, tr(FolderInUse));
    else
      callRunningCopy(session.paths.saveDir);
    return 0;
  }
  const auto server = listenForLaterStarts(session.paths.saveDir);
  History history(session.paths.saveDir);
  // On a full disk the history gives way to the save.
  const RoomForSaves room([&history](bool hard) { history.makeRoom(hard); });
  const SaveWitness witness(history);
  g.watcher = &history;
  session.history = &history;
  SeasonPlanner planner(history);
  g.planner = &planner;
  WindowManager wm(session);
  applyRememberedSound();
  SoundPlayer::instance().setMuted(options.mute);
  wm.showWindow(GameWindow::Title);
  // The device opens once the title shows, on a thread of its own: the title never waits for it.
  QTimer::singleShot(0, &app, [&session] { SoundPlayer::instance().open(soundFolder(session.paths)); });
  if (const auto notice = shrinkNotice()) ui.tell(Question::Settings, BoxTitle, notice->toStdU16String());
  const int code = app.exec();
  SoundPlayer::instance().close();
  return code;
}

}  // namespace polmina
