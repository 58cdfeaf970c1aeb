#pragma once

#include <QString>

// The rate correct as the window and the history show it: ok / count as a percentage with one
// decimal and a trailing "%", e.g. "66.7%", "100.0%", "0.0%". count must be at least 1.
QString rateText(int ok, int count);
