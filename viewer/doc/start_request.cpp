#include "start_request.h"
#include "sjis.h"
#include <climits>

namespace viewer {
namespace {

class Cursor {
public:
    explicit Cursor(const std::string& s) : s_(s) {}
    bool atEnd() const { return i_ >= s_.size(); }
    unsigned char peek(size_t ahead = 0) const {
        return i_ + ahead < s_.size() ? static_cast<unsigned char>(s_[i_ + ahead]) : 0;
    }
    void next(size_t n = 1) { i_ = (i_ + n < s_.size()) ? i_ + n : s_.size(); }
    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t')) next();
    }
    // Appends the character at the cursor to out (both bytes of a double-byte one) and steps over it.
    void takeChar(std::string& out) {
        size_t n = common::isPathLeadByte(peek()) && i_ + 1 < s_.size() ? 2 : 1;
        out.append(s_, i_, n);
        next(n);
    }
    // Skips a character whole (both bytes of a double-byte one).
    void nextChar() { next(common::isPathLeadByte(peek()) && i_ + 1 < s_.size() ? 2 : 1); }
    std::string rest() const { return i_ < s_.size() ? s_.substr(i_) : std::string(); }

    // Decimal number with an optional minus; saturates instead of overflowing.
    int number() {
        bool negative = false;
        if (peek() == '-') {
            negative = true;
            next();
        }
        long long v = 0;
        while (peek() >= '0' && peek() <= '9') {
            if (v < INT_MAX) v = v * 10 + (peek() - '0');
            next();
        }
        if (v > INT_MAX) v = INT_MAX;
        return negative ? static_cast<int>(-v) : static_cast<int>(v);
    }

private:
    const std::string& s_;
    size_t i_ = 0;
};

bool isDriveStart(const Cursor& c, size_t ahead) {
    unsigned char d = c.peek(ahead);
    return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && c.peek(ahead + 1) == ':';
}

std::string parseFileName(Cursor& c) {
    std::string name;
    if (c.peek() == '"') {
        c.next();
        while (!c.atEnd() && c.peek() != '"') {
            c.takeChar(name);
        }
    } else {
        while (!c.atEnd()) {
            unsigned char b = c.peek();
            if ((b == ' ' || b == ';') && (isDriveStart(c, 1) || c.peek(1) == '\\')) break;
            if (b == '"') {
                // A quoted stretch inside a bare name keeps its blanks.
                c.next();
                while (!c.atEnd() && c.peek() != '"') {
                    c.takeChar(name);
                }
                c.next();
                continue;
            }
            c.takeChar(name);
        }
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    }
    return truncateSjis(name, kMaxPath - 1);
}

}  // namespace

std::string truncateSjis(const std::string& text, size_t maxBytes) {
    return text.substr(0, common::boundedLength(text.c_str(), text.size(), maxBytes));
}

StartRequest parseCommandLine(const std::string& args) {
    StartRequest r;
    Cursor c(args);
    c.skipBlanks();
    while (c.peek() == '/') {
        c.next();
        if (c.atEnd()) break;
        unsigned char letter = c.peek();
        unsigned char lower = (letter >= 'A' && letter <= 'Z') ? letter + 32 : letter;
        switch (lower) {
        case '!':
            r.startedByViewer = true;
            c.next();
            break;
        case '(': {
            // Each of the four numbers follows exactly one separator: the '(' and the commas.
            int v[4] = {0, 0, 0, 0};
            for (int k = 0; k < 4 && !c.atEnd(); ++k) {
                c.next();
                v[k] = c.number();
            }
            r.left = v[0];
            r.top = v[1];
            r.width = v[2];
            r.height = v[3];
            r.haveRect = true;
            r.explicitGeometry = true;
            break;
        }
        case '@':
            r.explicitGeometry = true;
            c.next();
            break;
        case '-':
        case 'h':
            r.startHidden = true;
            r.showCommand = 0;
            c.next();
            break;
        case 'b':
            r.browse = true;
            c.next();
            break;
        case 'c': {
            c.next();
            c.skipBlanks();
            std::string name;
            while (!c.atEnd() && c.peek() > ' ') {
                name += static_cast<char>(c.peek());
                c.next();
            }
            r.fileTypeName = truncateSjis(name, kMaxPath - 1);
            break;
        }
        case 'd': {
            c.next();
            c.skipBlanks();
            std::string folder;
            if (c.peek() == '"') {
                c.next();
                while (!c.atEnd() && c.peek() != '"' && c.peek() != '/') {
                    c.takeChar(folder);
                }
                if (c.peek() == '"') c.next();
            } else {
                while (!c.atEnd() && c.peek() != ' ' && c.peek() != '/') {
                    c.takeChar(folder);
                }
            }
            if (!folder.empty() && folder[0] >= 'A' && folder[0] <= 'Z') folder[0] += 32;
            r.folder = truncateSjis(folder, kMaxPath - 1);
            r.haveFolder = true;
            break;
        }
        case 'f': {
            c.next();
            unsigned char k = c.peek();
            if (k >= 'A' && k <= 'Z') k += 32;
            r.forcedCode = k == 's' ? 1 : k == 'u' ? 2 : k == 'e' ? 3 : k == 'j' ? 4 : 0;
            break;
        }
        case 'j': {
            c.next();
            c.skipBlanks();
            if (c.peek() == 'e' || c.peek() == 'E') {
                r.jumpLine = -1;
                r.jumpColumn = 0;
                c.next();
            } else {
                int line = c.number();
                r.jumpLine = line < 0 ? 0 : line;
                r.jumpColumn = 0;
                if (c.peek() == ',') {
                    c.next();
                    c.skipBlanks();
                    int col = c.number();
                    r.jumpColumn = col < 0 ? 0 : (col & 0xFFFF);
                }
            }
            break;
        }
        case 'k': {
            c.next();
            c.skipBlanks();
            int row = c.number();
            r.jumpRow = row < 0 ? -1 : row;
            break;
        }
        case 'p':
            r.printAndClose = true;
            c.next();
            break;
        case 'e':
        case 'g':
        case 'o':
        case 'r':
        case 'x':
            c.next();
            break;
        default: {
            std::string bad(1, static_cast<char>(letter));
            if (common::isPathLeadByte(letter) && c.peek(1)) bad += static_cast<char>(c.peek(1));
            r.badOptions.push_back(bad);
            c.nextChar();
            break;
        }
        }
        while (!c.atEnd() && c.peek() != ' ' && c.peek() != '\t' && c.peek() != '/') c.nextChar();
        c.skipBlanks();
    }
    r.fileName = parseFileName(c);
    return r;
}

}  // namespace viewer
