#include "installer_messages.h"
#include "file_system.h"
#include "message_box.h"
#include "path_text.h"
#include "message_text.h"
#include "texts.h"
#include "sjis.h"
#include "text_format.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace installer {

const char* programName() {
    static char name[MAX_PATH];
    if (!name[0]) {
        std::string path = common::programPath();
        common::copyBounded(name, common::fileNamePart(path.c_str()), sizeof name);
        if (char* dot = const_cast<char*>(common::findChar(name, '.'))) *dot = 0;
    }
    return name;
}

void makeCaption(const char* title, char* out, size_t size) {
    std::string caption =
        title && *title ? common::formatText("%s - %s", programName(), title) : programName();
    common::copyBounded(out, caption.c_str(), size);
}

int messageBox(const char* textIn, const char* title, UINT flags) {
    char body[kMessageBytes];
    char caption[kMessageBytes];
    processEscapes(textIn, body, sizeof body);
    makeCaption(title, caption, sizeof caption);
    return common::showMessageBox(nullptr, body, caption, flags);
}

void errorBox(const char* title, const char* format, ...) {
    char body[1024];
    va_list ap;
    va_start(ap, format);
    vsnprintf(body, sizeof body, format, ap);
    va_end(ap);
    // The program's own texts carry real line breaks already; running escape
    // processing over them would eat the backslashes of paths put into them
    // outside single quotes ("\"%s\"が実行できませんでした").
    char text[kMessageBytes];
    char caption[kMessageBytes];
    common::copyBounded(text, body, sizeof text);
    makeCaption(title, caption, sizeof caption);
    common::showMessageBox(nullptr, text, caption, MB_ICONHAND | MB_OK);
}

bool askQuestion(const char* textIn, const char* title) {
    int r = messageBox(textIn, title ? title : texts::kTitleQuestion, MB_ICONQUESTION | MB_OKCANCEL);
    return r == IDOK || r == IDYES;
}

}  // namespace installer
