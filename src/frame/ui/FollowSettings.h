#pragma once
// Keeps an open window in step with the settings file: every successful
// WriteSetting (from any thread) reaches `handler` on the GUI thread, for
// as long as `receiver` lives. Returns the listener's id for
// RemoveSettingsListener.
#include <QApplication>
#include <QPointer>
#include <QString>

#include "frame/settings.h"
#include "platform/ui/qt_bridge.h"

namespace frame {

template <class T>
int FollowSettings(T* receiver, void (T::*handler)(const QString& key, const QString& value)) {
  return AddSettingsListener(
      [self = QPointer<T>(receiver), handler](const std::string& k, const std::string& v) {
        QString key = platform::Q(k), value = platform::Q(v);
        QMetaObject::invokeMethod(
            qApp,
            [self, handler, key, value] {
              if (self) (self.data()->*handler)(key, value);
            },
            Qt::QueuedConnection);
      });
}

}  // namespace frame
