// LastExec values: "$DstDir" and "file[,program]" entries separated by ";",
// and the follow-up caption made from them. Properties: the file and the
// program are blank-trimmed pieces of the value's first 510 bytes (cut
// between characters), the file without "/" (turned into "\"); hasFile
// exactly when a file was named; "$DstDir" anywhere opens the folder; the
// caption is one of the two texts with the file's name in it.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "section_texts.h"
#include "sjis.h"

using namespace installer;

namespace {

bool trimmed(const std::string& s) {
    return s.empty() ||
           (static_cast<unsigned char>(s.front()) > ' ' && static_cast<unsigned char>(s.back()) > ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string value = fuzz::text(in, 2000);
    LastExec le = parseLastExec(value.c_str());

    // The part of the value that is read: 510 bytes at most (perhaps fewer,
    // to end between characters).
    size_t kept = value.size() < kLastExecBytes ? value.size() : kLastExecBytes;
    std::string head = value.substr(0, kept);
    std::string headSlashes = head;
    for (char& c : headSlashes)
        if (c == '/') c = '\\';

    FUZZ_CHECK(le.hasFile == !le.file.empty());
    FUZZ_CHECK(le.file.find('/') == std::string::npos);
    FUZZ_CHECK(trimmed(le.file) && trimmed(le.program));
    FUZZ_CHECK(le.file.find(';') == std::string::npos && le.file.find(',') == std::string::npos);
    FUZZ_CHECK(le.program.find(';') == std::string::npos);
    if (le.hasFile)
        FUZZ_CHECK(headSlashes.find(le.file) != std::string::npos);
    else
        FUZZ_CHECK(le.program.empty());
    if (!le.program.empty()) FUZZ_CHECK(head.find(le.program) != std::string::npos);
    // Whole characters are asked of real code page 932 text only: the cut at
    // 510 bytes pairs 0xFD..0xFF with the next byte (the path rule of common/),
    // so around such bytes, which stand for no character, the two rules part.
    if (fuzz::validCp932(reinterpret_cast<const unsigned char*>(value.data()), value.size())) {
        FUZZ_CHECK(fuzz::wholeCharacters(le.file.c_str()));
        FUZZ_CHECK(fuzz::wholeCharacters(le.program.c_str()));
    }
    // "$DstDir" as an entry of its own (any case, blanks around) opens the folder.
    bool named = false;
    for (size_t pos = 0; pos <= head.size();) {
        size_t semi = head.find(';', pos);
        std::string entry = head.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos);
        size_t b = 0, e = entry.size();
        while (b < e && static_cast<unsigned char>(entry[b]) <= ' ') ++b;
        while (e > b && static_cast<unsigned char>(entry[e - 1]) <= ' ') --e;
        if (common::equalsNoCase(entry.substr(b, e - b).c_str(), "$DstDir")) named = true;
        pos = semi == std::string::npos ? head.size() + 1 : semi + 1;
    }
    FUZZ_CHECK(le.openFolder == named);

    if (le.hasFile) {
        std::string caption = followUpCaption(le);
        const char* sep = common::findLastChar(le.file.c_str(), '\\');
        std::string name = sep ? sep + 1 : le.file;
        FUZZ_CHECK(caption.find(name) != std::string::npos);
    }
    return 0;
}
