#include "caption.h"
#include "path_text.h"
#include "sjis.h"

namespace viewer {
namespace {

// Position of the first or second (n) separator from the start, or of the
// last or second-last from the end (second bytes are never separators).
std::string::size_type nthSeparator(const std::string& s, int n, bool fromEnd) {
    std::string::size_type found[2] = {std::string::npos, std::string::npos};
    int count = 0;
    std::string::size_type lastTwo[2] = {std::string::npos, std::string::npos};
    for (std::string::size_type i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (common::isPathLeadByte(c) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        if (c != '\\') continue;
        if (count < 2) found[count] = i;
        ++count;
        lastTwo[0] = lastTwo[1];
        lastTwo[1] = i;
    }
    return fromEnd ? lastTwo[2 - n] : found[n - 1];
}

}  // namespace

const char* codeMark(int code) {
    switch (code) {
    case 2:
        return " [Unicode]";
    case 3:
        return " [EUC]";
    case 4:
        return " [JIS]";
    default:
        return "";
    }
}

std::string captionText(const CaptionParts& p) {
    std::string name;
    if (!p.hasName) {
        name = p.untitled;
    } else {
        bool unc =
            p.folder.empty() && p.fileName.size() > 2 && p.fileName[0] == '\\' && p.fileName[1] == '\\';
        if (p.fullPath) {
            if (unc || p.folder.empty()) {
                name = p.fileName;
            } else {
                name = p.folder;
                if (name.size() > 1 && name[1] == ':' && name[0] >= 'a' && name[0] <= 'z') name[0] -= 32;
                if (!common::endsWithSeparator(name)) name += '\\';
                name += p.fileName;
            }
        } else {
            name = unc ? common::fileNamePart(p.fileName.c_str()) : p.fileName;
        }
        name += ' ';
        if (name.size() > 64) {
            std::string::size_type first = nthSeparator(name, 1, false);
            std::string::size_type secondLast = nthSeparator(name, 2, true);
            if (first != std::string::npos && secondLast != std::string::npos && secondLast > first)
                name = name.substr(0, first + 1) + "..." + name.substr(secondLast);
        }
        if (p.newFile) name += p.newMark;
    }
    if (p.codeMark) name += codeMark(p.code);
    return name + p.suffix;
}

}  // namespace viewer
