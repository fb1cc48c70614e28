// The game: start-up refuses a second copy, finds its folders, sets the game's defaults and opens the
// title window.
#include <QApplication>

#include "ui/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return polmina::startUp(app);
}
