// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StartupWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace {

// The one warm-up thread of the process. It belongs to this file, not to whoever started it:
// started and joined on the window's thread only, it is joined at the latest when the program
// ends.
struct WarmUpThread
{
    std::thread thread;
    ~WarmUpThread()
    {
        if (thread.joinable())
            thread.join();
    }
};

std::thread &warmUpThread()
{
    static WarmUpThread warmUp;
    return warmUp.thread;
}

} // namespace

StartupWarmUp::StartupWarmUp(void (*andThen)())
{
    std::thread &thread = warmUpThread();
    if (thread.joinable())
        return;
    try {
        thread = std::thread([andThen] {
            FcInit();
            if (andThen)
                andThen();
        });
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration, and the rest is done, when first
        // needed.
    }
}

StartupWarmUp::~StartupWarmUp()
{
    wait();
}

void StartupWarmUp::wait()
{
    std::thread &thread = warmUpThread();
    if (thread.joinable())
        thread.join();
}
