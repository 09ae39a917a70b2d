// The archive keys of a copy section, the drive totals of archives and the
// setup-archive sections (LZHSETUP). The libraries are bound through
// ArchiveLibrary; the extraction itself runs in ExtractWindow.
#include "archive_steps.h"
#include "archive_lookup.h"
#include "archive_library.h"
#include "extract_window.h"
#include "file_system.h"
#include "first_message.h"
#include "installer_messages.h"
#include "path_macros.h"
#include "path_text.h"
#include "sjis.h"
#include "temp_folder.h"
#include "text_format.h"
#include "texts.h"
#include <shellapi.h>

namespace installer {

using installer::ArchiveLibrary;

namespace {

const DWORD kOpenForListing = 0x800000;
const DWORD kOpenForSetup = 0x100;

bool addArchive(InstallerContext& ctx, const char* keyName, const char* value, const std::string& baseFolder,
                CopyList* archives) {
    const char* section = ctx.section.c_str();
    installer::ArchiveValue v = installer::parseArchiveValue(value);
    std::string named = common::joinPath(ctx.sourceBase(), v.archive);
    std::string path;
    if (v.archive.empty() || !findArchive(named, &path)) {
        errorBox(common::formatText(texts::kTitleArchiveSection, section).c_str(), texts::kArchiveMissing,
                 keyName, archiveStem(named).c_str());
        return false;
    }
    std::unique_ptr<CopyEntry> e(new CopyEntry);
    e->source.setPath(path.c_str());
    e->source.isFile();  // fills the find data (size) of the archive
    e->baseFolder = baseFolder;
    if (!v.destination.empty()) {
        if (common::findChar(v.destination.c_str(), '$')) {
            std::string expanded;
            if (!expandMacros(v.destination.c_str(), ctx.folders, &expanded)) {
                errorBox(texts::kTitleError, texts::kCopyErrors[1], v.destination.c_str());
                return false;
            }
            e->destFolder = expanded;
            e->absolute = true;
        } else if (common::climbsOut(v.destination)) {
            // A folder above the chosen one would put the files where the
            // user did not agree to have them.
            errorBox(texts::kTitleError, texts::kCopyErrors[1], v.destination.c_str());
            return false;
        } else {
            e->destFolder = v.destination;
        }
    }
    archives->push_back(std::move(e));
    return true;
}

}  // namespace

bool buildArchiveList(InstallerContext& ctx, CopyList* archives) {
    archives->clear();
    std::string base;
    ctx.script.getString(ctx.section.c_str(), "ArcBaseDir", &base);
    for (const ArchiveKey& k : archiveKeys(ctx.script, ctx.section.c_str()))
        if (!addArchive(ctx, k.key.c_str(), k.value.c_str(), base, archives)) return false;
    return true;
}

bool extractArchives(InstallerContext& ctx, CopyList& archives) {
    if (archives.empty()) return true;
    installer::ExtractWindow window(ctx.instance, archives);
    return window.run();
}

bool archiveUnpackedBytes(const CopyEntry& archive, unsigned long long* bytes) {
    *bytes = 0;
    CopyEntry& a = const_cast<CopyEntry&>(archive);
    std::string path = a.source.fullPath();
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    if (!lib.bind(path.c_str())) {
        if (!lib.text.empty()) {
            errorBox(lib.title.c_str(), "%s", lib.text.c_str());
            return false;
        }
        // No library takes it: it is copied as it is.
        *bytes = a.sourceSize();
        return true;
    }
    if (!lib.open(nullptr, path.c_str(), kOpenForListing)) {
        errorBox(lib.title.c_str(), "%s", lib.text.c_str());
        return false;
    }
    ArcItemInfo info = {};
    for (bool more = lib.findFirst("*", &info); more; more = lib.findNext(&info)) {
        if (!(info.attributes & FILE_ATTRIBUTE_DIRECTORY) && info.originalSize != 0xFFFFFFFF)
            *bytes += info.originalSize;
    }
    lib.close();
    return true;
}

// Starts or opens what the setup archive or document left in folder. True
// when it started; *keepFolder tells whether the folder must stay (a
// program still running from it, or no way to know when it ends).
bool startFromFolder(const std::string& folder, const std::string& program, bool* keepFolder) {
    *keepFolder = false;
    std::string path = common::joinPath(folder, archivePathToFolder(program));
    std::string workFolder = common::parentFolder(path);
    common::CurrentFolderGuard keep;
    keep.enter(folder.c_str());
    if (common::equalsNoCase(common::extensionOf(path).c_str(), "exe")) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string line = "\"" + path + "\"";
        if (!CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                            workFolder.c_str(), &si, &pi)) {
            errorBox(texts::kTitleSetupStart, texts::kSetupNotStarted, path.c_str());
            return false;
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        *keepFolder = true;
        return true;
    }
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS;
    sei.lpFile = path.c_str();
    sei.lpDirectory = workFolder.c_str();
    sei.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&sei) || (INT_PTR)sei.hInstApp <= 32) {
        errorBox(texts::kTitleSetupShow, texts::kSetupNotShown, path.c_str());
        return false;
    }
    if (!sei.hProcess) {
        *keepFolder = true;
        return true;
    }
    waitForProcess(sei.hProcess);
    CloseHandle(sei.hProcess);
    return true;
}

