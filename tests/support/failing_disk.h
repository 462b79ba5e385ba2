// Writes beyond `bytes` fail in this process as on a full disk while it lives;
// the signal the kernel sends with them is ignored, as a program must.
#pragma once

#include <signal.h>
#include <sys/resource.h>

struct FailingDisk {
    explicit FailingDisk(rlim_t bytes) : signal_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FailingDisk() { setrlimit(RLIMIT_FSIZE, &old_), signal(SIGXFSZ, signal_); }
    sighandler_t signal_;
    rlimit old_{};
};
