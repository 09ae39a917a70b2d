#include "find_dialog.h"
#include "app.h"
#include "client_host.h"
#include "dialog_base.h"
#include "frame.h"
#include "search_commands.h"
#include "settings.h"
#include "sjis.h"
#include "text_view.h"
#include "viewer_link.h"
#include "../../resources/viewer/resource.h"
#include <vector>

namespace viewer {
namespace {

// While no window is in front after the dialog lost the activation, the
// foreground is looked at again every 50 ms for up to 2 s.
constexpr UINT_PTR kForegroundRecheckTimer = 1;
constexpr UINT kForegroundRecheckMs = 50;
constexpr int kForegroundRechecks = 40;

// Another viewer's frame when it (or one of its windows) is in front; null otherwise.
HWND otherViewerInFront() {
    HWND fg = GetForegroundWindow();
    if (!fg) return nullptr;
    HWND root = GetAncestor(fg, GA_ROOTOWNER);
    if (!root || root == app().frame || !link::isViewerFrame(root)) return nullptr;
    return root;
}

// Commands 61 and 120 bring another viewer frame to the front (or switch
// the panes of a split window); the frame now in front, if it is another
// viewer's, is the one the dialog follows. The switch raises that frame to
// the top of the z-order even when the activation does not arrive: this
// process has just destroyed its foreground dialog and may no longer be
// allowed to hand the foreground on, which leaves no window in front. The
// topmost viewer frame, when not this one, is then the one switched to.
HWND switchToSiblingViewer(bool next) {
    dispatchCommand(next ? IDM_NEXT_VIEWER : IDM_PREV_VIEWER);
    if (HWND front = otherViewerInFront()) return front;
    std::vector<HWND> frames = link::otherViewers(nullptr, true);
    return !frames.empty() && frames.front() != app().frame ? frames.front() : nullptr;
}

class FindDialog : public common::DialogBase {
public:
    FindDialog(bool up, bool reopen) : up_(up), reopen_(reopen) {}

    FindOutcome run() {
        App& a = app();
        if (!a.view || !createModeless(a.instance, IDD_FIND, a.frame)) return out_;
        EnableWindow(a.frame, FALSE);
        ShowWindow(hwnd_, SW_SHOW);
        MSG m;
        while (!done_ && hwnd_) {
            BOOL got = GetMessageA(&m, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(m.wParam));  // the outer loop ends too
                break;
            }
            if (got < 0) break;
            // The loop looks at every key first: the viewer's keys act on the dialog.
            if (m.message == WM_KEYDOWN && handleKey(m.wParam)) continue;
            if (IsDialogMessageA(hwnd_, &m)) continue;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        done_ = true;
        // The frame is enabled before the dialog goes, so that it takes the activation back.
        if (a.frame) EnableWindow(a.frame, TRUE);
        if (hwnd_) DestroyWindow(hwnd_);
        if (switchCommand_) {
            HWND to = switchToSiblingViewer(switchCommand_ == IDM_NEXT_VIEWER);
            if (to)
                PostMessageA(to, WM_COMMAND,
                             switchCommand_ == IDM_NEXT_VIEWER ? IDM_FIND_AGAIN_DOWN : IDM_FIND_AGAIN_UP, 0);
        } else if (followTo_) {
            PostMessageA(followTo_, WM_COMMAND, up_ ? IDM_FIND_AGAIN_UP : IDM_FIND_AGAIN_DOWN, 0);
        }
        return out_;
    }

protected:
    BOOL onInit() override {
        App& a = app();
        SearchState& s = searchState();
        ViewModel& m = a.view->model();
        if (s.boundsSet && !common::equalsNoCase(s.boundsText.c_str(), s.text.c_str())) s.boundsSet = false;

        HWND combo = item(IDC_FIND_TEXT);
        SendMessageA(combo, CB_LIMITTEXT, kSearchTextLimit, 0);
        for (const std::string& h : s.history)
            if (!h.empty()) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(h.c_str()));

        out_.recorded = TextPosition{m.caretRow(), m.caretColumn()};
        std::string text;
        if (reopen_) {
            text = s.text;
        } else {
            bool usedSelection = false;
            TextPosition from;
            // "Take more" goes on after the selection or word that fills the field.
            TextPosition selectionEnd{m.selection().lastRow(), m.selection().lastCol()};
            text = searchTextFromDocument(s.wholeWord, &from, &usedSelection);
            if (!text.empty()) {
                out_.recorded = from;
                TextSearcher searcher(&a.rows);
                takenEnd_ =
                    usedSelection ? selectionEnd : searcher.advance(from, static_cast<int>(text.size()));
                taken_ = true;
            } else if (!usedSelection) {
                text = s.text;  // nothing at the caret: the current string
            }
        }

