// The real program, ending as soon as its start window is on screen: for the start-up
// benchmark, which times this against a minimal Qt Widgets program.

#include "ProgramMain.h"
#include "TMainForm.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    return runTessaly(argc, argv, [](TMainForm*) {
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
