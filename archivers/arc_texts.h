// Texts the archiver libraries write into a caller's output buffer, one line
// per event.
#pragma once

namespace arc_texts {
// An entry that would land outside the destination folder (entry name).
const char* const kRefused = "展開先の外を指すため展開しません: %s\r\n";
// A file or folder that could not be created or written (full path).
const char* const kCannotWrite = "書き込めません: %s\r\n";
}  // namespace arc_texts
