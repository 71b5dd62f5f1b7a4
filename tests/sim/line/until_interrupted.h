#pragma once
// For the simulator programs run by hand: they serve their line until their
// standard input ends or they are interrupted.

namespace sim {

// Blocks SIGINT and SIGTERM for the calling thread and the threads it starts
// from now on, so that they can be waited for; call before the line starts.
// Returns a descriptor that becomes readable when one arrives.
int BlockInterrupts();

// Waits until standard input ends or the descriptor of BlockInterrupts
// becomes readable.
void WaitUntilInterrupted(int interruptFd);

}  // namespace sim
