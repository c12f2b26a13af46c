// sonalyx-cli bench: the benchmark's kernels timed for some seconds, as the dialog's timer does.
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"
#include "utilities/Benchmark.h"

#include <chrono>
#include <thread>

SONALYX_CLI_COMMAND("bench", "bench [--seconds S (3)]   time the DFT, FFT and FIR kernels", args,
                    ctx) {
    double seconds = 3.0;
    if (args.Has("seconds")) {
        const auto s = CliNumber(args, "seconds", ctx);
        if (!s) return 2;
        if (!(*s > 0.0)) {
            ctx.err << "--seconds must be positive\n";
            return 2;
        }
        seconds = *s;
    }
    auto doc = MakeCliDocument(ctx);
    CBenchmark bench(*doc);
    bench.Start();
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto period = std::chrono::milliseconds(CBenchmark::kTimerMs);
    auto next = start;
    while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
        std::this_thread::sleep_until(next);
        next += period;
        if (!bench.Tick()) return 1;
    }
    bench.Stop();
    for (const auto& [label, time] : bench.TimeLines()) ctx.out << label << " " << time << "\n";
    ctx.out << CBenchmark::VerdictText(bench.Verdict()) << "\n";
    return 0;
}
