#include "picture_check.h"

#include <cstring>
#include <map>
#include <vector>

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

struct Result {
    bool error;
    std::string text;
};
// Findings of each picture checked so far, by path, name and frames.
std::map<std::string, std::vector<Result>>* g_results = nullptr;

void collectPngMessage(const char* title, const char* text) {
    if (!g_messages) return;
    std::string& into =
        std::string(title) == menu::imagetext::kPngWarningTitle ? g_messages->warning : g_messages->error;
    if (into.empty()) into = text;
}

}  // namespace

void decodePicture(const std::string& path, const std::string& name, int frames, Findings& out);

PictureResults::PictureResults() { g_results = new std::map<std::string, std::vector<Result>>(); }

PictureResults::~PictureResults() {
    delete g_results;
    g_results = nullptr;
}

void checkPicture(const std::string& path, const std::string& name, int frames, const std::string& file,
                  int line, Findings& out) {
    if (path.empty() || !common::isExistingFile(path)) return;
    std::string key = common::formatText("%s|%s|%d", path.c_str(), name.c_str(), frames);
    if (g_results) {
        auto at = g_results->find(key);
        if (at != g_results->end()) {
            for (const Result& r : at->second) out.add(file, line, r.error, r.text);
            return;
        }
    }
    // The findings of this picture, kept for its next check.
    Findings mine;
    decodePicture(path, name, frames, mine);
    std::vector<Result> results;
    for (const Finding& f : mine.all()) {
        out.add(file, line, f.error, f.text);
        results.push_back(Result{f.error, f.text});
    }
    if (g_results) (*g_results)[key] = results;
}

// Decodes the picture and reports what is wrong with it (file and line are
// set by the caller).
void decodePicture(const std::string& path, const std::string& name, int frames, Findings& out) {
    const std::string file;
    const int line = 0;
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
