#include "FirstLoad.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SettingsReader.h"

namespace bench {

namespace {

const char kFirstLoadArgument[] = "--first_load";

// Minor page faults of this process so far.
long PageFaultsSoFar()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

}  // namespace

FirstLoadResult RunFirstLoad(const char* reader, const std::string& path)
{
    FirstLoadResult result{false, 0.0, 0};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return result;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl("/proc/self/exe", "ini_bench", kFirstLoadArgument, reader, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    char report[128] = {};
    std::size_t length = 0;
    for (ssize_t got; length + 1 < sizeof report && (got = read(pipeEnds[0], report + length, sizeof report - 1 - length)) > 0;)
        length += static_cast<std::size_t>(got);
    close(pipeEnds[0]);
    int status = 0;
    const bool exited = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.loaded = exited && std::sscanf(report, "%lf %ld", &result.seconds, &result.pageFaults) == 2;
    return result;
}

void ServeFirstLoadIfAsked(int argc, char** argv)
{
    if (argc != 4 || std::strcmp(argv[1], kFirstLoadArgument) != 0)
        return;
    const ReaderKind* reader = FindReader(argv[2]);
    if (reader == nullptr)
        std::_Exit(2);
    using Clock = std::chrono::steady_clock;
    const long faultsBefore = PageFaultsSoFar();
    const Clock::time_point start = Clock::now();
    const std::unique_ptr<SettingsReader> settings = reader->make();
    const bool loaded = settings->Load(argv[3]);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long faults = PageFaultsSoFar() - faultsBefore;
    if (!loaded)
        std::_Exit(1);
    std::printf("%.9f %ld\n", seconds, faults);
    std::fflush(stdout);
    // The process ends without destroying the document, as the timing is done.
    std::_Exit(0);
}

}  // namespace bench
