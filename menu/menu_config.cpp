#include "menu_config.h"

#include <cstdio>
#include <new>

#include "menu_texts.h"
#include "profile.h"
#include "sjis.h"
#include "value_syntax.h"
#include "file_system.h"
#include "message_box.h"

namespace menu {

namespace {

const char* const kStyleNames[StyleCount] = {"Normal", "Activate", "Select", "Disable"};

// Formats into a scratch buffer first and then copies bounded, so that the
// caller's buffer never receives half a double-byte character.
void formatMessage(char* out, size_t outSize, const char* format, const char* a, const char* b = nullptr,
                   const char* c = nullptr) {
    char scratch[2048];
    std::snprintf(scratch, sizeof scratch, format, a, b, c);
    common::copyBounded(out, scratch, outSize);
}

short toShort(long v) { return static_cast<short>(static_cast<unsigned long>(v) & 0xFFFF); }

// A number key of the current section: leading sign and digits, 0 when
// missing. Read as text so that an overlong number saturates instead of
// wrapping round to a negative one (a 30-digit font size is large, not none).
long readNumber(common::ProfileFile& ini, const char* key) {
    char value[32];
    ini.readString(key, value, sizeof value);
    return values::parseDecimal(value);
}

// `Column` and `Row`: 3 when missing, empty or not a positive number.
int gridCount(common::ProfileFile& ini, const char* key) {
    if (!ini.hasValue(key)) return 3;
    long v = readNumber(ini, key);
    return v < 1 ? 3 : (v > kMaxExecuteButtons ? kMaxExecuteButtons : static_cast<int>(v));
}

}  // namespace

void MenuConfig::resolve(const char* name, char* out, size_t outSize) const {
    if (!out || outSize == 0) return;
    out[0] = '\0';
    if (!name || !name[0]) return;
    common::PathName p(baseFolder);
    const char* resolved = p.setNameWithExtension(name);
    // A name too long for a path is refused by the path object; it is kept
    // as written (bounded) so that the existence check reports it missing
    // instead of the key looking empty.
    common::copyBounded(out, resolved[0] ? resolved : name, outSize);
}

void readOstrelSection(common::ProfileFile& ini, MenuConfig& config) {
    ini.setSection("OSTREL");
    ini.readString("Caption", config.caption, sizeof config.caption);

    char value[common::PathName::kPathSize];
    common::PathName base(ini.getPath());
    ini.readString("PATH", value, sizeof value);
    if (value[0]) base.changeFolder(value);
    char folder[common::PathName::kPathSize];
    common::copyBounded(folder, base.drive(), sizeof folder);
    common::appendBounded(folder, base.folder(), sizeof folder);
    common::copyBounded(config.baseFolder, folder, sizeof config.baseFolder);

    config.whiteBack = ini.readBool("WHITEBACK");

    ini.readString("BackGround", value, sizeof value);
    config.resolve(value, config.backgroundPath, sizeof config.backgroundPath);

    ini.readString("disprect", value, sizeof value);
    config.hasDispRect = value[0] != '\0';
    long x = 0, y = 0;
    values::parsePoint(value, &x, &y);
    config.dispX = toShort(x);
    config.dispY = toShort(y);

    ini.readString("StdSound", value, sizeof value);
    config.resolve(value[0] ? value : "Click.wav", config.stdSoundPath, sizeof config.stdSoundPath);

    // A negative size would give the document window no area at all: it
    // keeps the dialog's own size like 0 does.
    x = 400, y = 110;
    ini.readString("InfoTextPos", value, sizeof value);
    values::parsePoint(value, &x, &y);
    config.infoX = static_cast<int>(x);
    config.infoY = static_cast<int>(y);
    x = 0, y = 0;
    ini.readString("InfoTextSize", value, sizeof value);
    values::parsePoint(value, &x, &y);
    config.infoWidth = x > 0 ? static_cast<int>(x) : 0;
    config.infoHeight = y > 0 ? static_cast<int>(y) : 0;
}

bool readButtonDesc(common::ProfileFile& ini, const MenuConfig& config, const char* section, int number,
                    ButtonDesc& desc, char* message, size_t messageSize) {
    ini.setSection(section);
    char key[40];
    char value[common::PathName::kPathSize];

    if (number > 0)
        std::snprintf(key, sizeof key, "Bitmap%d", number);
    else
        std::snprintf(key, sizeof key, "Bitmap");
    ini.readString(key, value, sizeof value);
    config.resolve(value, desc.bitmapPath, sizeof desc.bitmapPath);
    if (desc.bitmapPath[0] && !common::isExistingFile(desc.bitmapPath)) {
        formatMessage(message, messageSize, configtext::kMissingButtonImage, ini.section(), key,
                      desc.bitmapPath);
        return false;
    }

    if (number > 0)
        std::snprintf(key, sizeof key, "Position%d", number);
    else
        std::snprintf(key, sizeof key, "Position");
    ini.readString(key, value, sizeof value);
    long x = 0, y = 0;
    values::parsePoint(value, &x, &y);
    desc.x = toShort(x);
    desc.y = toShort(y);

    // Without a `Sound` key the click plays asynchronously, as with one.
    desc.soundAsync = 1;
    desc.soundPath[0] = '\0';
    ini.readString("Sound", value, sizeof value);
    if (value[0]) {
        char file[common::PathName::kPathSize];
        bool sync = false;
        values::parseSound(value, file, sizeof file, &sync);
        desc.soundAsync = sync ? 0 : 1;
        config.resolve(file, desc.soundPath, sizeof desc.soundPath);
        if (desc.soundPath[0] && !common::isExistingFile(desc.soundPath)) {
            formatMessage(message, messageSize, configtext::kMissingButtonSound, ini.section(),
                          desc.soundPath);
            return false;
        }
    }

    ini.readString("HintText", desc.hintText, sizeof desc.hintText);

    ini.readString("Decoration", value, sizeof value);
    int decoration = values::parseDecoration(value);

    COLORREF colour = RGB(0, 0, 0);
    for (int s = 0; s < StyleCount; ++s) {
        StateStyle& style = desc.styles[s];
        style = StateStyle();
        style.decoration = decoration;
        std::snprintf(key, sizeof key, "FontSize.%s", kStyleNames[s]);
        style.fontSize = values::clampFontSize(readNumber(ini, key));
        std::snprintf(key, sizeof key, "Color.%s", kStyleNames[s]);
        ini.readString(key, value, sizeof value);
        if (value[0]) colour = values::parseColour(value);
        style.textColor = colour;
    }
    return true;
}

void readExecuteGrid(common::ProfileFile& ini, ExecuteDesc& execute) {
    execute.columns = gridCount(ini, "Column");
    execute.rows = gridCount(ini, "Row");
    // Identifiers above the execute range belong to the page-menu buttons:
    // a larger grid is cut to whole rows that fit.
    if (execute.columns > kMaxExecuteButtons) execute.columns = kMaxExecuteButtons;
    if (execute.rows > kMaxExecuteButtons / execute.columns)
        execute.rows = kMaxExecuteButtons / execute.columns;
    char value[common::PathName::kPathSize];
    long a = 0, b = 0;
    ini.readString("Margin", value, sizeof value, "0,0");
    values::parsePoint(value, &a, &b);
    execute.marginX = toShort(a);
    execute.marginY = toShort(b);
}

int countMenuButtons(common::ProfileFile& ini) {
    ini.setSection("BUTTON.MENU");
    int count = 0;
    for (;;) {
        char key[40];
        std::snprintf(key, sizeof key, "BitMap%d", count + 1);
        if (!ini.hasValue(key)) break;
        ++count;
    }
    return count;
}

bool readButtonSections(common::ProfileFile& ini, MenuConfig& config, char* message, size_t messageSize) {
    if (message && messageSize) message[0] = '\0';
    config.exitButton.reset(new (std::nothrow) ButtonDesc);
    config.infoButton.reset(new (std::nothrow) ButtonDesc);
    config.tab.reset(new (std::nothrow) TabDesc);
    config.execute.reset(new (std::nothrow) ExecuteDesc);
    if (!config.exitButton || !config.infoButton || !config.tab || !config.execute) {
        common::copyBounded(message, configtext::kOutOfMemory, messageSize);
        return false;
    }

    if (!readButtonDesc(ini, config, "BUTTON.Exit", 0, *config.exitButton, message, messageSize))
        return false;
    if (!readButtonDesc(ini, config, "BUTTON.Info", 0, *config.infoButton, message, messageSize))
        return false;

    TabDesc& tab = *config.tab;
    if (!readButtonDesc(ini, config, "BUTTON.TAB", 0, tab, message, messageSize)) return false;
    char value[common::PathName::kPathSize];
    long a = 234, b = 40;
    ini.readString("Size", value, sizeof value, "234,40");
    values::parsePoint(value, &a, &b);
    tab.width = static_cast<int>(a);
    tab.height = static_cast<int>(b);
    a = 0, b = 3;
    ini.readString("Padding", value, sizeof value, "0,3");
    values::parsePoint(value, &a, &b);
    tab.paddingX = static_cast<int>(a);
    tab.paddingY = static_cast<int>(b);
    ini.readString("BGCOLOR", value, sizeof value, "128,128,128");
    tab.bgColor = values::parseColour(value);

    ExecuteDesc& execute = *config.execute;
    if (!readButtonDesc(ini, config, "BUTTON.Execute", 0, execute, message, messageSize)) return false;
    readExecuteGrid(ini, execute);

    int count = countMenuButtons(ini);
    if (count == 0) {
        common::copyBounded(message, configtext::kNoMenuButtons, messageSize);
        return false;
    }
    config.menuButtons.reset(new (std::nothrow) ButtonDesc[count]);
    if (!config.menuButtons) {
        config.menuButtonCount = 0;
        common::copyBounded(message, configtext::kOutOfMemory, messageSize);
        return false;
    }
    config.menuButtonCount = count;
    for (int i = 0; i < count; ++i) {
        if (!readButtonDesc(ini, config, "BUTTON.MENU", i + 1, config.menuButtons[i], message, messageSize))
            return false;
    }
    return true;
}

bool loadButtonSections(common::ProfileFile& ini, MenuConfig& config) {
    char message[kMessageSize];
    if (readButtonSections(ini, config, message, sizeof message)) return true;
    common::showMessageBox(nullptr, message, config.caption, MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace menu