void waitForProcess(HANDLE process) {
    if (WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0) return;
    DWORD code = STILL_ACTIVE;
    while (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE) Sleep(1000);
}

bool unpackAndStart(InstallerContext& ctx, const std::string& archive, const std::string& program,
                    FirstMessage* firstMessage) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    if (!lib.open(nullptr, archive.c_str(), kOpenForSetup)) {
        if (firstMessage) firstMessage->close();
        errorBox(lib.title.c_str(), "%s", lib.text.c_str());
        return false;
    }
    ArcItemInfo info = {};
    bool found = lib.findFirst(program, &info);
    lib.close();
    if (firstMessage) firstMessage->close();
    if (!found) {
        errorBox(texts::kTitleSetupSyntax, texts::kSetupProgramMissing, archive.c_str(), program.c_str());
        return false;
    }
    std::string temp;
    if (!makeTempFolder("~Vpr", &temp)) {
        errorBox(texts::kTitleSetupSyntax, "%s", texts::kSetupNoMemory);
        return false;
    }
    CopyList one;
    one.emplace_back(new CopyEntry);
    one[0]->source.setPath(archive.c_str());
    one[0]->destFolder = temp;
    one[0]->absolute = true;
    ExtractWindow window(ctx.instance, one);
    if (!window.run()) {
        deleteTree(temp);
        return false;
    }
    bool keep = false;
    bool started = startFromFolder(temp, program, &keep);
    if (!started || !keep) deleteTree(temp);
    return started;
}

bool runSetupArchiveSection(InstallerContext& ctx, FirstMessage* firstMessage) {
    const char* section = ctx.section.c_str();
    std::string value;
    if (!ctx.script.getString(section, "LZHSETUP", &value)) {
        if (firstMessage) firstMessage->close();
        errorBox(texts::kTitleSetupSyntax, "%s", texts::kSetupNoValue);
        return false;
    }
    installer::SetupValue v = installer::parseSetupValue(value.c_str());
    std::string archive;
    if (!findSetupArchive(v, ctx.sourceBase(), section, &archive)) {
        if (firstMessage) firstMessage->close();
        errorBox(texts::kTitleSetupSyntax, texts::kSetupArchiveMissing, archive.c_str());
        return false;
    }
    if (v.program.empty()) {
        if (firstMessage) firstMessage->close();
        errorBox(texts::kTitleSetupSyntax, "%s", texts::kSetupNoProgram);
        return false;
    }
    return installer::unpackAndStart(ctx, archive, v.program, firstMessage);
}

}  // namespace installer
