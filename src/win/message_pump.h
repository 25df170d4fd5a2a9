// Dispatching the main thread's pending messages from inside a handler.
#pragma once

namespace swl {

// Dispatches every pending message of this thread; a WM_QUIT found on the
// way is posted again and left for the main loop.
void ProcessPendingMessages();

}  // namespace swl
