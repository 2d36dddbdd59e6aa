#pragma once
// What each backend supplies to the window layer's shared code.
namespace platform::backend {

// Hides every window of the program and leaves the event loop.
void end_program();

}  // namespace platform::backend
