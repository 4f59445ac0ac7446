#include "process/ChildLimits.h"

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LEAFLOW_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LEAFLOW_ASAN 1
#endif

namespace ChildLimits {

namespace {

// Only ever lowers a bound: one the parent itself runs under stays in force.
void lower(__rlimit_resource resource, rlim_t soft, rlim_t hard)
{
    rlimit current{};
    getrlimit(resource, &current);
    const rlimit bound{std::min(soft, current.rlim_cur), std::min(hard, current.rlim_max)};
    setrlimit(resource, &bound);
}

struct Bound {
    rlim_t memory;
    rlim_t cpu;
    rlim_t cpuHard;
};

Bound boundOf(const Bounds& bounds)
{
    const rlim_t memory = boundsMemory() && bounds.memoryBytes > 0
                              ? static_cast<rlim_t>(bounds.memoryBytes)
                              : RLIM_INFINITY;
    // The soft bound sends SIGXCPU, which the parent tells apart; the hard one kills.
    const rlim_t cpu = bounds.cpuSeconds > 0 ? static_cast<rlim_t>(bounds.cpuSeconds)
                                             : RLIM_INFINITY;
    return {memory, cpu, bounds.cpuSeconds > 0 ? cpu + 5 : RLIM_INFINITY};
}

void hold(const Bound& bound)
{
    lower(RLIMIT_AS, bound.memory, bound.memory);
    lower(RLIMIT_CPU, bound.cpu, bound.cpuHard);
}

} // namespace

bool boundsMemory()
{
#ifdef LEAFLOW_ASAN
    return false;
#else
    return true;
#endif
}

std::function<void()> modifier(const Bounds& bounds)
{
    const Bound bound = boundOf(bounds);
    const pid_t parent = getpid();
    // Runs in the child between fork and exec: async-signal-safe calls only, nothing allocated.
    return [bound, parent] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127); // the parent died before the line above took effect
        }
        lower(RLIMIT_CORE, 0, 0);
        hold(bound);
    };
}

void holdTo(const Bounds& bounds)
{
    hold(boundOf(bounds));
}

} // namespace ChildLimits
