// The window tests share one application on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/fonts.h"
#include "ui/resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  polmina::initResources();
  polmina::installLook();
  polmina::installJapaneseButtons();
  return RUN_ALL_TESTS();
}
