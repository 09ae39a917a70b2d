// The viewer's command line: options and the document name, parsed into a
// start-up request. Pure text handling; the caller shows the messages.
#pragma once
#include <string>
#include <vector>

namespace viewer {

struct StartRequest {
    int showCommand = -1;  // -1: the process's own show command
    int jumpLine = 0;      // 1-based; -1 the end; 0 none
    int jumpColumn = 0;
    int jumpRow = -1;  // display row from 0; -1 none
    bool printAndClose = false;
    bool haveRect = false;
    int left = 0, top = 0, width = 0, height = 0;
    bool explicitGeometry = false;
    int forcedCode = 0;  // 0 automatic, 1 SJIS, 2 Unicode, 3 EUC, 4 JIS
    bool haveFolder = false;
    std::string folder;        // from /d
    std::string fileTypeName;  // from /c
    std::string fileName;      // at most 259 bytes
    bool startHidden = false;
    bool browse = true;
    bool startedByViewer = false;         // /!
    std::vector<std::string> badOptions;  // offending option characters, in order
};

constexpr size_t kMaxPath = 260;

// Parses the text after the program name.
StartRequest parseCommandLine(const std::string& args);

// Copies at most maxBytes bytes of text without splitting a double-byte character.
std::string truncateSjis(const std::string& text, size_t maxBytes);

}  // namespace viewer
