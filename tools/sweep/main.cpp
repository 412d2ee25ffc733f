// Makes and checks every problem the program can show: for each of the 40 cases, the problem
// of every millisecond of the day (or of every stride-th one), on every core.
//
//   shulin-sweep [--stride N] [--threads N]
//
// Prints the progress on stderr and a table per case on stdout; exits with 1 when any problem
// breaks a rule or a loop does not end, 2 on bad arguments.

#include "sweep.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace shulin::sweep;

namespace {

constexpr std::int32_t kBlock = 1 << 20; // milliseconds of one job

struct Options {
    std::int32_t stride = 1;
    unsigned threads = std::max(1U, std::thread::hardware_concurrency());
};

[[noreturn]] void Usage()
{
    std::fprintf(stderr, "usage: shulin-sweep [--stride N] [--threads N]\n"
                         "  --stride N   check every N-th millisecond of the day only (1 to %d; default 1, all)\n"
                         "  --threads N  worker threads (default: one per core)\n",
        kDayMilliseconds);
    std::exit(2);
}

long Number(const char* text, long low, long high)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high)
        Usage();
    return value;
}

Options Parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            Usage();
        if (arg == "--stride")
            options.stride = static_cast<std::int32_t>(Number(argv[++i], 1, kDayMilliseconds));
        else if (arg == "--threads")
            options.threads = static_cast<unsigned>(Number(argv[++i], 1, 1024));
        else
            Usage();
    }
    return options;
}

std::string Duration(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ldh%02ldm%02lds", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ldm%02lds", s / 60, s % 60);
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options = Parse(argc, argv);
    const std::vector<SweepCase> cases = AllCases();

    struct Job {
        std::size_t caseIndex;
        std::int32_t begin, end;
    };
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (std::int32_t begin = 0; begin < kDayMilliseconds; begin += std::min(kBlock, kDayMilliseconds - begin))
            jobs.push_back({i, begin, std::min(begin + kBlock, kDayMilliseconds)});
    }
    const std::int64_t perCase = (kDayMilliseconds - 1) / options.stride + 1;
    const std::int64_t total = perCase * static_cast<std::int64_t>(cases.size());

    std::vector<CaseResult> results(cases.size());
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<std::size_t> nextJob{0};
    std::atomic<std::int64_t> done{0};
    std::atomic<std::int64_t> violations{0};
    unsigned running = options.threads;

    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < options.threads; ++t) {
        workers.emplace_back([&] {
            for (std::size_t j = nextJob++; j < jobs.size(); j = nextJob++) {
                const Job& job = jobs[j];
                const CaseResult part = SweepRange(cases[job.caseIndex], job.begin, job.end, options.stride);
                done += part.problems;
                violations += part.violations;
                const std::lock_guard lock(mutex);
                results[job.caseIndex].Merge(part);
            }
            const std::lock_guard lock(mutex);
            if (--running == 0)
                finished.notify_all();
        });
    }

    // Progress: a line rewritten in place on a terminal, a new line every tenth otherwise.
    const bool terminal = isatty(STDERR_FILENO) == 1;
    std::fprintf(stderr, "sweep: %lld problems (%zu cases, stride %d ms), %u threads\n",
        static_cast<long long>(total), cases.size(), options.stride, options.threads);
    int reportedTenths = 0;
    for (bool over = false; !over;) {
        {
            std::unique_lock lock(mutex);
            over = finished.wait_for(lock, std::chrono::milliseconds(terminal ? 500 : 1000), [&] { return running == 0; });
        }
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double share = static_cast<double>(done) / static_cast<double>(total);
        const int tenths = static_cast<int>(share * 10);
        if (!terminal && tenths <= reportedTenths && !over)
            continue;
        reportedTenths = tenths;
        const std::string left = share > 0 ? Duration(elapsed / share - elapsed) : std::string("?");
        std::fprintf(stderr, "%ssweep: %5.1f%%, %lld violations, %s elapsed, about %s left%s", terminal ? "\r" : "",
            share * 100, static_cast<long long>(violations.load()), Duration(elapsed).c_str(), left.c_str(),
            terminal ? "   " : "\n");
    }
    if (terminal)
        std::fprintf(stderr, "\n");
    for (std::thread& worker : workers)
        worker.join();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%-24s %12s %10s %14s %14s %10s\n", "case", "problems", "violations", "largest draws", "at ms",
        "mean draws");
    CaseResult all;
    std::size_t worst = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CaseResult& r = results[i];
        std::printf("%-24s %12lld %10lld %14d %14d %10.3f\n", CaseName(cases[i]).c_str(),
            static_cast<long long>(r.problems), static_cast<long long>(r.violations), r.maxDraws, r.maxDrawsAt,
            static_cast<double>(r.totalDraws) / static_cast<double>(std::max<std::int64_t>(r.problems, 1)));
        if (r.maxDraws > results[worst].maxDraws)
            worst = i;
        all.Merge(r);
    }
    std::printf("all %zu cases: %lld problems, %lld violations, largest draws %d (%s at ms %d); %s with %u threads\n",
        cases.size(), static_cast<long long>(all.problems), static_cast<long long>(all.violations),
        results[worst].maxDraws, CaseName(cases[worst]).c_str(), results[worst].maxDrawsAt, Duration(elapsed).c_str(),
        options.threads);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (results[i].violations > 0)
            std::printf("VIOLATION %s at ms %d: %s\n", CaseName(cases[i]).c_str(), results[i].firstViolationAt,
                results[i].firstViolation.c_str());
    }
    return all.violations == 0 && all.problems == total ? 0 : 1;
}
