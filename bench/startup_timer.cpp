// `bench_startup_timer STARTS PROGRAM PROGRAM...`: starts the programs in turn, STARTS rounds,
// and times each start from just before its process is created to the line "first frame" on its
// standard output. Each program must end by itself soon after its first frame. Prints every
// round, then the median of each program and the ratio of the first median to the last.
// Exit status 1 when a program shows no frame within 30 s, does not end, or fails.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int frameTimeoutMs = 30000;
constexpr int exitTimeoutMs = 10000;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool waitForExit(pid_t pid, int& status) {
    const double end = nowMs() + exitTimeoutMs;
    while (nowMs() < end) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return true;
        if (r < 0) return false;
        usleep(2000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

// Milliseconds from the start to the first frame; negative on a failure, which is reported.
double timeOneStart(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) return -1;
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string seen;
    double frame = -1;
    char buffer[4096];
    while (frame < 0) {
        const int left = static_cast<int>(start + frameTimeoutMs - nowMs());
        pollfd p{out[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0) break;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(n));
        if (seen.find("first frame") != std::string::npos) frame = nowMs() - start;
    }
    // Keep reading so a program that prints more never blocks on a full pipe.
    int status = 0;
    const double end = nowMs() + exitTimeoutMs;
    while (nowMs() < end) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0 && read(out[0], buffer, sizeof buffer) <= 0) break;
    }
    close(out[0]);
    const bool ended = waitForExit(pid, status);
    const std::string name = baseName(program);
    if (frame < 0) {
        std::fprintf(stderr, "%s: no first frame within %d s\n", name.c_str(),
                     frameTimeoutMs / 1000);
        return -1;
    }
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: did not end cleanly after its first frame\n", name.c_str());
        return -1;
    }
    return frame;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int starts = argc >= 4 ? std::atoi(argv[1]) : 0;
    if (starts < 1 || starts > 1000) {
        std::fprintf(stderr, "usage: bench_startup_timer STARTS PROGRAM PROGRAM...\n");
        return 2;
    }
    const std::vector<std::string> programs(argv + 2, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    for (int round = 1; round <= starts; ++round) {
        std::printf("start %2d:", round);
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const double ms = timeOneStart(programs[i]);
            if (ms < 0) return 1;
            times[i].push_back(ms);
            std::printf("  %s %.1f ms", baseName(programs[i]).c_str(), ms);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("median of %d starts:", starts);
    for (std::size_t i = 0; i < programs.size(); ++i)
        std::printf("  %s %.1f ms", baseName(programs[i]).c_str(), median(times[i]));
    std::printf("\nratio %.2f\n", median(times.front()) / median(times.back()));
    return 0;
}
