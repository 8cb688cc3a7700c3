#pragma once
// Process-wide state.
//
// Each subsystem keeps its state in one struct of its own and reaches it through lasting<State>().
// The state is made on first use and never destroyed: detached toolkit threads (the auto-update
// loop, a program still waiting for a key, an event handler) use it until the process leaves with
// _exit, so no destructor may run underneath them.
namespace base {

template <typename State> State& lasting() {
    static State& state = *new State;
    return state;
}

} // namespace base
