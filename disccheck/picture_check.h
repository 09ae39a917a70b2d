// Pictures of the menu decoded with the menu's own decoders (PNG when the
// probe finds its signature, else BMP), and button strips whose height must
// divide into their frames.
#pragma once
#include <string>

#include "findings.h"

namespace disccheck {

// path: the picture's full path; name: as the report shows it. frames: the
// frames a button cuts the picture into, 0 for a whole picture. A missing
// file is left to the reference checks.
void checkPicture(const std::string& path, const std::string& name, int frames, const std::string& file,
                  int line, Findings& out);

// While one of these lives, a picture checked again (same path, name and
// frames) is not decoded again: its findings are repeated at the new place.
// A disc names the same picture from many entries, and each decode costs
// milliseconds under Wine. Not nestable.
class PictureResults {
public:
    PictureResults();
    ~PictureResults();
    PictureResults(const PictureResults&) = delete;
    PictureResults& operator=(const PictureResults&) = delete;
};

}  // namespace disccheck
