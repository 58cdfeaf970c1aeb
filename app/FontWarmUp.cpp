#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontWarmUp::FontWarmUp()
{
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration itself when it needs it.
    }
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
