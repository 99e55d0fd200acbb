#pragma once

#include "host/services/abort.h"

#include <functional>

namespace host {

// A control's change, enter or exit reaction. The screen sets the handler once and may detach it
// around its own writes, so a programmatic change is never taken for the operator's typing.
template <typename... Args> class BasicReaction {
public:
    using Handler = std::function<void(Args...)>;

    void Set(Handler handler) { m_handler = std::move(handler); }
    void Detach() { m_attached = false; }
    bool Attached() const { return m_attached; }
    // Runs the handler, when attached, through the guarded entry point (never throws).
    void Fire(Args... args) const {
        if (m_attached && m_handler)
            guarded([&] { m_handler(args...); });
    }
    // Runs the handler, when attached, inside an action that is already guarded: an abort
    // propagates and ends that whole action.
    void Call(Args... args) const {
        if (m_attached && m_handler)
            m_handler(args...);
    }

    // Detaches for its lifetime and restores the previous state afterwards (nesting is safe).
    class Detached {
    public:
        explicit Detached(BasicReaction& reaction)
            : m_reaction(reaction), m_wasAttached(reaction.Attached()) {
            m_reaction.Detach();
        }
        ~Detached() { m_reaction.m_attached = m_wasAttached; }
        Detached(const Detached&) = delete;
        Detached& operator=(const Detached&) = delete;

    private:
        BasicReaction& m_reaction;
        bool m_wasAttached;
    };

private:
    Handler m_handler;
    bool m_attached = true;
};

using Reaction = BasicReaction<>;

} // namespace host
