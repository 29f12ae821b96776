#pragma once

#include <functional>

class ProgramWindows;

// The whole program: process set-up, the palette's start-up, the event loop.
// `started` runs once the palette is shown, before the event loop and so
// before the palette's first paint, which the start-up sequence's last step
// follows; only measurements use it.
int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& started = {});
