#pragma once

#include <QString>

// A description file is opened and rendered by the helper program varmi-pdf, beside the
// executable, never inside the program: a hostile file can only use up the helper's limited time
// and memory, and the helper is killed when the viewer no longer waits for it.
namespace descriptions {
inline constexpr const char* kPageHelperName = "varmi-pdf";
inline constexpr int kMaxPages = 50;             // pages shown of one description
inline constexpr qint64 kMaxPixels = 48'000'000; // all its pages together
inline constexpr int kMaxPageAspect = 3;         // a page is at most 3 widths high
inline constexpr int kMaxPageWidth = 2400;       // pixels
inline constexpr qint64 kMaxTextBytes = 64 * 1024;
// The helper's limits: address space, processor time, and the wait of the viewer.
inline constexpr unsigned long long kHelperMemoryBytes = 512ULL << 20;
inline constexpr int kHelperCpuSeconds = 5;
inline constexpr int kHelperWaitMilliseconds = 10'000;

// Page i (from 0) in the helper's output directory: its picture and its text.
inline QString PageImageName(int i) {
    return QString::asprintf("%03d.png", i);
}
inline QString PageTextName(int i) {
    return QString::asprintf("%03d.txt", i);
}

} // namespace descriptions
