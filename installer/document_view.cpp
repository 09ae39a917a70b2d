// Showing an item's document straight out of its archive: plain text and RTF
// in the installer's text window, everything the shell shows better (web
// pages, help files, pictures, spreadsheets, word-processor files) unpacked
// into a temporary folder and opened there.
#include "document_view.h"
#include "archive_library.h"
#include "archive_steps.h"
#include "file_system.h"
#include "folder_rules.h"
#include "path_name.h"
#include "installer_messages.h"
#include "path_text.h"
#include "sjis.h"
#include "temp_folder.h"
#include "text_format.h"
#include "text_window.h"
#include "texts.h"
#include <shellapi.h>

namespace installer {

using installer::ArchiveLibrary;

namespace {

const DWORD kMemorySize = 0x20000;

bool folderPartExists(const char* path) {
    common::PathName p(path);
    return p.folderExists();
}

// The section's source folder while its document is looked for: the item
// list and "/V" reach a section that was never prepared for installing.
class SourceFolderScope {
public:
    SourceFolderScope(InstallerContext& ctx, const char* section) : ctx_(ctx), saved_(ctx.sourceFolder) {
        std::string srcDir, folder;
        bool has = ctx.script.getString(section, "SrcDir", &srcDir);
        if (sourceFolder(has ? srcDir.c_str() : nullptr, section, folderPartExists, &folder,
                         common::isExistingFolder))
            ctx.sourceFolder = folder;
    }
    ~SourceFolderScope() { ctx_.sourceFolder = saved_; }
    SourceFolderScope(const SourceFolderScope&) = delete;
    SourceFolderScope& operator=(const SourceFolderScope&) = delete;

private:
    InstallerContext& ctx_;
    std::string saved_;
};

// The archive holding the section's document; false after its message.
bool documentArchive(InstallerContext& ctx, const char* section, int mode, int number, std::string* path) {
    std::string key;
    bool lzhDefault = false;
    if (mode == 2) {
        key = common::formatText("lzh%d", number);
    } else if (ctx.script.hasKey(section, "INSTALLER")) {
        key = "INSTALLER";
    } else if (ctx.script.hasKey(section, "LZHSETUP")) {
        key = "LZHSETUP";
    } else if (ctx.script.hasKey(section, "LZH")) {
        key = "LZH";
        lzhDefault = true;
    } else {
        for (int n = 0; n <= 98 && key.empty(); n++) {
            std::string k = common::formatText("lzh%d", n);
            if (ctx.script.hasKey(section, k.c_str())) key = k;
        }
    }
    std::string name;
    if (key.empty()) {
        name = std::string(section) + ".lzh";
    } else {
        char value[260] = "";
        if (!ctx.script.getString(section, key.c_str(), value, sizeof value)) {
            if (!lzhDefault || !ctx.script.hasKey(section, key.c_str())) {
                errorBox(texts::kTitleError, "%s", texts::kKeyNotFound);
                return false;
            }
            common::copyBounded(value, section, sizeof value);
        }
        if (value[0] == ',' || common::equalsNoCase(value, "$this")) {
            name = std::string(section) + ".EXE";
        } else {
            name = installer::parseArchiveValue(value).archive;
        }
    }
    std::string full = common::joinPath(ctx.sourceBase(), name);
    // A missing archive is looked for under the other extensions, in order.
    if (!common::isExistingFile(full) &&
        !installer::findWithExtensions(common::withoutExtension(full),
                                       {".EXE", ".ZIP", ".lzh", ".CAB", ".msi"}, &full)) {
        errorBox(texts::kTitleError, "%s", texts::kDocArchiveMissing);
        return false;
    }
    *path = full;
    return true;
}

// Extracts item (and the extra names) into folder with the one-item command.
bool extractItems(HWND owner, const std::string& archive, const std::string& folder,
                  const std::vector<std::string>& items) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    if (!lib.bind(archive.c_str())) return false;
    for (size_t i = 0; i < items.size(); i++) {
        int r = lib.extractItem(owner, archive, folder, items[i]);
        // Only the document itself must be there; a companion may be missing.
        if (i == 0 && r != ARC_OK) return false;
    }
    return common::isExistingFile(common::joinPath(folder, installer::archivePathToFolder(items[0])));
}

// Unpacks the document into a "~VP" folder and opens it with the shell.
bool showThroughShell(HWND owner, const std::string& archive, const std::string& document) {
    std::string folder;
    if (!installer::makeTempFolder("~VP", &folder)) {
        errorBox(texts::kTitleError, "%s", texts::kNotExtracted);
        return false;
    }
    std::vector<std::string> items = {document};
    // A help file finds its contents file beside it.
    if (common::equalsNoCase(common::extensionOf(document).c_str(), "hlp"))
        items.push_back(installer::withExtension(document, "CNT"));
    if (!extractItems(owner, archive, folder, items)) {
        installer::deleteTree(folder);
        errorBox(texts::kTitleError, "%s", texts::kNotExtracted);
        return false;
    }
    std::string path = common::joinPath(folder, installer::archivePathToFolder(document));
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS;
    sei.hwnd = owner;
    sei.lpFile = path.c_str();
    sei.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&sei) || (INT_PTR)sei.hInstApp <= 32) {
        installer::deleteTree(folder);
        errorBox(texts::kTitleError, "%s", texts::kNotExtracted);
        return false;
    }
    // Without a process there is no telling when the file is no longer
    // needed: the folder stays.
    if (sei.hProcess) {
        installer::waitForProcess(sei.hProcess);
        CloseHandle(sei.hProcess);
        installer::deleteTree(folder);
    }
    return true;
}

