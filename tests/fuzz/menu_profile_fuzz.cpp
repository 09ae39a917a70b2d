// MENU.INI and MENU.DAT read through the private-profile calls over an
// in-memory disc folder holding both files and a few images and sounds.
// Properties: every text read stays terminated inside its array, a failed
// read of the button sections leaves a terminated message, the execute grid
// never outgrows its control identifiers, list counts stay within what was
// reserved, and the reference warning stays terminated inside its buffer.
#include <cstdint>

#include "fuzz_support.h"
#include "menu_config.h"
#include "menu_data.h"
#include "message_box.h"
#include "profile.h"

// The harness has no screen: boxes are counted, never shown.
int common::showMessageBox(HWND, const char* text, const char* caption, UINT) {
    FUZZ_CHECK(text && caption);
    return 1;
}

using namespace menu;

namespace {

template <size_t N>
bool terminated(const char (&text)[N]) {
    return std::memchr(text, 0, N) != nullptr;
}

void checkButton(const ButtonDesc& b) {
    FUZZ_CHECK(terminated(b.bitmapPath));
    FUZZ_CHECK(terminated(b.hintText));
    FUZZ_CHECK(terminated(b.soundPath));
    for (const StateStyle& s : b.styles) {
        FUZZ_CHECK(s.fontSize <= 20);
        FUZZ_CHECK(s.decoration >= 0 && s.decoration <= 2);
    }
}

void checkList(const NamedList& list) {
    FUZZ_CHECK(list.count >= 0 && list.count <= list.capacity);
    for (int i = 0; i < list.count; ++i) {
        FUZZ_CHECK(terminated(list.titles[i]));
        FUZZ_CHECK(terminated(list.sections[i]));
    }
}

void ignoreWarning(HWND, const char* title, const char* text) { FUZZ_CHECK(title && text); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakefs::enable();
    // Files the two profiles may refer to: some exist, most do not.
    static const char* const kFiles[] = {"D:\\DISC\\A.BMP", "D:\\DISC\\B.WAV", "D:\\DISC\\Click.wav",
                                         "D:\\DISC\\PIC\\C.BMP", "D:\\DISC\\INFO.TXT"};
    for (const char* f : kFiles)
        if (in.ConsumeBool()) fakefs::addFile(f, "x");
    const bool readOnlyData = in.ConsumeBool();
    std::string ini = in.ConsumeRandomLengthString(4096);
    std::string dat = in.ConsumeRemainingBytesAsString();
    fakefs::addFile("D:\\DISC\\MENU.INI", ini);
    fakefs::addFile("D:\\DISC\\MENU.DAT", dat, readOnlyData ? 0x21 : 0x20);

    {
        common::ProfileFile profile;
        profile.locateFrom("D:\\DISC\\PROGRAM.EXE", "MENU.INI");
        MenuConfig config;
        readOstrelSection(profile, config);
        FUZZ_CHECK(terminated(config.caption));
        FUZZ_CHECK(terminated(config.baseFolder));
        FUZZ_CHECK(terminated(config.backgroundPath));
        FUZZ_CHECK(terminated(config.stdSoundPath));
        char message[kMessageSize];
        std::memset(message, 'm', sizeof message);
        if (readButtonSections(profile, config, message, sizeof message)) {
            checkButton(*config.exitButton);
            checkButton(*config.infoButton);
            checkButton(*config.tab);
            checkButton(*config.execute);
            FUZZ_CHECK(config.executeCount() >= 0 && config.executeCount() <= kMaxExecuteButtons);
            FUZZ_CHECK(config.menuButtonCount > 0);
            for (int i = 0; i < config.menuButtonCount; ++i) checkButton(config.menuButtons[i]);
        } else {
            FUZZ_CHECK(terminated(message));
        }
    }

    MenuData menu;
    menu.setWarningSink(ignoreWarning);
    menu.setOwner(nullptr, "Caption");
    menu.locate(nullptr, "MENU.DAT");
    char path[common::PathName::kPathSize];
    menu.startImagePath(path, sizeof path);
    FUZZ_CHECK(terminated(path));
    const int pages = menu.loadPages();
    checkList(menu.pages);
    FUZZ_CHECK(pages == menu.pages.count);
    FUZZ_CHECK(menu.loadEntries(pages) == -1);
    // At most a few pages and entries, so one input stays quick.
    for (int p = 0; p < pages && p < 4; ++p) {
        const int entries = menu.loadEntries(p);
        checkList(menu.entries);
        FUZZ_CHECK(entries == menu.entries.count);
        for (int e = 0; e < entries && e < 4; ++e) {
            const int commands = menu.loadCommands(e);
            FUZZ_CHECK(commands == menu.commands.count);
            FUZZ_CHECK(commands >= 0 && commands <= menu.commands.capacity);
            for (int c = 0; c < commands; ++c) {
                FUZZ_CHECK(terminated(menu.commands.labels[c]));
                FUZZ_CHECK(terminated(menu.commands.hints[c]));
                FUZZ_CHECK(terminated(menu.commands.commandLists[c]));
            }
            FUZZ_CHECK(terminated(menu.displayImagePath));
            FUZZ_CHECK(terminated(menu.popupLink));
            FUZZ_CHECK(terminated(menu.popupTextPath));
            FUZZ_CHECK(std::memchr(menu.warnings(), 0, MenuData::kWarningSize) != nullptr);
        }
    }
    fakefs::enable(false);
    return 0;
}
