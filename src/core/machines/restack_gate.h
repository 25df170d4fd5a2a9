// The explorer bar's guard against re-stacking inside itself. Moving the
// groups while re-stacking or scrolling makes the groups ask for another
// re-stacking; those requests are remembered instead of run, and a scroll
// that ends runs one of them. Single-threaded (the bar's window thread).
//
// Use:
//   if (gate.Request(barReady) == RestackGate::Outcome::Run) {
//       gate.BeginRestack(); ...move the groups...; gate.EndRestack();
//   }
//   gate.BeginScroll(); ...scroll...; if (gate.EndScroll()) re-stack as above;
#pragma once

namespace swl {

class RestackGate {
public:
    enum class Outcome {
        Run,       // re-stack now
        Deferred,  // remembered until a scroll ends
        Dropped,   // the bar has no window yet, or is loading or being destroyed
    };

    Outcome Request(bool barReady);

    // Brackets one re-stacking. Beginning it serves any remembered request.
    void BeginRestack();
    void EndRestack();

    // Brackets one scroll. EndScroll answers whether a remembered request
    // should run now: only when no re-stacking or scroll is left open.
    void BeginScroll();
    bool EndScroll();

    bool Busy() const { return depth_ > 0; }
    bool HasRemembered() const { return remembered_; }

private:
    int depth_ = 0;
    bool remembered_ = false;
};

}  // namespace swl
