#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// The one place where an engine error ends: the operation stops and its text is shown in an
// error box, as the program reports every failure of a table, a file or a printer. No
// exception may travel on into Qt's signal or event machinery.
//
// Returns whether the operation completed.
bool reportErrors(QWidget* parent, const std::function<void()>& operation);

namespace ErrorBoundary {

namespace detail {

template <typename F, typename Tuple, std::size_t... I>
constexpr bool invocableWith(std::index_sequence<I...>)
{
    return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>...>;
}

template <typename Tuple, std::size_t... I>
auto takeLeading(Tuple& arguments, std::index_sequence<I...>)
{
    return std::forward_as_tuple(std::get<I>(arguments)...);
}

// Calls `f` with as many of the signal's leading arguments as it takes, as Qt's own
// connections do.
template <std::size_t N, typename F, typename Tuple> void callWithLeading(F& f, Tuple& arguments)
{
    if constexpr (invocableWith<F, Tuple>(std::make_index_sequence<N>{})) {
        std::apply(
            [&f](auto&&... leading) {
                std::invoke(f, std::forward<decltype(leading)>(leading)...);
            },
            takeLeading(arguments, std::make_index_sequence<N>{}));
    } else {
        static_assert(N > 0, "the handler takes none of the signal's arguments");
        if constexpr (N > 0)
            callWithLeading<N - 1>(f, arguments);
    }
}

template <typename Window, typename Handler, typename... Args>
void invoke(Window* window, Handler& handler, Args&... args)
{
    auto arguments = std::forward_as_tuple(args...);
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        auto bound = [window, &handler](auto&&... leading)
            -> decltype(std::invoke(handler, window, std::forward<decltype(leading)>(leading)...)) {
            return std::invoke(handler, window, std::forward<decltype(leading)>(leading)...);
        };
        callWithLeading<sizeof...(Args)>(bound, arguments);
    } else {
        callWithLeading<sizeof...(Args)>(handler, arguments);
    }
}

} // namespace detail

// Connects `signal` to `handler` (a member function of `window`, or a callable) so that an
// error thrown by the handler is reported in a box over `window`. The handler may take the
// signal's arguments or none.
template <typename Sender, typename SignalClass, typename... Args, typename Window,
          typename Handler>
QMetaObject::Connection connect(Sender* sender, void (SignalClass::*signal)(Args...),
                                Window* window, Handler handler)
{
    static_assert(std::is_base_of_v<QWidget, Window>, "errors are shown over a window");
    return QObject::connect(sender, signal, window, [window, handler](Args... args) mutable {
        reportErrors(window, [&] { detail::invoke(window, handler, args...); });
    });
}

} // namespace ErrorBoundary
