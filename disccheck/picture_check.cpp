#include "picture_check.h"

#include <cstring>

#include "cbmp.h"
#include "check_texts.h"
#include "file_system.h"
#include "menu_texts.h"
#include "png_decode.h"
#include "text_format.h"

namespace disccheck {

namespace {

// libpng's messages for the picture being decoded, instead of the boxes the
// menu shows.
struct PngMessages {
    std::string error;
    std::string warning;
};
PngMessages* g_messages = nullptr;

void collectPngMessage(const char* title, const char* text) {
    if (!g_messages) return;
    std::string& into =
        std::string(title) == menu::imagetext::kPngWarningTitle ? g_messages->warning : g_messages->error;
    if (into.empty()) into = text;
}

}  // namespace

void checkPicture(const std::string& path, const std::string& name, int frames, const std::string& file,
                  int line, Findings& out) {
    if (path.empty() || !common::isExistingFile(path)) return;
    menu::cBmp picture;
    menu::PngFile png;
    PngMessages messages;
    menu::PngFile::Reporter previous = menu::PngFile::reporter();
    g_messages = &messages;
    menu::PngFile::setReporter(collectPngMessage);
    bool decoded = png.loadPng(path.c_str()) ? png.decodePng(picture) : picture.loadBmp(path.c_str());
    menu::PngFile::setReporter(previous);
    g_messages = nullptr;
    if (!messages.warning.empty()) out.add(file, line, false, "'" + name + "' " + messages.warning);
    if (!decoded) {
        std::string text = "'" + name + "' " + messages.error;
        if (messages.error.empty()) {
            // The probe's own text names the file by its full path.
            const char* probe = png.errorText();
            text = std::strlen(probe) > path.size() + 2
                       ? "'" + name + "'" + (probe + path.size() + 2)
                       : common::formatText(checktext::kNotPicture, name.c_str());
        }
        out.add(file, line, true, text);
        return;
    }
    if (frames <= 0) return;
    int height = picture.height();
    if (height < frames)
        out.add(file, line, true, common::formatText(checktext::kNoFrames, name.c_str(), height, frames));
    else if (height % frames)
        out.add(file, line, false,
                common::formatText(checktext::kUnevenFrames, name.c_str(), height, frames, height % frames));
}

}  // namespace disccheck
