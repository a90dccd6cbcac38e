// StartupPreload: start-up work that needs no display, done on a thread of its
// own while the application object connects to the X server.
//
// Two things would otherwise run on the GUI thread before the first frame:
// fontconfig loading its configuration and font caches (the first text layout
// of an edit field asks for them), and decoding the application icon's
// pictures. Neither touches a QObject, a QPixmap or the display, so both can
// go first and in parallel. Made first thing in the program body; whoever needs
// the icon pictures takes them, waiting for the thread if it is still at work.
#pragma once

#include <thread>

#include <QList>
#include <QImage>

namespace plinvor {

class StartupPreload {
 public:
  StartupPreload();
  ~StartupPreload();
  StartupPreload(const StartupPreload&) = delete;
  StartupPreload& operator=(const StartupPreload&) = delete;

  // The icon's pictures, one per size drawn: from the running preload once
  // it is done, or decoded here and now when there is none.
  static QList<QImage> IconImages();

 private:
  void Wait();

  std::thread thread_;
  QList<QImage> icons_;
};

}  // namespace plinvor
