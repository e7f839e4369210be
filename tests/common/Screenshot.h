// Pictures of windows for a person to look at: written only when KV_SCREENSHOT_DIR names a
// folder, so that an ordinary test run leaves nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "tests/common/EventLoop.h"

namespace kv {

inline bool ScreenshotsWanted() {
  const char* dir = std::getenv("KV_SCREENSHOT_DIR");
  return dir && *dir;
}

// Saves the window as name + ".png" once it has been painted.
inline void Screenshot(QWidget* window, const std::string& name) {
  if (!ScreenshotsWanted()) return;
  // A window shown a moment ago may not have laid itself out yet: its posted events first.
  WaitUntil([&] { return window->isVisible() && !window->size().isEmpty(); }, 20000);
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  const QString path = QString::fromLocal8Bit(std::getenv("KV_SCREENSHOT_DIR")) + "/" +
                       QString::fromStdString(name) + ".png";
  EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
}

}  // namespace kv
