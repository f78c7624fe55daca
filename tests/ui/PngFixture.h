#pragma once
#include <string>

#include "InstallDir.h"

// The start of a PNG file of the given size: enough for the simulated machine's decoder,
// which reads only the header.
inline std::string PngOfSize(int width, int height) {
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\x0D", 4) + "IHDR";
    for (int value : {width, height}) {
        for (int shift : {24, 16, 8, 0}) png += static_cast<char>((value >> shift) & 0xFF);
    }
    png += std::string("\x08\x06\0\0\0", 5);
    return png;
}
