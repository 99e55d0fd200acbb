#pragma once

#include <QString>

#include <cstddef>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace host {

// Silent end of the current action: the message, if any, was already shown. Only the entry
// wrapper (guarded) catches it.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

// Shows the text as an error through the dialogs seam, then aborts the current action.
[[noreturn]] void MensErro(const QString& text);

// Aborts the current action without a message.
[[noreturn]] void Abort();

// Runs a handler called from Qt (signal, event filter, timer): an EAbort ends it silently, any
// other exception is reported as an error through the dialogs seam. Never throws.
void guarded(const std::function<void()>& handler) noexcept;

namespace detail {

template <class F, class Tuple, class Seq> struct PrefixInvocable;
template <class F, class Tuple, std::size_t... I>
struct PrefixInvocable<F, Tuple, std::index_sequence<I...>>
    : std::is_invocable<const F&, std::tuple_element_t<I, Tuple>...> {};

template <class F, class Tuple, std::size_t... I>
void InvokeWith(const F& f, Tuple&& args, std::index_sequence<I...>) {
    std::invoke(f, std::get<I>(std::forward<Tuple>(args))...);
}

// Calls the handler with as many leading signal arguments as it takes (Qt appends private
// tag arguments a handler never wants).
template <std::size_t N, class F, class Tuple> void InvokeLongestPrefix(const F& f, Tuple&& args) {
    if constexpr (PrefixInvocable<F, std::remove_reference_t<Tuple>,
                                  std::make_index_sequence<N>>::value) {
        InvokeWith(f, std::forward<Tuple>(args), std::make_index_sequence<N>{});
    } else if constexpr (N > 0) {
        InvokeLongestPrefix<N - 1>(f, std::forward<Tuple>(args));
    } else {
        static_assert(N != 0, "the handler cannot take the signal's arguments");
    }
}

} // namespace detail

// Wraps a callable for connect(): the returned slot runs it through guarded().
template <class F> auto Guard(F handler) {
    return [handler = std::move(handler)](auto&&... args) {
        guarded([&] {
            detail::InvokeLongestPrefix<sizeof...(args)>(
                handler, std::forward_as_tuple(std::forward<decltype(args)>(args)...));
        });
    };
}

} // namespace host
