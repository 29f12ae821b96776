// The program itself, reporting when its palette has first been painted or,
// with "--page", when the service browser's page has.
#include "app/Program.h"
#include "bench/PaintProbe.h"
#include "forms/Form1.h"
#include "forms/ProgramWindows.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    return runProgram(argc, argv, [](ProgramWindows& windows) {
        if (QCoreApplication::arguments().contains(QStringLiteral("--page")))
            exitOnPagePainted(QStringLiteral("brwWebBrowser"));
        else
            exitOnFirstPaint(windows.palette());
    });
}
