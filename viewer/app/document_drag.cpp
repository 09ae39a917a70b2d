#include "document_drag.h"
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>

namespace viewer {
namespace {

// IUnknown for an object that offers one interface; it starts with one
// reference (the creator's) and deletes itself with the last release.
template <class Interface>
class ComObject : public Interface {
public:
    explicit ComObject(REFIID iid) : iid_(iid) {}
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == iid_) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }

private:
    const IID iid_;
    ULONG refs_ = 1;
};

class FileDataObject : public ComObject<IDataObject> {
public:
    explicit FileDataObject(const std::string& path) : ComObject(IID_IDataObject), path_(path) {}
    virtual ~FileDataObject() = default;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fe, STGMEDIUM* medium) override {
        if (QueryGetData(fe) != S_OK) return DV_E_FORMATETC;
        // DROPFILES followed by the name and two terminating zeros.
        size_t size = sizeof(DROPFILES) + path_.size() + 2;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        if (!h) return E_OUTOFMEMORY;
        char* p = static_cast<char*>(GlobalLock(h));
        DROPFILES* df = reinterpret_cast<DROPFILES*>(p);
        df->pFiles = sizeof(DROPFILES);
        df->fWide = FALSE;
        std::memcpy(p + sizeof(DROPFILES), path_.c_str(), path_.size());
        GlobalUnlock(h);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = h;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fe) override {
        return (fe && fe->cfFormat == CF_HDROP && (fe->tymed & TYMED_HGLOBAL) &&
                fe->dwAspect == DVASPECT_CONTENT)
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC fe = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &fe, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::string path_;
};

class DropSource : public ComObject<IDropSource> {
public:
    explicit DropSource(bool right) : ComObject(IID_IDropSource), button_(right ? MK_RBUTTON : MK_LBUTTON) {}
    virtual ~DropSource() = default;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & button_)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    DWORD button_;
};

}  // namespace

bool trackIconPress(HWND frame, const std::string& path, bool rightButton, POINT start) {
    if (path.empty()) return false;
    SetCapture(frame);
    bool drag = false, released = false;
    MSG msg;
    UINT up = rightButton ? WM_RBUTTONUP : WM_LBUTTONUP;
    while (!drag && !released && GetCapture() == frame && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_MOUSEMOVE) {
            POINT p;
            GetCursorPos(&p);
            drag = abs(p.x - start.x) > 2 || abs(p.y - start.y) > 2;
        } else if (msg.message == up) {
            released = true;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (GetCapture() == frame) ReleaseCapture();
    if (drag) {
        // The frame takes dropped files itself: not its own document meanwhile.
        DragAcceptFiles(frame, FALSE);
        FileDataObject* data = new FileDataObject(path);
        DropSource* source = new DropSource(rightButton);
        DWORD effect = 0;
        DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        data->Release();
        source->Release();
        DragAcceptFiles(frame, TRUE);
        return true;
    }
    if (released && !rightButton) {
        // An ordinary click on the icon: the system menu opens as usual.
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_LBUTTON] |= 0x80;
        SetKeyboardState(keys);
        LPARAM lp = MAKELPARAM(start.x, start.y);
        DefWindowProcA(frame, WM_NCLBUTTONDOWN, HTSYSMENU, lp);
        return true;
    }
    if (released && rightButton) {
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        return true;
    }
    return true;
}

}  // namespace viewer
