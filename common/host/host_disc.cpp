#include "host_disc.h"

#include <dirent.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace hostdisc {

namespace {

// A host name (UTF-8, as Linux tools write them) as the disc's programs
// see it, and its wide form for the wide-character searches.
void names(const std::string& host, std::string* sjis, std::wstring* wide) {
    wide->assign(host.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, host.c_str(), int(host.size()), &(*wide)[0], int(wide->size()));
    wide->resize(size_t(n));
    sjis->assign(wide->size() * 2 + 1, '\0');
    int k = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->c_str(), int(wide->size()), &(*sjis)[0],
                                int(sjis->size()), "?", nullptr);
    sjis->resize(size_t(k));
}

bool walk(const std::string& host, const std::string& windows) {
    DIR* dir = opendir(host.c_str());
    if (!dir) return false;
    fakefs::State& st = fakefs::state();
    while (dirent* e = readdir(dir)) {
        if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, "..")) continue;
        std::string path = host + "/" + e->d_name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0) continue;
        fakefs::Node node;
        std::string name;
        names(e->d_name, &name, &node.wideName);
        std::string inside = windows + name;
        node.folder = S_ISDIR(info.st_mode);
        node.attributes = node.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        // A disc is read-only; the checks never write, and a file the host
        // cannot write is what the programs see on the pressed disc too.
        if (!node.folder) {
            node.hostPath = path;
            node.hostSize = uint64_t(info.st_size);
            node.loaded = false;
        }
        st.nodes[inside] = node;
        if (node.folder) walk(path, inside + "\\");
    }
    closedir(dir);
    return true;
}

}  // namespace

bool mount(const std::string& folder) {
    fakefs::enable();
    if (!walk(folder, kDrive)) return false;
    placeLibraries();
    // Relative names start at the disc's root, as they do for a program
    // started from it.
    SetCurrentDirectoryA(kDrive);
    return true;
}

std::string forTerminal(const std::string& sjis) {
    std::string codeset = nl_langinfo(CODESET);
    if (codeset == "SHIFT_JIS" || codeset == "CP932" || codeset == "SJIS") return sjis;
    std::wstring wide(sjis.size() + 1, L'\0');
    wide.resize(
        size_t(MultiByteToWideChar(CP_ACP, 0, sjis.data(), int(sjis.size()), &wide[0], int(wide.size()))));
    std::string utf8(wide.size() * 4 + 1, '\0');
    utf8.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &utf8[0],
                                           int(utf8.size()), nullptr, nullptr)));
    if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") return utf8;
    std::string out;
    iconv_t cd = fakefs::converter((codeset + "//TRANSLIT").c_str(), "UTF-8");
    return fakefs::convert(cd, utf8.data(), utf8.size(), &out) ? out : utf8;
}

}  // namespace hostdisc
