#include "shell/startup_preload.h"

#include <fontconfig/fontconfig.h>

#include <QDir>

#include "shell/resources.h"

namespace plinvor {
namespace {

StartupPreload* running = nullptr;

QList<QImage> DecodeIconImages() {
  LoadResources();
  QList<QImage> images;
  const QDir icons(QStringLiteral(":/icons"));
  for (const QString& name : icons.entryList(QDir::Files)) images.append(QImage(icons.filePath(name)));
  return images;
}

}  // namespace

StartupPreload::StartupPreload() {
  LoadResources();  // before another thread reads them
  running = this;
  thread_ = std::thread([this] {
    FcInit();  // the configuration and the font caches; Qt's later call finds them loaded
    icons_ = DecodeIconImages();
  });
}

StartupPreload::~StartupPreload() {
  Wait();
  if (running == this) running = nullptr;
}

void StartupPreload::Wait() {
  if (thread_.joinable()) thread_.join();
}

QList<QImage> StartupPreload::IconImages() {
  if (!running) return DecodeIconImages();
  running->Wait();
  return running->icons_;
}

}  // namespace plinvor
