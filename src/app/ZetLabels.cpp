// ZetLabels: see the header.
#include "app/ZetLabels.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QUrl>
#include <utility>

namespace zetgallery {

TZetLabel::TZetLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TZetLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TZetLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TZetLabel::Click() {
  if (OnClick) OnClick(this);
}

void TZetLabel::Open(const QString& target) const {
  if (opener_)
    opener_(target);
  else
    QDesktopServices::openUrl(QUrl(target));
}

void TZetLabel::paintEvent(QPaintEvent* event) {
  if (firstPaintPending_) {
    firstPaintPending_ = false;
    BeforeFirstPaint();
  }
  QLabel::paintEvent(event);
}

void TZetLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  MouseEnter();
}

void TZetLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  MouseLeave();
}

void TZetLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  pressed_ = event->button() == Qt::LeftButton;
}

void TZetLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  const bool clicked =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (clicked) Click();
}

QString LinkTarget(const QString& caption, const QString& prefix) {
  return caption.contains(QLatin1Char(':')) ? caption : prefix + caption;
}

TZetLinkLabel::TZetLinkLabel(const QString& text, QString prefix, QWidget* parent)
    : TZetLabel(text, parent), prefix_(std::move(prefix)) {
  QPalette blue = palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(blue);
}

void TZetLinkLabel::BeforeFirstPaint() {
  TZetLabel::BeforeFirstPaint();
  savedClick_ = OnClick;
  savedMouseEnter_ = OnMouseEnter;
  savedMouseLeave_ = OnMouseLeave;
  OnClick = [this](QObject* sender) { OwnClick(sender); };
  OnMouseEnter = [this](QObject* sender) { OwnEnter(sender); };
  OnMouseLeave = [this](QObject* sender) { OwnLeave(sender); };
}

void TZetLinkLabel::OwnEnter(QObject* sender) {
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
  if (savedMouseEnter_) savedMouseEnter_(sender);
}

void TZetLinkLabel::OwnLeave(QObject* sender) {
  unsetCursor();
  QFont plain = font();
  plain.setUnderline(false);
  setFont(plain);
  if (savedMouseLeave_) savedMouseLeave_(sender);
}

void TZetLinkLabel::OwnClick(QObject* sender) {
  if (OpensOnClick()) Open(LinkTarget(text(), prefix_));
  if (savedClick_) savedClick_(sender);
}

TZetUrlLabel::TZetUrlLabel(const QString& text, QWidget* parent)
    : TZetLinkLabel(text, QStringLiteral("http://"), parent) {}

TZetMailLabel::TZetMailLabel(const QString& text, QWidget* parent)
    : TZetLinkLabel(text, QStringLiteral("mailto:"), parent) {}

}  // namespace zetgallery
