#include "installer_app.h"
#include "archive_steps.h"
#include "command_line.h"
#include "copy_section.h"
#include "document_view.h"
#include "first_message.h"
#include "folder_rules.h"
#include "installer_context.h"
#include "installer_section.h"
#include "item_list_dialog.h"
#include "installer_messages.h"
#include "path_name.h"
#include "section_texts.h"
#include "select_dialog.h"
#include "texts.h"
#include "text_format.h"
#include "file_system.h"
#include <commctrl.h>

namespace installer {

namespace {

bool folderPartExists(const char* path) {
    common::PathName p(path);
    return p.folderExists();
}

// Checks the section and works out its source and destination folders.
bool prepareSection(InstallerContext& ctx) {
    if (ctx.section.empty()) {
        ctx.section = "INSTALLER";
        if (!ctx.script.hasSection("INSTALLER")) {
            errorBox(texts::kTitleOptionError, "%s", texts::kOptionRequired);
            return false;
        }
    } else if (!ctx.script.hasSection(ctx.section.c_str())) {
        errorBox(texts::kTitleOptionError, texts::kSectionMissing, ctx.section.c_str(),
                 ctx.scriptPath.c_str());
        return false;
    }
    const char* section = ctx.section.c_str();
    std::string srcDir;
    bool hasSrc = ctx.script.getString(section, "SrcDir", &srcDir);
    if (!sourceFolder(hasSrc ? srcDir.c_str() : nullptr, section, folderPartExists, &ctx.sourceFolder,
                      common::isExistingFolder)) {
        errorBox(texts::kTitleError, texts::kSrcDirMissing, srcDir.c_str());
        return false;
    }
    std::string dstDir;
    ctx.script.getString(section, "DstDir", &dstDir);
    switch (destinationFolder(dstDir.c_str(), section, ctx.folders, &ctx.destination)) {
    case DestinationStatus::Ok:
        return true;
    case DestinationStatus::DriveGiven:
        errorBox(common::formatText(texts::kTitleSectionError, section).c_str(), "%s", texts::kDriveInDstDir);
        return false;
    case DestinationStatus::TooLong:
        errorBox(texts::kTitleError, texts::kDstDirTooLong, dstDir.c_str());
        return false;
    }
    return false;
}

// One section from FirstMsg to its end. False when the program must end
// (failed check or declined FirstMsg).
bool carryOut(InstallerContext& ctx, bool skipFirstMessage) {
    if (!prepareSection(ctx)) return false;
    const char* section = ctx.section.c_str();
    FirstMessage first(ctx.instance);
    FirstMessage* shown = nullptr;
    // A FirstMsg key without a value reads as missing: there is nothing to ask.
    if (!skipFirstMessage && ctx.script.value(section, "FirstMsg")) {
        std::string text = sectionMessage(ctx.script, section, "FirstMsg");
        if (!first.ask(text)) return false;
        shown = &first;
    }
    if (ctx.script.hasKey(section, "INSTALLER"))
        runInstallerSection(ctx, shown);
    else if (ctx.script.hasKey(section, "LZHSETUP"))
        runSetupArchiveSection(ctx, shown);
    else
        runCopySection(ctx, shown);
    first.close();
    return true;
}

}  // namespace

int runInstaller(HINSTANCE instance, const char* commandLine) {
    // No library is ever taken from the current folder: it becomes the
    // script's folder below and, while a setup archive starts, a temporary
    // folder holding whatever the archive contained.
    // (Looked up by name: older systems have no such function.)
    typedef BOOL(WINAPI * SetDllDirectoryFn)(LPCSTR);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    SetDllDirectoryFn setDllDirectory =
        kernel ? reinterpret_cast<SetDllDirectoryFn>(GetProcAddress(kernel, "SetDllDirectoryA")) : nullptr;
    if (setDllDirectory) setDllDirectory("");
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);

    InstallerContext ctx;
    ctx.instance = instance;
    CommandLine cl = parseCommandLine(commandLine, common::isExistingFile);
    if (cl.kind == CommandLine::ScriptNamed) {
        // A script named relative to the starting folder: its folder becomes
        // the current directory below, so the name must not depend on it.
        char full[MAX_PATH] = "";
        DWORD n = GetFullPathNameA(cl.scriptPath.c_str(), sizeof full, full, nullptr);
        ctx.scriptPath = (n > 0 && n < sizeof full) ? full : cl.scriptPath;
    } else {
        common::PathName own;
        own.fromModule();
        own.setExtension("ini");
        ctx.scriptPath = own.fullPath();
    }
    if (!common::isExistingFile(ctx.scriptPath.c_str()) || !ctx.script.load(ctx.scriptPath.c_str())) {
        errorBox(texts::kTitleError, texts::kScriptMissing, ctx.scriptPath.c_str());
        return 0;
    }
    {
        common::PathName p(ctx.scriptPath.c_str());
        ctx.scriptFolder = p.folderPath();
        // Drive first, then folder.
        if (p.drive()[0]) SetCurrentDirectoryA((std::string(p.drive()) + "\\").c_str());
        SetCurrentDirectoryA(ctx.scriptFolder.c_str());
    }

    bool skipFirst = false;
    if (cl.kind == CommandLine::Section) {
        if (cl.badOption) {
            errorBox(texts::kTitleOptionError, texts::kBadOption, cl.option.c_str());
            return 0;
        }
        ctx.section = cl.section.substr(0, 259);
        if (cl.hasOption) {
            showDocument(nullptr, ctx, ctx.section.c_str(), cl.viewMode, cl.archiveNumber,
                         cl.document.empty() ? nullptr : cl.document.c_str());
            return 0;
        }
        if (isSelectionSection(ctx.section.c_str())) {
            // A misspelt selection section would give an empty menu whose OK
            // does nothing: it is reported like any other missing section.
            if (!ctx.script.hasSection(ctx.section.c_str())) {
                errorBox(texts::kTitleOptionError, texts::kSectionMissing, ctx.section.c_str(),
                         ctx.scriptPath.c_str());
                return 0;
            }
            SelectDialog menu(ctx, ctx.section);
            std::string chosen;
            if (!menu.choose(&chosen)) {
                return 0;
            }
            ctx.section = chosen.substr(0, 259);
            skipFirst = true;
        }
    } else {
        ctx.pickerMode = true;
        ItemListDialog list(ctx);
        std::string chosen;
        if (!list.choose(&chosen)) {
            return 0;
        }
        ctx.section = chosen;
    }

    for (;;) {
        if (!carryOut(ctx, skipFirst)) break;
        if (!ctx.pickerMode) break;
        ItemListDialog list(ctx);
        std::string chosen;
        if (!list.choose(&chosen)) break;
        ctx.section = chosen;
        ctx.sourceFolder.clear();
        ctx.destination.clear();
        skipFirst = false;
    }
    return 0;
}

}  // namespace installer
