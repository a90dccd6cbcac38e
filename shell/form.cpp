#include "shell/form.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>

#include "shell/application.h"

TForm::TForm(QWidget* parent) : QWidget(parent) {
  // Its fixed size (minimum = maximum) is what tells window managers that
  // it cannot be resized or maximised.
  setWindowFlags(Qt::Window);
  // A Wayland compositor ignores what a mask would cut out of the picture:
  // the mask only says where input goes. The window is therefore made
  // translucent (before its native window exists), and UpdateShape keeps
  // every control from painting the key-coloured pixels, which stay alpha 0.
  if (QGuiApplication::platformName() == QLatin1String("wayland")) {
    setAttribute(Qt::WA_TranslucentBackground);
  }
}

void TForm::setTransparentColor(bool on) {
  if (on == transparentColor_) return;
  transparentColor_ = on;
  UpdateShape();
}

void TForm::setTransparentColorValue(const QColor& colour) {
  if (colour == keyColour_) return;
  keyColour_ = colour;
  UpdateShape();
}

void TForm::Loaded() {
  caption_ = windowTitle();
  setAccessibleName(caption_);
  if (auto* app = qobject_cast<TApplication*>(qApp)) setWindowTitle(app->Title());
  TApplication::Guard([&] { emit created(); });
}

void TForm::UpdateShape() {
  if (!shown_) return;  // done when the window shows
  if (!transparentColor_) {
    clearMask();
    return;
  }
  // The exact key colour only: a one-unit difference is a normal colour.
  const QPixmap painted = grab();
  QRegion shape(painted.createMaskFromColor(keyColour_, Qt::MaskInColor));
  if (testAttribute(Qt::WA_TranslucentBackground) && painted.hasAlphaChannel()) {
    // What the controls already leave unpainted (alpha 0) is outside too, so
    // that taking the shape again after the cut gives the same shape.
    shape &= QRegion(painted.mask());
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      child->setMask(shape.translated(-child->pos()) & child->rect());
    }
  }
  setMask(shape);
}

bool TForm::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
      UpdateShape();
      break;
    default:
      break;
  }
  return QWidget::event(e);
}

void TForm::showEvent(QShowEvent* e) {
  if (!shown_) {
    shown_ = true;
    if (!focusWidget()) {
      // The first control of the tab order that takes the focus.
      for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this)) {
          w->setFocus(Qt::OtherFocusReason);
          break;
        }
      }
    }
  }
  UpdateShape();
  QWidget::showEvent(e);
}

void TForm::keyPressEvent(QKeyEvent* e) {
  // Reached when the focused control left the key alone.
  if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier) &&
      !(e->modifiers() & Qt::ControlModifier)) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

void TForm::closeEvent(QCloseEvent* e) {
  e->accept();
  if (auto* app = qobject_cast<TApplication*>(qApp); app && app->MainForm() == this) app->Terminate();
}
