// The part of the <windows.h> stand-in that keeps state: an in-memory file
// system, reserved and committed address space, movable memory blocks, and
// failures a harness asks for. Until a harness switches the file system on
// (fakefs::enable) it holds nothing, creates nothing and finds nothing, so
// harnesses that only need the types see every file and folder missing.
// The native tools fill it from a real folder instead (host_disc.h): then a
// file's bytes are read from its host file on first use.
//
// Names are compared without regard to ASCII case, as the programs' file
// system does; separators are '\' only, as the code under test writes them.
#pragma once
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "profile_text.h"

namespace fakefs {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        size_t n = a.size() < b.size() ? a.size() : b.size();
        for (size_t i = 0; i < n; ++i) {
            unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
            if (x != y) return x < y;
        }
        return a.size() < b.size();
    }
};

struct Node {
    bool folder = false;
    uint32_t attributes = 0;
    std::string bytes;
    // A file mounted from the host: its bytes are read on first use (a disc
    // may hold large movies that no check ever opens).
    std::string hostPath;
    uint64_t hostSize = 0;
    bool loaded = true;
    // The name as the host spells it, in wide characters (empty for the
    // in-memory files, whose Shift-JIS name is all there is).
    std::wstring wideName;
    // The profile read of the bytes, kept until they change: a menu reads
    // thousands of keys from one file.
    std::shared_ptr<common::ProfileText> profile;
};

// The bytes of a file, read from the host when mounted and not read yet (a
// file that cannot be read reads as empty).
inline std::string& content(Node& n) {
    if (!n.loaded) {
        n.loaded = true;
        if (FILE* f = std::fopen(n.hostPath.c_str(), "rb")) {
            n.bytes.resize(n.hostSize);
            size_t got = n.hostSize ? std::fread(&n.bytes[0], 1, n.bytes.size(), f) : 0;
            n.bytes.resize(got);
            std::fclose(f);
        }
    }
    return n.bytes;
}
// The size without reading the bytes.
inline uint64_t sizeOf(const Node& n) { return n.loaded ? n.bytes.size() : n.hostSize; }
// Called before the bytes change.
inline std::string& changing(Node& n) {
    std::string& b = content(n);
    n.profile.reset();
    return b;
}

struct OpenFile {
    std::string name;
    uint32_t pos = 0;
    bool write = false;
};

// Every operation that can fail asks this first (operation name, path);
// true makes it fail with ERROR_ACCESS_DENIED.
using FailHook = std::function<bool(const char* op, const std::string& path)>;

struct State {
    bool enabled = false;
    std::map<std::string, Node, NoCaseLess> nodes;
    std::map<uintptr_t, OpenFile> open;
    uintptr_t nextHandle = 0x100;
    uint32_t lastError = 0;
    unsigned tempCounter = 0;
    FailHook fail;
};

inline State& state() {
    static State s;
    return s;
}

// Empties the file system and switches it on (or off).
inline void enable(bool on = true) {
    State& s = state();
    s.nodes.clear();
    s.open.clear();
    s.lastError = 0;
    s.tempCounter = 0;
    s.fail = nullptr;
    s.enabled = on;
}

inline bool failing(const char* op, const std::string& path) {
    State& s = state();
    if (s.fail && s.fail(op, path)) {
        s.lastError = 5;  // ERROR_ACCESS_DENIED
        return true;
    }
    return false;
}

// Index of the last separator, second bytes of double-byte characters
// skipped; npos when there is none.
inline size_t lastSeparator(const std::string& path) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\') found = i;
    }
    return found;
}

inline std::string nameOf(const std::string& path) {
    size_t i = lastSeparator(path);
    return i == std::string::npos ? path : path.substr(i + 1);
}

inline std::string parentOf(const std::string& path) {
    size_t i = lastSeparator(path);
    if (i == std::string::npos) return std::string();
    std::string p = path.substr(0, i);
    // "C:" alone is the root of the drive.
    if (p.size() == 2 && p[1] == ':') return p + "\\";
    return p;
}

// The path as the file system takes it: runs of separators count as one
// (the leading pair of a UNC name stays), a trailing one is dropped.
// The current folder (SetCurrentDirectoryA); empty until one is set.
inline std::string& currentFolder() {
    static std::string folder;
    return folder;
}

inline bool isAbsolute(const std::string& p) {
    return (p.size() >= 2 && p[1] == ':') || (p.size() >= 1 && p[0] == '\\');
}

// A name as stored: below the current folder when relative (as the file
// calls take it), separators single.
inline std::string normal(const std::string& given) {
    const std::string& cur = currentFolder();
    std::string path = given;
    if (!given.empty() && !cur.empty() && !isAbsolute(given)) path = cur + '\\' + given;
    std::string out;
    bool afterSeparator = false;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < path.size()) {
            out += path[i];
            out += path[++i];
            afterSeparator = false;
            continue;
        }
        if (c == '\\' && afterSeparator && i > 1) continue;
        // A "." level names the folder it is in.
        if (c == '.' && afterSeparator && (i + 1 == path.size() || path[i + 1] == '\\')) continue;
        afterSeparator = c == '\\';
        out += path[i];
    }
    if (out.size() > 3 && afterSeparator) out.pop_back();
    return out;
}

inline Node* find(const std::string& rawPath) {
    State& s = state();
    if (!s.enabled) return nullptr;
    const std::string path = normal(rawPath);
    // A drive root always exists.
    static Node root{true, 0x10, std::string()};
    if ((path.size() == 3 && path[1] == ':' && path[2] == '\\') || (path.size() == 2 && path[1] == ':'))
        return &root;
    auto it = s.nodes.find(path);
    return it == s.nodes.end() ? nullptr : &it->second;
}

inline bool parentExists(const std::string& path) {
    std::string p = parentOf(path);
    if (p.empty()) return true;
    Node* n = find(p);
    return n && n->folder;
}

// Puts a file (its folders made as needed) into the file system.
inline void addFile(const std::string& path, const std::string& bytes, uint32_t attributes = 0x20) {
    State& s = state();
    for (std::string p = parentOf(path); p.size() > 3; p = parentOf(p))
        s.nodes[p] = Node{true, 0x10, std::string()};
    s.nodes[path] = Node{false, attributes, bytes};
}

// '*' and '?' as the file search understands them, without case. Greedy
// with one back-track point, so runs of stars cost no more than one.
inline bool matches(const char* pat, const char* name) {
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pat == '*') {
            star = pat++;
            resume = name;
        } else if (*pat && (*pat == '?' || up(*pat) == up(*name))) {
            ++pat;
            ++name;
        } else if (star) {
            pat = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pat == '*') ++pat;
    return *pat == 0;
}

inline bool sameName(const std::string& a, const std::string& b) {
    return !NoCaseLess()(a, b) && !NoCaseLess()(b, a);
}

struct Search {
    std::vector<std::pair<std::string, Node>> found;
    size_t next = 0;
};

inline std::map<uintptr_t, Search>& searches() {
    static std::map<uintptr_t, Search> s;
    return s;
}

// Reserved address space: the whole range inaccessible until committed, as
// on the target, so a read or write past the committed part faults.
struct Region {
    size_t size;
};
inline std::map<uintptr_t, Region>& regions() {
    static std::map<uintptr_t, Region> r;
    return r;
}

}  // namespace fakefs
