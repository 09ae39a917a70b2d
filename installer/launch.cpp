#include "launch.h"
#include "installer_messages.h"
#include "texts.h"
#include "file_system.h"
#include "path_text.h"
#include "sjis.h"
#include "text_format.h"
#include <shellapi.h>

namespace installer {

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

void reportFailure(INT_PTR r, const std::string& path) {
    errorBox(texts::kTitleStartFailed, "%s", startErrorText(r, path.c_str()).c_str());
}

}  // namespace

bool openWithShell(const std::string& path) {
    // The program is started in the file's folder; the script folder is
    // current again afterwards.
    common::CurrentFolderGuard keep;
    std::string folder = path;
    if (!common::isExistingFolder(path)) {
        folder = common::parentFolder(path);
        if (!folder.empty()) keep.enter(folder.c_str());
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

}  // namespace installer