// The document's bytes (at most kMemorySize); empty when none came.
std::string readDocument(HWND owner, const std::string& archive, const std::string& document) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    if (!lib.bind(archive.c_str())) return std::string();
    std::string data(kMemorySize, '\0');
    DWORD written = 0;
    bool supported = false;
    int r = lib.extractToMemory(owner, archive, document, reinterpret_cast<BYTE*>(&data[0]), kMemorySize,
                                &written, &supported);
    if (supported && (r == ARC_OK || lib.kind() != installer::kCab)) {
        data.resize(r == ARC_OK ? written : 0);
        return data;
    }
    // Through a file instead: into a folder of its own, read, removed.
    std::string folder;
    if (!installer::makeTempFolder("~VP", &folder)) return std::string();
    data.clear();
    if (extractItems(owner, archive, folder, {document})) {
        std::string path = common::joinPath(folder, installer::archivePathToFolder(document));
        HANDLE f =
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            data.resize(kMemorySize);
            DWORD got = 0;
            if (!ReadFile(f, &data[0], kMemorySize, &got, nullptr)) got = 0;
            data.resize(got);
            CloseHandle(f);
        }
    }
    installer::deleteTree(folder);
    return data;
}

}  // namespace

bool showDocument(HWND owner, InstallerContext& ctx, const char* section, int mode, int archiveNumber,
                  const char* name) {
    bool given = name && *name;
    std::string document = given ? name : "";
    if (!given) {
        char value[260] = "";
        ctx.script.getString(section, "LzhView", value, sizeof value);
        document = value;
    }
    bool webPage = false;
    if (!given && !document.empty()) {
        if (document[0] == '?') {
            document.erase(0, 1);
        } else {
            std::string ext = common::extensionOf(document);
            webPage = common::equalsNoCase(ext.c_str(), "html") || common::equalsNoCase(ext.c_str(), "htm");
        }
    }
    if (document.empty()) {
        errorBox(texts::kTitleError, "%s", texts::kNoDocument);
        return false;
    }
    SourceFolderScope source(ctx, section);
    std::string archive;
    if (!documentArchive(ctx, section, mode, archiveNumber, &archive)) return false;

    if (webPage) return installer::unpackAndStart(ctx, archive, document, nullptr);
    if (installer::isShellDocument(document.c_str())) return showThroughShell(owner, archive, document);

    std::string data = readDocument(owner, archive, document);
    if (data.empty()) {
        errorBox(texts::kTitleError, "%s", texts::kNotExtracted);
        return false;
    }
    // A compound document (word processor, spreadsheet) is for the shell.
    if (data.size() >= 2 && (unsigned char)data[0] == 0xD0 && (unsigned char)data[1] == 0xCF)
        return showThroughShell(owner, archive, document);
    installer::TextWindow window(data, document);
    return window.show(ctx.instance, owner);
}

}  // namespace installer
