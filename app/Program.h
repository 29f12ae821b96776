#pragma once

#include <functional>

class ProgramWindows;

// The whole program: process set-up, the palette's start-up, the event loop.
// `started` runs once the start-up sequence is over, before the event loop;
// only measurements use it.
int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& started = {});
