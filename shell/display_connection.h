// DisplayConnection: a clean failure when no display can be opened.
//
// The application object connects to the display when it is made. When no
// platform plugin can connect (no X server at DISPLAY, no compositor at
// WAYLAND_DISPLAY, no plugin for QT_QPA_PLATFORM), Qt prints warnings and then
// aborts. While a DisplayConnection lives, Qt's messages are held back
// instead; if the connection fails, one line that names what was tried goes
// to standard error, for example
//   Plinvor: cannot open a display: tried wayland (WAYLAND_DISPLAY=wayland-9), then xcb (DISPLAY=:99)
// and the process ends with exit code 1: no abort, no crash report, no core
// dump. When the connection succeeds, the held messages are passed on as they
// came, and Qt's messages go their usual way again.
#pragma once

#include <string>

namespace plinvor {

class DisplayConnection {
 public:
  DisplayConnection();
  ~DisplayConnection();
  DisplayConnection(const DisplayConnection&) = delete;
  DisplayConnection& operator=(const DisplayConnection&) = delete;
};

// The platforms that Qt tries, in its order, each with the setting it reads:
// QT_QPA_PLATFORM's list when it is set; otherwise wayland first when
// WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is "wayland", then xcb.
std::string TriedDisplays();

}  // namespace plinvor
