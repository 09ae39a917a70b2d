// Result codes of the archiver libraries, shared by the libraries and their
// callers. The command function and ExtractMem answer ARC_OK (0) or one of
// the errors; FindFirst/FindNext answer 0 for an item, ARC_END_OF_ITEMS at the
// end of the archive and an error otherwise. Kept free of <windows.h> so that
// the command-line and name checks can be built on the host too.
#pragma once

enum ArcResult {
    ARC_OK = 0,
    ARC_END_OF_ITEMS = -1,
    ARC_ERROR_FIRST = 0x8000,
    ARC_ERROR_UNKNOWN_COMMAND = 0x8001,  // no or an unknown command
    ARC_ERROR_UNKNOWN_SWITCH = 0x8002,   // a switch this library does not know
    ARC_ERROR_NO_ARCHIVE_NAME = 0x8003,  // the command line names no archive
    ARC_ERROR_ARCHIVE_MISSING = 0x8004,  // the archive file cannot be opened
    ARC_ERROR_NOT_ARCHIVE = 0x8005,      // not an archive of this library's kind
    ARC_ERROR_BROKEN_ARCHIVE = 0x8006,   // the archive is damaged or truncated
    ARC_ERROR_UNSAFE_NAME = 0x8007,      // entries were refused: they would land outside the folder
    ARC_ERROR_CANNOT_WRITE = 0x8008,     // a file or folder could not be created or written
    ARC_ERROR_USER_CANCEL = 0x8009,      // the owner answered 1
    ARC_ERROR_NOT_FOUND = 0x800A,        // no item matched the names given
    ARC_ERROR_BUSY = 0x800B,             // called again from inside a notification
    ARC_ERROR_BAD_HANDLE = 0x800C,       // not a handle from OpenArchive
    ARC_ERROR_BAD_ARGUMENT = 0x800D,     // a null pointer or a size of 0 where one is needed
    ARC_ERROR_NO_MEMORY = 0x800E,
};
