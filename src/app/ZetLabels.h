// ZetLabels: the About tab's labels. TZetLabel reports the mouse entering and leaving it and
// calls BeforeFirstPaint once, right before it is first drawn, when everything assigned to it at
// set-up is in place. TZetUrlLabel and TZetMailLabel use that moment to put their own link
// behaviour (underline and hand cursor while hovered, opening on a click) in front of the
// handlers they were given.
#pragma once

#include <QLabel>
#include <QString>
#include <functional>

namespace zetgallery {

// A handler bound to a label event; receives the label as sender. May be empty.
using TNotifyEvent = std::function<void(QObject* sender)>;

class TZetLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TZetLabel(const QString& text = QString(), QWidget* parent = nullptr);

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Opens a link target with the desktop's default handler; replaceable (tests, other desktops).
  using TOpener = std::function<void(const QString& target)>;
  void SetOpener(TOpener opener) { opener_ = std::move(opener); }

  bool FirstPaintPending() const { return firstPaintPending_; }

  // What the mouse does, callable without a real mouse.
  void MouseEnter();
  void MouseLeave();
  void Click();

 protected:
  // Runs once, before the first paint. Empty here.
  virtual void BeforeFirstPaint() {}
  void Open(const QString& target) const;

  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool firstPaintPending_ = true;
  bool pressed_ = false;
  TOpener opener_;
};

// The target a link label opens for its caption: the caption itself when it holds a ":",
// otherwise `prefix` followed by the caption.
QString LinkTarget(const QString& caption, const QString& prefix);

// Shared link behaviour of the two link labels.
class TZetLinkLabel : public TZetLabel {
  Q_OBJECT
 public:
  TZetLinkLabel(const QString& text, QString prefix, QWidget* parent);

 protected:
  void BeforeFirstPaint() override;
  virtual bool OpensOnClick() const = 0;

 private:
  void OwnEnter(QObject* sender);
  void OwnLeave(QObject* sender);
  void OwnClick(QObject* sender);

  QString prefix_;
  TNotifyEvent savedClick_;
  TNotifyEvent savedMouseEnter_;
  TNotifyEvent savedMouseLeave_;
};

// A web link: opens its caption, "http://" put in front when it has no ":".
class TZetUrlLabel : public TZetLinkLabel {
  Q_OBJECT
 public:
  explicit TZetUrlLabel(const QString& text = QString(), QWidget* parent = nullptr);
  bool GoToUrlOnClick = true;

 protected:
  bool OpensOnClick() const override { return GoToUrlOnClick; }
};

// An e-mail link: opens its caption, "mailto:" put in front when it has no ":".
class TZetMailLabel : public TZetLinkLabel {
  Q_OBJECT
 public:
  explicit TZetMailLabel(const QString& text = QString(), QWidget* parent = nullptr);
  bool MailOnClick = true;

 protected:
  bool OpensOnClick() const override { return MailOnClick; }
};

}  // namespace zetgallery
