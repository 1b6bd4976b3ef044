#pragma once

#include "core/message_ids.h"

#include <QEvent>
#include <QtGlobal>

// One of the program's own window messages with its two parameters; post it
// with QCoreApplication::postEvent, or deliver it at once with sendEvent.
class MessageEvent : public QEvent {
public:
    explicit MessageEvent(MessageId id, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(MessageEventType(id)), id_(id), wParam_(wParam), lParam_(lParam)
    {
    }

    MessageId Id() const { return id_; }
    qintptr WParam() const { return wParam_; }
    qintptr LParam() const { return lParam_; }

    // The message carried by an event, or 0 when the event is not one of ours.
    static int IdOf(const QEvent* event)
    {
        const int type = static_cast<int>(event->type()) - static_cast<int>(QEvent::User);
        return type > 0 && type < 0x10000 ? type : 0;
    }

private:
    MessageId id_;
    qintptr wParam_;
    qintptr lParam_;
};
