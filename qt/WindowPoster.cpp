#include "WindowPoster.h"

#include <QMetaObject>
#include <QObject>

Services::WindowPoster PosterFor(QObject* receiver) {
    return [receiver](Services::Delivery delivery) {
        // A call still queued when receiver goes is dropped with it.
        QMetaObject::invokeMethod(receiver, std::move(delivery), Qt::QueuedConnection);
    };
}
