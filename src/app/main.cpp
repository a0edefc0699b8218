#include "ProgramMain.h"

int main(int argc, char* argv[])
{
    return runTessaly(argc, argv);
}
