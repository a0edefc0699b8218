#pragma once

#include <functional>

class TMainForm;

// The program from start to end: the application, every window, the loop. `started` runs once
// the start window is first on screen (the start-up benchmark uses it).
int runTessaly(int argc, char* argv[], const std::function<void(TMainForm*)>& started = {});
