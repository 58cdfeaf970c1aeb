#pragma once

#include <thread>

// Reads the desktop's font configuration on a thread of its own while the application connects
// to the display. Reading it (fontconfig's XML files and font list) is the largest single piece of
// any Qt window's start-up, and Qt only asks for it when the first control needs a font: by then
// it is ready, and the window's thread has not waited for it.
class FontWarmUp
{
public:
    FontWarmUp();  // starts the reading
    ~FontWarmUp(); // waits for it, if wait() was not called

    // Waits until the configuration is read. Call it before anything asks Qt for a font: two
    // threads asking at once would each read the whole configuration.
    void wait();

private:
    std::thread m_thread;
};
