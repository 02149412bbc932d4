#include "presentation/firstpaintmark.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long peakResidentKiB()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            kib = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kib;
}

} // namespace

void markFirstPaint()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const char *on = std::getenv("TIVREL_FIRST_PAINT_MARK");
    if (!on || std::strcmp(on, "1") != 0)
        return;
    const auto wall = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const double cpuMs = double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
    std::fprintf(stderr, "tivrel first paint: realtime_ns=%lld cpu_ms=%.1f peak_kib=%ld\n",
                 static_cast<long long>(wall.count()), cpuMs, peakResidentKiB());
    std::fflush(stderr);
}
