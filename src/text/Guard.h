#pragma once

#include "text/OperationError.h"
#include "text/Prompt.h"

#include <QObject>

#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// The general error handler: an OperationError (or any other exception) that ends a user action
// is shown as an error and the program goes on with the next event. Every place where Qt hands
// control to our code goes through runGuarded, so no exception ever unwinds through Qt.

// Runs f; returns false when it ended with an exception, which has then been shown.
template <typename F>
bool runGuarded(Prompt &prompt, F &&f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const OperationError &e) {
        prompt.error(e.message());
    } catch (const std::exception &e) {
        prompt.error(QString::fromUtf8(e.what()));
    } catch (...) {
        prompt.error(QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

namespace GuardDetail {
template <typename F, typename Tuple, std::size_t... I>
void invokeFirst(F &f, Tuple &&args, std::index_sequence<I...>);

// Calls f with the longest prefix of args it accepts (as Qt does for slots with fewer arguments).
template <typename F, typename... Args>
void invokePrefix(F &f, Args &&...args)
{
    if constexpr (std::is_invocable_v<F &, Args...>) {
        std::invoke(f, std::forward<Args>(args)...);
    } else {
        static_assert(sizeof...(Args) > 0, "handler cannot be called with the signal's arguments");
        if constexpr (sizeof...(Args) > 0)
            invokeFirst(f, std::forward_as_tuple(std::forward<Args>(args)...),
                        std::make_index_sequence<sizeof...(Args) - 1>{});
    }
}

template <typename F, typename Tuple, std::size_t... I>
void invokeFirst(F &f, Tuple &&args, std::index_sequence<I...>)
{
    invokePrefix(f, std::get<I>(std::forward<Tuple>(args))...);
}
} // namespace GuardDetail

// connect() whose handler runs inside runGuarded. handler is a member function of receiver or a
// callable; it may take fewer arguments than the signal carries.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(Prompt &prompt, Sender *sender, Signal signal, Receiver *receiver,
                                       Handler handler)
{
    return QObject::connect(sender, signal, receiver, [&prompt, receiver, handler](const auto &...args) -> void {
        runGuarded(prompt, [&] {
            if constexpr (std::is_member_function_pointer_v<Handler>) {
                auto bound = [&](auto &&...a) -> decltype((receiver->*handler)(std::forward<decltype(a)>(a)...)) {
                    return (receiver->*handler)(std::forward<decltype(a)>(a)...);
                };
                GuardDetail::invokePrefix(bound, args...);
            } else {
                auto f = handler;
                GuardDetail::invokePrefix(f, args...);
            }
        });
    });
}
