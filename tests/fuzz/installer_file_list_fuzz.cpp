// The installer's file-list search (buildFileList) over an in-memory source
// disc: folders whose names end in a character with second byte 0x5C, a
// folder beginning with ".", nested levels and names near the path limit.
// The fuzzer writes the section's Copy keys. Properties: every listed source
// is an existing file below its key's folder, named without runs of
// separators or "." levels; a wildcard key lists exactly
// the files a plain walk of the disc finds (subfolders not beginning with
// "." searched too), a plain key exactly its one file; success means every
// key found something, failure names the first key that did not.
#include <windows.h>

#include <set>
#include <string>

#include "copy_entry.h"
#include "file_list.h"
#include "fuzz_folders.h"
#include "fuzz_support.h"
#include "path_text.h"
#include "script_file.h"

using namespace installer;

namespace {

const char kBase[] = "D:\\DISC";

void makeDisc() {
    fakefs::enable();
    const std::string hyo = "\x95\x5C";                    // 表
    const std::string seiseki = "\x90\xAC\x90\xD1" + hyo;  // 成績表
    fakefs::addFile("D:\\DISC\\README.TXT", "r");
    fakefs::addFile("D:\\DISC\\SETUP.EXE", "s");
    fakefs::addFile("D:\\DISC\\DATA\\a.txt", "a");
    fakefs::addFile("D:\\DISC\\DATA\\b.dat", "b");
    fakefs::addFile("D:\\DISC\\DATA\\" + seiseki + "\\c.txt", "c");
    fakefs::addFile("D:\\DISC\\DATA\\" + seiseki + "\\" + hyo + ".txt", "d");
    fakefs::addFile("D:\\DISC\\DATA\\.hidden\\e.txt", "e");
    fakefs::addFile("D:\\DISC\\DATA\\SUB\\DEEP\\f.txt", "f");
    fakefs::addFile("D:\\DISC\\" + std::string(200, 'L') + "\\" + std::string(45, 'n') + ".txt", "g");
}

// A plain walk: files below folder (subfolders not beginning with "." too,
// when recurse) whose names match the pattern.
void walk(const std::string& folder, const std::string& pattern, bool recurse,
          std::multiset<std::string>* out) {
    for (auto& e : fakefs::state().nodes) {
        std::string parent = fakefs::parentOf(e.first);
        if (!(!fakefs::NoCaseLess()(parent, folder) && !fakefs::NoCaseLess()(folder, parent))) continue;
        std::string name = fakefs::nameOf(e.first);
        if (e.second.folder) {
            if (recurse && name[0] != '.') walk(e.first, pattern, recurse, out);
        } else if (fakefs::matches(pattern.c_str(), name.c_str())) {
            out->insert(e.first);
        }
    }
}

// The path with runs of separators taken as one and "." levels dropped, as
// the file calls take them: a source word with a doubled separator
// ("DATA/\\*") keeps it in the listed paths.
std::string oneSeparator(const std::string& s) {
    std::string out;
    bool afterSeparator = false;
    size_t level = 0;  // where the current level begins in out
    auto dotLevel = [&] { return level > 0 && out.size() == level + 1 && out[level] == '.'; };
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (fuzz::lead(static_cast<unsigned char>(c)) && i + 1 < s.size()) {
            out += c;
            out += s[++i];
            afterSeparator = false;
        } else if (c == '\\') {
            if (afterSeparator) continue;
            if (dotLevel()) {
                out.erase(level);
            } else {
                out += c;
                level = out.size();
            }
            afterSeparator = true;
        } else {
            out += c;
            afterSeparator = false;
        }
    }
    if (dotLevel()) out.erase(level - 1);
    return out;
}

std::string canonical(const std::string& s) {
    std::string out = oneSeparator(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    makeDisc();
    fuzz::FolderSource macros;
    for (std::string& f : macros.folders) f = "C:\\WINDOWS";
    std::string body = in.ConsumeRemainingBytesAsString();
    std::string text = "[S]\r\n" + body;
    ScriptFile script;
    script.loadText(text.data(), text.size());

    CopyList list;
    FileListError error;
    bool ok = buildFileList(script, "S", kBase, macros, &list, &error);

    // Each key's files follow the previous key's in the list. The keys are
    // read from a fresh copy of the script in the order the search reads
    // them: with a key written twice, which line answers depends on the
    // look-ups before.
    ScriptFile reference;
    reference.loadText(text.data(), text.size());
    size_t at = 0;
    for (int n = 1; n <= 98; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "Copy%d", n);
        char value[780];
        if (!reference.getString("S", key, value, sizeof value)) continue;

        // The reference: the source word taken apart by hand, the disc walked.
        const char* v = value;
        while (*v == ',' || *v == ' ' || *v == '\t') ++v;
        std::string word;
        while (*v && *v != ',' && *v != ' ' && *v != '\t') word += *v++;
        std::string full = common::joinPath(kBase, word);
        for (char& c : full)
            if (c == '/') c = '\\';
        // The stand-in splits broken names its own way: stop comparing there.
        if (!fuzz::wellFormed(full.c_str())) return fakefs::enable(false), 0;
        // The word is read as the file calls read it before it is split:
        // "*.*\\." searches "*.*" (a network path keeps its leading pair).
        full = full.compare(0, 2, "\\\\") == 0 ? "\\" + oneSeparator(full.substr(1)) : oneSeparator(full);
        size_t sep = fakefs::lastSeparator(full);
        // Doubled separators count as one, as the file system takes them.
        std::string folder = sep == std::string::npos ? std::string() : oneSeparator(full.substr(0, sep));
        while (folder.size() > 3 && fakefs::lastSeparator(folder) == folder.size() - 1) folder.pop_back();
        if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // "D:" searched as its root
        std::string pattern = sep == std::string::npos ? full : full.substr(sep + 1);
        bool wildcard = pattern.find_first_of("*?") != std::string::npos;
        std::multiset<std::string> expected, listed;
        if (!pattern.empty()) walk(folder, pattern, wildcard, &expected);
        // A "$" destination that does not fit once expanded stops the run.
        if (!ok && error.key == n && error.destinationTooLong) {
            FUZZ_CHECK(at == list.size() && std::strchr(value, '$'));
            return fakefs::enable(false), 0;
        }
        if (expected.empty()) {
            if (std::getenv("FUZZ_TRACE"))
                std::fprintf(stderr, "key %d: ok %d error.key %d at %zu of %zu, %s\n", n, ok, error.key, at,
                             list.size(), error.sourcePath.c_str());
            // The run stops at the first key that finds nothing.
            FUZZ_CHECK(!ok && error.key == n && at == list.size());
            return fakefs::enable(false), 0;
        }
        FUZZ_CHECK(at + expected.size() <= list.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            // Listed as the file system names it: no run of separators, no
            // "." level, so a file near the limit keeps fitting its path.
            std::string path = list[at + i]->source.fullPath();
            FUZZ_CHECK(path.compare(0, 3, "D:\\") != 0 || oneSeparator(path) == path);
            listed.insert(canonical(path));
        }
        std::multiset<std::string> expectedUpper;
        for (const std::string& e : expected) expectedUpper.insert(canonical(e));
        if (std::getenv("FUZZ_TRACE") && listed != expectedUpper) {
            for (auto& s : listed) std::fprintf(stderr, "listed   %s\n", s.c_str());
            for (auto& s : expectedUpper) std::fprintf(stderr, "expected %s\n", s.c_str());
        }
        FUZZ_CHECK(listed == expectedUpper);
        at += expected.size();
    }
    FUZZ_CHECK(ok && at == list.size());
    fakefs::enable(false);
    return 0;
}
