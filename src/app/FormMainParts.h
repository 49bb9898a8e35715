// FormMainParts: helpers shared by the files that build the window's tabs.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <utility>

namespace zetgallery {

namespace FormMainParts {

// A new control of kind T named `name`, the name the rest of the program knows it by.
template <typename T, typename... Args>
T* Named(const char* name, Args&&... args) {
  T* control = new T(std::forward<Args>(args)...);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

inline QLabel* NamedLabel(const char* name, const char* text) {
  return Named<QLabel>(name, QString::fromUtf8(text));
}

inline QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Chains the keyboard order of `controls` in the order given.
inline void ChainTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace FormMainParts

}  // namespace zetgallery
