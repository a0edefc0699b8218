// Times the start of the program to its start window on screen, and its peak memory, next to
// a minimal Qt Widgets program that shows one window, over several runs in the same session.
//
//   bench_startup PROGRAM BASELINE [RUNS]
//
// The programs print "shown" once their window is up; the time runs from before the process
// is created to that line, and the peak memory is the child's largest resident size.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample {
    double milliseconds = 0;
    long peakKilobytes = 0;
};

Sample runOnce(const char* program)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        execl(program, program, static_cast<char*>(nullptr));
        std::perror("exec");
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    Sample sample;
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, std::size_t(got));
        if (output.find("shown") != std::string::npos && sample.milliseconds == 0) {
            sample.milliseconds =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
        }
    }
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (sample.milliseconds == 0) {
        std::fprintf(stderr, "%s never showed its window\n", program);
        std::exit(1);
    }
    sample.peakKilobytes = usage.ru_maxrss;
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM BASELINE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    std::vector<double> programTimes, baselineTimes, programMemory, baselineMemory;
    runOnce(argv[1]); // warm the file cache for both
    runOnce(argv[2]);
    for (int run = 0; run < runs; ++run) {
        const Sample program = runOnce(argv[1]);
        const Sample baseline = runOnce(argv[2]);
        programTimes.push_back(program.milliseconds);
        baselineTimes.push_back(baseline.milliseconds);
        programMemory.push_back(double(program.peakKilobytes));
        baselineMemory.push_back(double(baseline.peakKilobytes));
    }
    const double time = median(programTimes), baseTime = median(baselineTimes);
    const double memory = median(programMemory), baseMemory = median(baselineMemory);
    std::printf("Start-up to the first window (median of %d runs)\n", runs);
    std::printf("%-22s %12s %14s\n", "", "time ms", "peak memory KB");
    std::printf("%-22s %12.1f %14.0f\n", "Tessaly 4", time, memory);
    std::printf("%-22s %12.1f %14.0f\n", "minimal Qt program", baseTime, baseMemory);
    std::printf("%-22s %12.2f %14.2f\n", "ratio", time / baseTime, memory / baseMemory);
    return 0;
}
