#include "installer_section.h"
#include "installer_command.h"
#include "first_message.h"
#include "launch.h"
#include "installer_messages.h"
#include "texts.h"
#include "sjis.h"
#include "text_format.h"
#include "path_text.h"
#include "file_system.h"
#include <shellapi.h>

namespace installer {

namespace {

struct EditSearch {
    HWND found = nullptr;
};

BOOL CALLBACK findEditChild(HWND w, LPARAM p) {
    EditSearch* s = reinterpret_cast<EditSearch*>(p);
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findEditInTop(HWND top, LPARAM p) {
    EditSearch* s = reinterpret_cast<EditSearch*>(p);
    EnumChildWindows(top, findEditChild, p);
    return s->found ? FALSE : TRUE;
}

}  // namespace

bool runInstallerSection(InstallerContext& ctx, FirstMessage* firstMessage) {
    std::string value;
    ctx.script.getString(ctx.section.c_str(), "INSTALLER", &value);
    InstallerCommand cmd =
        installerCommand(value.c_str(), ctx.section.c_str(), ctx.sourceBase(), common::isExistingFile);
    if (!common::isExistingFile(cmd.program.c_str())) {
        if (firstMessage) firstMessage->close();
        errorBox(texts::kTitleInstallerSyntax, texts::kProgramMissing, cmd.program.c_str());
        return false;
    }
    std::string folder = cmd.program;
    if (const char* slash = common::findLastChar(folder.c_str(), '\\')) folder.resize(slash - folder.c_str());
    if (firstMessage) firstMessage->close();

    if (ctx.script.hasKey(ctx.section.c_str(), "DstDir")) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string line = "\"" + cmd.program + "\"";
        if (!CreateProcessA(cmd.program.c_str(), &line[0], nullptr, nullptr, FALSE,
                            CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS,
                            nullptr, folder.c_str(), &si, &pi)) {
            errorBox(texts::kTitleInstallerStart, texts::kProgramNotStarted, cmd.program.c_str());
            return false;
        }
        // Give the new program's first dialog the destination folder.
        if (WaitForInputIdle(pi.hProcess, 1000) == 0) {
            EditSearch s;
            EnumThreadWindows(pi.dwThreadId, findEditInTop, (LPARAM)&s);
            if (s.found) {
                SendMessageA(s.found, WM_SETTEXT, 0, (LPARAM)ctx.destination.c_str());
                SendMessageA(s.found, EM_SETSEL, 0, -1);
            }
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return true;
    }

    INT_PTR r;
    {
        common::CurrentFolderGuard keep;
        keep.enter(folder.c_str());
        r = (INT_PTR)ShellExecuteA(nullptr, "open", cmd.program.c_str(),
                                   cmd.parameters.empty() ? nullptr : cmd.parameters.c_str(), folder.c_str(),
                                   SW_SHOWNORMAL);
    }
    if (r <= 32) {
        errorBox(texts::kTitleInstallerStart, "%s", startErrorText(r, cmd.program.c_str()).c_str());
        return false;
    }
    return true;
}

}  // namespace installer
