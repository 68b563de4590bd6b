// Starts the game as `nobakuza` does, prints the time from the start of the process to the
// first painted frame, and ends the program.
#include <time.h>
#include <unistd.h>

#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/main_window.h"

namespace {

// Milliseconds since this process was started, from the kernel's record of its start.
double millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && rest >> field; ++i)
        if (i == 22) startTicks = std::stoull(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
    return nobakuza::runNobakuza(argc, argv, [](nobakuza::MainWindow& window) {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        std::printf(
            "first frame after %.0f ms (process start, 10 ms resolution), "
            "%.0f ms of processor time\n",
            millisecondsSinceProcessStart(), cpu.tv_sec * 1000.0 + cpu.tv_nsec / 1e6);
        std::fflush(stdout);
        QTimer::singleShot(0, &window, [&window] { window.close(); });
    });
}
