// AppArt: see the header. Every picture is drawn at each size it is asked for, so it stays sharp.
#include "AppArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zetgallery {

namespace {

// One picture frame with a sky, a sun and two hills, inside `frame`.
void DrawFramedPicture(QPainter& painter, const QRectF& frame, qreal unit) {
  painter.setPen(QPen(QColor(90, 60, 30), unit));
  painter.setBrush(QColor(200, 150, 80));
  painter.drawRect(frame);
  const QRectF picture = frame.adjusted(2 * unit, 2 * unit, -2 * unit, -2 * unit);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(120, 180, 240));
  painter.drawRect(picture);
  painter.setBrush(QColor(255, 210, 40));
  painter.drawEllipse(
      QPointF(picture.right() - picture.width() * 0.28, picture.top() + picture.height() * 0.3),
      picture.width() * 0.12, picture.width() * 0.12);
  QPainterPath hills;
  hills.moveTo(picture.bottomLeft());
  hills.lineTo(picture.left(), picture.top() + picture.height() * 0.7);
  hills.quadTo(picture.left() + picture.width() * 0.3, picture.top() + picture.height() * 0.35,
               picture.left() + picture.width() * 0.6, picture.top() + picture.height() * 0.75);
  hills.quadTo(picture.left() + picture.width() * 0.8, picture.top() + picture.height() * 0.6,
               picture.right(), picture.top() + picture.height() * 0.72);
  hills.lineTo(picture.bottomRight());
  hills.closeSubpath();
  painter.setBrush(QColor(60, 150, 60));
  painter.drawPath(hills);
}

QPixmap ProgramPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 32.0;
  DrawFramedPicture(painter, QRectF(1 * unit, 1 * unit, 20 * unit, 17 * unit), unit);
  DrawFramedPicture(painter, QRectF(10 * unit, 12 * unit, 21 * unit, 18 * unit), unit);
  return pixmap;
}

QPixmap FloppyPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 16.0;
  QPainterPath body;
  body.moveTo(1.5 * unit, 1.5 * unit);
  body.lineTo(12.5 * unit, 1.5 * unit);
  body.lineTo(14.5 * unit, 3.5 * unit);
  body.lineTo(14.5 * unit, 14.5 * unit);
  body.lineTo(1.5 * unit, 14.5 * unit);
  body.closeSubpath();
  painter.setPen(QPen(QColor(20, 30, 80), unit));
  painter.setBrush(QColor(50, 80, 170));
  painter.drawPath(body);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(220, 220, 225));  // the metal shutter
  painter.drawRect(QRectF(4.5 * unit, 2 * unit, 6.5 * unit, 4 * unit));
  painter.setBrush(QColor(50, 80, 170));
  painter.drawRect(QRectF(8.5 * unit, 2.6 * unit, 1.5 * unit, 2.8 * unit));
  painter.setBrush(Qt::white);  // the label
  painter.drawRect(QRectF(3.5 * unit, 8.5 * unit, 9 * unit, 5.5 * unit));
  return pixmap;
}

}  // namespace

QIcon MakeProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(ProgramPixmap(size));
  return icon;
}

QIcon MakeFloppyDiskIcon() {
  QIcon icon;
  for (int size : {16, 24, 32}) icon.addPixmap(FloppyPixmap(size));
  return icon;
}

}  // namespace zetgallery
