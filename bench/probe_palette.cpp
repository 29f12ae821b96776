// The program itself, reporting when its palette has first been painted.
#include "app/Program.h"
#include "bench/PaintProbe.h"
#include "forms/Form1.h"
#include "forms/ProgramWindows.h"

int main(int argc, char* argv[])
{
    return runProgram(argc, argv,
                      [](ProgramWindows& windows) { exitOnFirstPaint(windows.palette()); });
}