        // The selection's rows can bound the search (not a box selection).
        bool canBound = m.hasSelection() && !m.selection().box;
        EnableWindow(item(IDC_FIND_IN_SELECTION), canBound);
        if (canBound) {
            const Selection& sel = m.selection();
            boundsFirst_ = sel.startRow();
            boundsLast_ = sel.lastRow();
            if (sel.lastCol() == 0 && boundsLast_ > boundsFirst_) --boundsLast_;  // ends before that row
            out_.selectionStart = TextPosition{sel.startRow(), sel.startCol()};
            out_.selectionEnd = TextPosition{sel.lastRow(), sel.lastCol()};
            CheckDlgButton(hwnd_, IDC_FIND_IN_SELECTION,
                           sel.lastRow() > sel.startRow() + 10 ? BST_CHECKED : BST_UNCHECKED);
        }
        CheckDlgButton(hwnd_, IDC_FIND_CASE, s.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_FIND_WORD, s.wholeWord ? BST_CHECKED : BST_UNCHECKED);
        setField(text);

        if (up_) {
            SendMessageA(hwnd_, DM_SETDEFID, IDC_FIND_UP, 0);
            SendMessageA(item(IDOK), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            SendMessageA(item(IDC_FIND_UP), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        }

        HMENU sys = GetSystemMenu(hwnd_, FALSE);
        if (sys) {
            AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sys, MF_STRING, IDM_NEXT_VIEWER, loadText(IDS_NEXTVIEWER).c_str());
            AppendMenuA(sys, MF_STRING, IDM_PREV_VIEWER, loadText(IDS_PREVVIEWER).c_str());
            AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sys, MF_STRING, IDM_FILE_TOP, loadText(IDS_FIND_FILE_TOP).c_str());
            AppendMenuA(sys, MF_STRING, IDM_FILE_END, loadText(IDS_FIND_FILE_END).c_str());
            AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sys, MF_STRING, IDM_FIND, loadText(IDS_FIND_TAKE_MORE).c_str());
        }

        // Top right of the frame, away from the middle where matches are shown.
        RECT fr, dr;
        GetWindowRect(a.frame, &fr);
        GetWindowRect(hwnd_, &dr);
        int x = fr.right - (dr.right - dr.left) - 24;
        SetWindowPos(hwnd_, nullptr, x > fr.left ? x : fr.left, fr.top + 48, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }

