#pragma once

#include <utility>

namespace daywick {

/// Runs an action when the scope ends, by a return or by an exception: for the clean-ups that must happen on
/// every way out (a splash to release, a print job to mark ended).
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};

}  // namespace daywick
