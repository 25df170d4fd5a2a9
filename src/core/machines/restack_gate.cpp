#include "machines/restack_gate.h"

namespace swl {

RestackGate::Outcome RestackGate::Request(bool barReady) {
    if (!barReady) return Outcome::Dropped;
    if (depth_ > 0) {
        remembered_ = true;
        return Outcome::Deferred;
    }
    return Outcome::Run;
}

void RestackGate::BeginRestack() {
    remembered_ = false;
    ++depth_;
}

void RestackGate::EndRestack() {
    if (depth_ > 0) --depth_;
}

void RestackGate::BeginScroll() { ++depth_; }

bool RestackGate::EndScroll() {
    if (depth_ > 0) --depth_;
    if (depth_ > 0 || !remembered_) return false;
    remembered_ = false;
    return true;
}

}  // namespace swl
