#include "launcher.h"
#include "doc_window.h"
#include "menu_texts.h"
#include "messages.h"
#include "path_name.h"
#include "registry_key.h"
#include "sjis.h"
#include "value_syntax.h"
#include "message_box.h"
#include <shellapi.h>
#include <cstdio>
#include <cstring>

namespace menu {

namespace {

const char* const kMediaExtensions[] = {".avi", ".mpg", ".mpeg", ".qt", nullptr};
const char* const kWebExtensions[] = {".htm", ".html", nullptr};

// Placement of a document opened by "@view" (client coordinates of the menu).
const int kViewX = 80, kViewY = 0, kViewWidth = 480, kViewHeight = 400;

// Reads the default value of a key under HKEY_CLASSES_ROOT.
bool classDefault(const char* subKey, char* out, DWORD size) {
    out[0] = '\0';
    common::RegistryKey key(HKEY_CLASSES_ROOT);
    if (!key.open(subKey, KEY_READ)) return false;
    DWORD type = 0;
    if (!key.queryValue(nullptr, out, size - 1, &type)) return false;
    out[size - 1] = '\0';
    return (type == REG_SZ || type == REG_EXPAND_SZ) && out[0];
}

}  // namespace

Launcher& menuLauncher() {
    static Launcher launcher;
    return launcher;
}

void Launcher::setCaption(const char* caption) { common::copyBounded(caption_, caption, sizeof caption_); }

void Launcher::runCommandList(HWND mainWindow, const char* commandList) {
    pending_.assign(commandList);
    runNext(mainWindow);
}

void Launcher::runNext(HWND mainWindow) {
    char command[commands::kCommandSize];
    if (!pending_.takeNext(command, sizeof command)) return;
    runCommand(mainWindow, command);
    // Posted only once this command has been started (or its failure shown),
    // so a message box about it never has the next command run beneath it.
    if (!pending_.empty()) PostMessageA(mainWindow, WMU_RUN_NEXT, 0, 0);
}

void Launcher::runCommand(HWND mainWindow, const char* command) {
    char work[commands::kCommandSize];
    common::copyBounded(work, command, sizeof work);
    switch (commands::kindOf(work)) {
    case commands::Kind::View: {
        char file[commands::kCommandSize];
        commands::viewFileName(work, file, sizeof file);
        if (file[0]) openView(mainWindow, file);
        break;
    }
    case commands::Kind::Web: {
        char address[commands::kCommandSize];
        commands::webAddress(work, address, sizeof address);
        if (address[0]) shellExecute(mainWindow, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
    case commands::Kind::Program:
        runProgram(mainWindow, work);
        break;
    }
}

void Launcher::runProgram(HWND mainWindow, const char* command) {
    char file[commands::kCommandSize], parameters[commands::kCommandSize];
    values::splitCommandLine(command, file, sizeof file, parameters, sizeof parameters);
    if (!file[0]) return;
    common::PathName path(file);
    char folder[common::PathName::kPathSize];
    common::copyBounded(folder, path.folderPath(), sizeof folder);
    bool webDocument = path.extensionIndex(kWebExtensions) >= 0;

    if (path.hasExtension(".chm")) {
        char viewer[MAX_PATH + 16];
        windowsFolder(viewer, MAX_PATH);
        common::appendBounded(viewer, "\\hh.exe", sizeof viewer);
        if (GetFileAttributesA(viewer) == INVALID_FILE_ATTRIBUTES) {
            showMessage(mainWindow, launchtext::kNoHelpViewer, caption_, MB_OK | MB_ICONERROR);
            return;
        }
        int result = shellExecute(mainWindow, nullptr, viewer, file, folder, SW_SHOW);
        if (result < 32) report(mainWindow, result, viewer, file, folder, false);
        return;
    }

    if (path.extensionIndex(kMediaExtensions) >= 0) {
        char fileType[64];
        char commandKey[128];
        char commandTemplate[commands::kCommandSize];
        char player[commands::kCommandSize], playerParameters[commands::kCommandSize];
        // The lookup fails silently: without a registered play command the
        // file is not run at all.
        if (!classDefault(path.extension(), fileType, sizeof fileType)) return;
        std::snprintf(commandKey, sizeof commandKey, "%s\\shell\\play\\command", fileType);
        if (!classDefault(commandKey, commandTemplate, sizeof commandTemplate)) return;
        if (!commands::playCommand(commandTemplate, file, player, sizeof player, playerParameters,
                                   sizeof playerParameters))
            return;
        int result = shellExecute(mainWindow, nullptr, player,
                                  playerParameters[0] ? playerParameters : nullptr, folder, SW_SHOW);
        if (result < 32) report(mainWindow, result, player, playerParameters, folder, false);
        return;
    }

    int result = shellExecute(mainWindow, nullptr, file, parameters[0] ? parameters : nullptr,
                              folder[0] ? folder : nullptr, SW_SHOW);
    if (result < 32) report(mainWindow, result, file, parameters, folder, webDocument);
}

void Launcher::report(HWND mainWindow, int result, const char* file, const char* parameters,
                      const char* folder, bool webDocument) {
    char text[1024];
    std::snprintf(text, sizeof text, launchtext::kReport, file, parameters ? parameters : "", folder);
    common::appendBounded(text, launchtext::reasonFor(result, webDocument), sizeof text);
    showMessage(mainWindow, text, caption_, MB_OK | MB_ICONERROR);
}

int Launcher::shellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* folder, int show) {
    HINSTANCE result = ShellExecuteA(owner, verb, file, parameters, folder, show);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void Launcher::showMessage(HWND owner, const char* text, const char* title, UINT style) {
    common::showMessageBox(owner, text, title, style);
}

HWND Launcher::openView(HWND mainWindow, const char* file) {
    common::DocumentRequest request;
    request.setTextFile(file);
    request.x = kViewX;
    request.y = kViewY;
    request.width = kViewWidth;
    request.height = kViewHeight;
    return common::openDocument(mainWindow, request);
}

void Launcher::windowsFolder(char* out, size_t size) {
    UINT n = GetWindowsDirectoryA(out, static_cast<UINT>(size));
    if (n == 0 || n >= size) out[0] = '\0';
}

}  // namespace menu
