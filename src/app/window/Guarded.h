#pragma once

#include "window/LetterWindow.h"

#include <QObject>

#include <type_traits>

namespace quillory::app {

/**
 * Connects signal to handler, which runs inside window's guard: a failure is
 * reported there and never crosses the event loop. handler takes the
 * signal's arguments or none; the connection ends with context.
 */
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(LetterWindow& window, Sender* sender, Signal signal,
                                       const QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [&window, handler](auto&&... arguments) {
        window.runGuarded([&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>)
                handler(arguments...);
            else
                handler();
        });
    });
}

} // namespace quillory::app
