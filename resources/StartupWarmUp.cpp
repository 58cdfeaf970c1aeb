#include "resources/StartupWarmUp.h"

#include "resources/Pictures.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace {

std::thread *running = nullptr;

} // namespace

StartupWarmUp::StartupWarmUp()
{
    if (running)
        return;
    try {
        m_thread = std::thread([] {
            FcInit();
            Pictures::decodeAhead();
        });
        running = &m_thread;
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration and the pictures are decoded when
        // they are first needed.
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
