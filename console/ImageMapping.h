// The named page-file buffers a print in memory mode hands the library: the
// image file's bytes, unchanged, under a name the print record carries.
#pragma once

#include <windows.h>

#include <string>

struct ImageMapping {
    HANDLE mapping = nullptr;  // none when no buffer could be made
    std::string error;         // set when the image file could not be read
};

// A file too large for one view, empty, or shorter than it said gets no
// buffer (the print goes out with the name anyway). The buffer is never
// closed: the library may open it by name at any time, and a re-send
// submits the same name again.
ImageMapping CreateImageMapping(const std::string& bufferName, const std::string& imagePath);
