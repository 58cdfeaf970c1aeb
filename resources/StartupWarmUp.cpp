// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StartupWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace {

std::thread *running = nullptr;

} // namespace

StartupWarmUp::StartupWarmUp(void (*andThen)())
{
    if (running)
        return;
    try {
        m_thread = std::thread([andThen] {
            FcInit();
            if (andThen)
                andThen();
        });
        running = &m_thread;
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration, and the rest is done, when first
        // needed.
    }
}

StartupWarmUp::~StartupWarmUp()
{
    if (running == &m_thread)
        wait();
}

void StartupWarmUp::wait()
{
    if (!running)
        return;
    running->join();
    running = nullptr;
}
