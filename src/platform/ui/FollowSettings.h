#pragma once
// Keeps an open window in step with a store that tells its listeners of
// every write on the writing thread (the settings file: hand the result to
// frame::AddSettingsListener). Each key and value (GBK) reaches `handler`
// on the GUI thread, for as long as `receiver` lives.
#include <QApplication>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "platform/ui/qt_bridge.h"

namespace platform {

template <class T>
std::function<void(const std::string& key, const std::string& value)> FollowOnGuiThread(
    T* receiver, void (T::*handler)(const QString& key, const QString& value)) {
  return [self = QPointer<T>(receiver), handler](const std::string& k, const std::string& v) {
    QString key = Q(k), value = Q(v);
    QMetaObject::invokeMethod(
        qApp,
        [self, handler, key, value] {
          if (self) (self.data()->*handler)(key, value);
        },
        Qt::QueuedConnection);
  };
}

}  // namespace platform
