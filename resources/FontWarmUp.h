#pragma once

#include <thread>

// Reads the desktop's font configuration on a thread of its own while the application connects
// to the display. Reading it (fontconfig's XML files and font list) is the largest single piece of
// any Qt window's start-up, and Qt only asks for it when the first control needs a font: by then
// it is ready, and the window's thread has not waited for it.
//
// Made once, on the window's thread, before QApplication; japaneseFont() waits for it before it
// first asks Qt for a font (two threads asking at once would each read the whole configuration).
class FontWarmUp
{
public:
    FontWarmUp();  // starts the reading
    ~FontWarmUp(); // waits for it

    // Waits until the reading in progress, if any, is over. Window's thread only.
    static void wait();

private:
    std::thread m_thread;
};
