#include "launch.h"
#include "message_box.h"
#include "texts.h"
#include "sjis.h"
#include "text_format.h"
#include <shellapi.h>

std::string startErrorText(INT_PTR result, const char* path) {
    const char* format;
    switch (result) {
    case 0:
        format = texts::kStartNoMemory;
        break;
    case 2:
        format = texts::kStartFileMissing;
        break;
    case 3:
        format = texts::kStartPathMissing;
        break;
    case 11:
        format = texts::kStartBadFormat;
        break;
    case 31:
        format = texts::kStartNoAssociation;
        break;
    default:
        format = texts::kStartFailed;
        break;
    }
    return common::formatText(format, path ? path : "");
}

namespace {

// Keeps the current directory across a start.
class CurrentDirectory {
public:
    CurrentDirectory() { GetCurrentDirectoryA(sizeof saved_, saved_); }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH] = "";
};

void reportFailure(INT_PTR r, const std::string& path) {
    errorBox(texts::kTitleStartFailed, "%s", startErrorText(r, path.c_str()).c_str());
}

}  // namespace

bool openWithShell(const std::string& path) {
    CurrentDirectory keep;
    std::string folder = path;
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
        const char* slash = common::findLastChar(path.c_str(), '\\');
        folder = slash ? path.substr(0, slash - path.c_str()) : std::string();
        if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    }
    INT_PTR r = (INT_PTR)ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr,
                                       folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    if (r > 32) return true;
    reportFailure(r, path);
    return false;
}

bool openWithProgram(const std::string& program, const std::string& file) {
    std::string param = "\"" + file + "\"";
    INT_PTR r =
        (INT_PTR)ShellExecuteA(nullptr, nullptr, program.c_str(), param.c_str(), nullptr, SW_SHOWNORMAL);
    if (r > 32) return true;
    reportFailure(r, program);
    return false;
}
