#include "resources/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace {

std::thread *running = nullptr;

} // namespace

FontWarmUp::FontWarmUp()
{
    if (running)
        return;
    try {
        m_thread = std::thread([] { FcInit(); });
        running = &m_thread;
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration itself when it needs it.
    }
}

FontWarmUp::~FontWarmUp()
{
    if (running == &m_thread)
        wait();
}

void FontWarmUp::wait()
{
    if (!running)
        return;
    running->join();
    running = nullptr;
}