    void onCommand(int id, int code, HWND) override {
        switch (id) {
        case IDOK:
            finish(false);
            break;
        case IDC_FIND_UP:
            finish(true);
            break;
        case IDCANCEL:
            done_ = true;
            break;
        case IDC_FIND_CASE:
        case IDC_FIND_WORD:
            if (code == BN_CLICKED)
                CheckDlgButton(hwnd_, id,
                               IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        default:
            break;
        }
    }

    INT_PTR onMessage(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
        case WM_SYSCOMMAND:
            if (wp == IDM_NEXT_VIEWER || wp == IDM_PREV_VIEWER || wp == IDM_FILE_TOP || wp == IDM_FILE_END ||
                wp == IDM_FIND) {
                systemCommand(static_cast<unsigned>(wp));
                SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_ACTIVATE:
        case WM_NCACTIVATE:
        case WM_ACTIVATEAPP:
            // Whether the user went to another viewer is known once the
            // activation has settled. A window of another process brought to
            // the front may leave only one of these messages here.
            if ((msg == WM_ACTIVATE ? LOWORD(wp) == WA_INACTIVE : wp == FALSE) && !done_) {
                rechecks_ = 0;
                PostMessageA(hwnd_, WMU_FIND_CHECK_FOREGROUND, 0, 0);
            }
            return FALSE;
        case WM_TIMER:
            if (wp != kForegroundRecheckTimer) return FALSE;
            KillTimer(hwnd_, kForegroundRecheckTimer);
            [[fallthrough]];
        case WMU_FIND_CHECK_FOREGROUND:
            if (!done_) {
                if (HWND other = otherViewerInFront()) {
                    followTo_ = other;
                    done_ = true;
                } else if (!GetForegroundWindow() && rechecks_ < kForegroundRechecks) {
                    // The activation is still passing between processes (no
                    // window is in front for a moment on a busy machine):
                    // look again shortly rather than miss the user's move.
                    ++rechecks_;
                    SetTimer(hwnd_, kForegroundRecheckTimer, kForegroundRecheckMs, nullptr);
                }
            }
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    bool handleKey(WPARAM vk) {
        bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
        if (ctrl && vk == VK_TAB) {
            systemCommand(shift ? IDM_PREV_VIEWER : IDM_NEXT_VIEWER);
            return true;
        }
        if (ctrl && !shift && (vk == VK_HOME || vk == VK_END)) {
            systemCommand(vk == VK_HOME ? IDM_FILE_TOP : IDM_FILE_END);
            return true;
        }
        switch (settings().keys.lookup(static_cast<unsigned>(vk), ctrl, shift, false)) {
        case IDM_FIND:
            takeMore();
            return true;
        case IDM_FIND_NEXT:
            finish(false);
            return true;
        case IDM_FIND_PREVIOUS:
            finish(true);
            return true;
        default:
            return false;
        }
    }

    void systemCommand(unsigned id) {
        App& a = app();
        switch (id) {
        case IDM_NEXT_VIEWER:
        case IDM_PREV_VIEWER:
            switchCommand_ = id;
            done_ = true;
            break;
        case IDM_FILE_TOP:
        case IDM_FILE_END:
            dispatchCommand(id);
            if (a.view)
                out_.recorded = TextPosition{a.view->model().caretRow(), a.view->model().caretColumn()};
            taken_ = false;
            break;
        case IDM_FIND:
            takeMore();
            break;
        default:
            break;
        }
    }

    // One more word of the text after what the field took from the document;
    // the word at the caret when nothing was taken yet.
    void takeMore() {
        App& a = app();
        if (!a.view) return;
        TextSearcher searcher(&a.rows);
        std::string text = fieldText();
        if (!taken_) {
            ViewModel& m = a.view->model();
            TextPosition caret{m.caretRow(), m.caretColumn()};
            std::string word = searcher.wordAt(caret, false);
            if (word.empty()) return;
            text = word;
            takenEnd_ = searcher.advance(caret, static_cast<int>(word.size()));
            taken_ = true;
        } else {
            int room = kSearchTextLimit - static_cast<int>(text.size());
            TextPosition end;
            std::string piece = searcher.pieceAfter(takenEnd_, room, &end);
            if (piece.empty()) {
                MessageBeep(0);
                return;
            }
            text += piece;
            takenEnd_ = end;
        }
        setField(text);
    }

    void finish(bool up) {
        SearchState& s = searchState();
        std::string text = fieldText();
        done_ = true;
        if (text.empty()) return;  // an empty string never searches: as cancel
        s.text = text;
        s.caseSensitive = IsDlgButtonChecked(hwnd_, IDC_FIND_CASE) == BST_CHECKED;
        s.wholeWord = IsDlgButtonChecked(hwnd_, IDC_FIND_WORD) == BST_CHECKED;
        bool within = IsWindowEnabled(item(IDC_FIND_IN_SELECTION)) &&
                      IsDlgButtonChecked(hwnd_, IDC_FIND_IN_SELECTION) == BST_CHECKED;
        s.withinSelection = within;
        if (within) {
            s.boundsSet = true;
            s.boundsFirst = boundsFirst_;
            s.boundsLast = boundsLast_;
            s.boundsText = text;
        }
        pushSearchHistory(s.history, text);
        out_.withinSelection = within;
        out_.choice = up ? FindChoice::Up : FindChoice::Down;
    }

    std::string fieldText() {
        char buffer[kSearchTextLimit + 1] = {};
        int n = GetWindowTextA(item(IDC_FIND_TEXT), buffer, sizeof buffer);
        if (n < 0) n = 0;
        // A text set longer than the edit limit is cut between characters.
        return std::string(buffer, common::boundedLength(buffer, static_cast<size_t>(n), kSearchTextLimit));
    }

    void setField(const std::string& text) {
        HWND combo = item(IDC_FIND_TEXT);
        SetWindowTextA(combo, text.c_str());
        SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }

    bool up_, reopen_;
    bool done_ = false;
    FindOutcome out_;
    bool taken_ = false;
    TextPosition takenEnd_;
    int boundsFirst_ = 0, boundsLast_ = 0;
    unsigned switchCommand_ = 0;
    HWND followTo_ = nullptr;
    int rechecks_ = 0;
};

}  // namespace

FindOutcome runFindDialog(bool up, bool reopen) {
    FindDialog dialog(up, reopen);
    return dialog.run();
}

}  // namespace viewer
