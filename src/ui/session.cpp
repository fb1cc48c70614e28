#include "ui/session.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace polmina {

namespace {

std::filesystem::path toPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }
QString fromPath(const std::filesystem::path& p) { return QString::fromStdU16String(p.u16string()); }

bool writableFolder(const std::filesystem::path& dir) {
  const QFileInfo info(fromPath(dir));
  return info.isDir() && info.isWritable();
}

}  // namespace

GamePaths findGamePaths(const std::filesystem::path& appDir) {
  GamePaths p;
  p.appDir = appDir;
  p.saveDir = appDir;
  if (!writableFolder(appDir)) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    p.saveDir = toPath(data);
  }
  p.dataDirs = dataFolders(appDir);
  return p;
}

std::filesystem::path findDataFile(const GamePaths& paths, const char* name) {
  return findDataFile(paths.dataDirs, name);
}

void tellHistoryProblem(Session& se) {
  if (!se.history) return;
  if (auto problem = se.history->takeProblem()) se.ui.tell(Question::HistoryProblem, BoxTitle, *problem);
}

}  // namespace polmina
