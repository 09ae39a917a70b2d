#include "settings.h"
#include "doc_texts.h"
#include <cstring>

namespace viewer {

namespace {
const char kDefaultFilter[] = "*.txt;*.log;*.doc;*.htm*;*.cpp;*.c;*.h";

void copyText(char* dest, size_t size, const char* src) {
    std::strncpy(dest, src, size - 1);
    dest[size - 1] = 0;
}
}  // namespace

void ViewerSettings::fillDefaults(unsigned char dialogKind) {
    // Keep the copies taken from the string table at start-up.
    char face[sizeof fontFace], space[sizeof fullWidthSpace];
    std::memcpy(face, fontFace, sizeof face);
    std::memcpy(space, fullWidthSpace, sizeof space);
    *this = ViewerSettings();
    std::memcpy(fontFace, face, sizeof face);
    std::memcpy(fullWidthSpace, space, sizeof space);

    openDialogKind = dialogKind;
    copyText(fileFilter, sizeof fileFilter, kDefaultFilter);
    copyText(noStartChars, sizeof noStartChars, docText(kTextNoStartChars));
    copyText(noEndChars, sizeof noEndChars, docText(kTextNoEndChars));
    keys.setDefaults();
}

void ViewerSettings::applyFileTypeOptions() {
    if (!fileTypeFixed) fileType = FileTypeOptions();
}

ViewerSettings& settings() {
    static ViewerSettings record;
    return record;
}

}  // namespace viewer
