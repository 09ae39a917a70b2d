// The frame's caption: the document's name, the code mark and the program name.
#pragma once
#include <string>

namespace viewer {

struct CaptionParts {
    std::string folder;    // document folder (empty for a UNC name)
    std::string fileName;  // file name, or the whole UNC name
    bool hasName = false;
    bool newFile = false;
    int code = 1;          // loaded code: 1 SJIS, 2 Unicode, 3 EUC, 4 JIS
    bool fullPath = true;  // fullPathInCaption and (foreground or not shortNameWhenInactive)
    bool codeMark = true;  // codeInCaption
    std::string untitled = "(無題)";
    std::string newMark = "(新規)";
    std::string suffix = " - Kelview";
};

std::string captionText(const CaptionParts& p);
// " [Unicode]", " [EUC]", " [JIS]" or "" for Shift-JIS.
const char* codeMark(int code);

}  // namespace viewer
