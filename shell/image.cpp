#include "shell/image.h"

#include <mutex>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

#include "shell/application.h"

namespace {

// What assistive technology sees of a TImage. The role and the actions are
// read on every query: handlers are bound after the image is made.
class AccessibleImage : public QAccessibleWidget {
 public:
  explicit AccessibleImage(TImage* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

  QAccessible::Role role() const override {
    return Image()->Clickable() ? QAccessible::Button : QAccessible::Graphic;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Image()->Clickable()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && Image()->Clickable()) {
      Image()->Click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  TImage* Image() const { return static_cast<TImage*>(widget()); }
};

// Asked for each class of an object's class chain, most derived first.
QAccessibleInterface* AccessibleImageFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TImage") && object && object->isWidgetType()) {
    return new AccessibleImage(static_cast<TImage*>(object));
  }
  return nullptr;
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
  static std::once_flag factoryInstalled;
  std::call_once(factoryInstalled, [] { QAccessible::installFactory(AccessibleImageFactory); });
  // Moves over the image reach it without a button held (the hint timing
  // restarts on them after a key or a click has cancelled a hint).
  setMouseTracking(true);
}

void TImage::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void TImage::Click() {
  TApplication::Guard([&] { emit clicked(this); });
}

bool TImage::Clickable() const { return isSignalConnected(QMetaMethod::fromSignal(&TImage::clicked)); }

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) leftDown_ = true;
  e->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton || !leftDown_) return;
  leftDown_ = false;
  if (rect().contains(e->position().toPoint())) Click();
}
