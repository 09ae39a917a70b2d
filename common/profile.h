// One profile (INI) file beside the program plus a current section: typed
// reads with fixed defaults through the platform's private-profile functions.
// Every read yields its default without touching the disk when the file is
// missing, so callers never test for the file first. Nothing here writes.
#pragma once
#include <windows.h>

#include "profile_text.h"

namespace common {

class ProfileFile {
public:
    static const int kPathSize = 260;
    static const int kSectionSize = 128;

    ProfileFile();
    ~ProfileFile();
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // Chooses the file relative to the module's own path and returns exists():
    //  - no name: the module path with ".ini", ".dat" or ".lst", the first
    //    that exists (".ini" when none does);
    //  - ".ext": the module path with its extension replaced;
    //  - a name with a backslash: that full path;
    //  - a bare name: that name in the module's folder.
    bool locate(HMODULE module, const char* name = nullptr);
    // The same rules with the module's path given directly.
    bool locateFrom(const char* modulePath, const char* name = nullptr);
    // Tests the path with GetFileAttributesA; updates exists and readOnly.
    bool checkExists();

    // Copies the path into buffer (kPathSize bytes) when given; returns it.
    const char* getPath(char* buffer = nullptr) const;
    bool exists() const { return exists_; }
    bool readOnly() const { return readOnly_; }

    // The current section. Callers may copy a name straight into section()
    // (kSectionSize bytes) or use setSection, which cuts overlong names.
    char* section() { return section_; }
    const char* section() const { return section_; }
    void setSection(const char* name);

    // True when the key of the current section has a non-empty value.
    bool hasValue(const char* key) const;
    // Reads a string into buffer (size bytes, always terminated; overlong
    // values are cut). Returns the number of characters copied. With the
    // file missing the default (empty without one) is returned.
    int readString(const char* key, char* buffer, int size) const;
    int readString(const char* section, const char* key, char* buffer, int size) const;
    int readString(const char* key, char* buffer, int size, const char* defaultValue) const;
    int readString(const char* section, const char* key, char* buffer, int size,
                   const char* defaultValue) const;
    // Leading decimal digits with optional sign; 0 when missing.
    int readInt(const char* key) const;
    // True for "true" or "yes" in any case; false for anything else.
    bool readBool(const char* key) const;

    // While one of these lives, every ProfileFile of the process reads each
    // file once into memory and answers from that copy (the same answers as
    // the system calls, see profile_text.h). For a reader that asks one file
    // thousands of questions: each system call opens and scans the file
    // anew, about 3 ms under Wine. The programs never use it, so a file
    // changed while they run is read as it is now. Not nestable; the copies
    // are dropped when the scope ends.
    class FilesReadOnce {
    public:
        FilesReadOnce();
        ~FilesReadOnce();
        FilesReadOnce(const FilesReadOnce&) = delete;
        FilesReadOnce& operator=(const FilesReadOnce&) = delete;
    };
    // The in-memory copy of the file at path: within a FilesReadOnce scope
    // read once and kept, outside one read anew on every call (the pointer
    // then holds until the next call for the path). Null when the file cannot
    // be read.
    static const ProfileText* readOnce(const char* path);

private:
    // The copy of this file while reads are served from memory, else null.
    const ProfileText* memoryCopy() const;

    char* path_;
    char* section_;
    bool exists_ = false;
    bool readOnly_ = false;
};

}  // namespace common
