#pragma once

#include <thread>

// Prepares what the window needs first on a thread of its own, while QApplication loads the
// platform plugin and connects to the display (some 18 ms in which the window's thread mostly
// waits for the X server): it reads the desktop's font configuration (fontconfig's XML files and
// font list, the largest single piece of any Qt window's start-up) and decodes the window's
// pictures. By the time the controls are made both are ready.
//
// Made once, on the window's thread, before QApplication. japaneseFont() and Pictures wait for it
// before they first use what it prepares; two threads asking fontconfig at once would each read
// the whole configuration.
class StartupWarmUp
{
public:
    StartupWarmUp();  // starts the work
    ~StartupWarmUp(); // waits for it

    // Waits until the work in progress, if any, is over. Window's thread only.
    static void wait();

private:
    std::thread m_thread;
};
