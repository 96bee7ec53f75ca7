// A command posted to the main window, handled after the event that posted it.
#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace trv::app {

class CommandEvent : public QEvent {
public:
    explicit CommandEvent(int command) : QEvent(eventType()), command_(command) {}
    int command() const { return command_; }

    static QEvent::Type eventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

private:
    int command_;
};

inline void postCommand(QObject* target, int command)
{
    QCoreApplication::postEvent(target, new CommandEvent(command));
}

} // namespace trv::app
