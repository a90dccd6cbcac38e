#include "shell/display_connection.h"

#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <utility>
#include <vector>

#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace plinvor {
namespace {

QtMessageHandler previous = nullptr;

struct HeldMessage {
  QtMsgType type;
  QByteArray category, file, function, text;
  int line;
};
std::vector<HeldMessage>* held = nullptr;
// Said before Qt starts: a platform plugin may change the environment.
std::string* tried = nullptr;

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return std::string(name) + "=" + (value && *value ? value : "(unset)");
}

std::string Described(const std::string& platform) {
  // A platform may carry options after a colon (xcb:foo=bar).
  const std::string name = platform.substr(0, platform.find(':'));
  if (name == "wayland" || name.rfind("wayland-", 0) == 0) return platform + " (" + Setting("WAYLAND_DISPLAY") + ")";
  if (name == "xcb") return platform + " (" + Setting("DISPLAY") + ")";
  return platform;
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const std::string line = "Plinvor: cannot open a display: tried " + *tried + "\n";
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, line.data(), line.size());
    _exit(1);
  }
  held->push_back({type, QByteArray(context.category), QByteArray(context.file),
                   QByteArray(context.function), text.toUtf8(), context.line});
}

}  // namespace

std::string TriedDisplays() {
  std::vector<std::string> platforms;
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen && *chosen) {
    std::string list = chosen;
    for (std::size_t start = 0; start <= list.size();) {
      const std::size_t end = std::min(list.find(';', start), list.size());
      if (end > start) platforms.push_back(list.substr(start, end - start));
      start = end + 1;
    }
  } else {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* session = std::getenv("XDG_SESSION_TYPE");
    if ((wayland && *wayland) || (session && std::strcmp(session, "wayland") == 0)) {
      platforms.push_back("wayland");
    }
    platforms.push_back("xcb");
  }
  std::string tried;
  for (const std::string& p : platforms) {
    if (!tried.empty()) tried += ", then ";
    tried += Described(p);
  }
  return tried;
}

DisplayConnection::DisplayConnection() {
  held = new std::vector<HeldMessage>;
  tried = new std::string(TriedDisplays());
  previous = qInstallMessageHandler(Hold);
}

DisplayConnection::~DisplayConnection() {
  qInstallMessageHandler(previous);
  std::vector<HeldMessage> messages = std::move(*held);
  delete held;
  held = nullptr;
  delete tried;
  tried = nullptr;
  for (const HeldMessage& m : messages) {
    const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                     m.category.constData());
    qt_message_output(m.type, context, QString::fromUtf8(m.text));
  }
}

}  // namespace plinvor
