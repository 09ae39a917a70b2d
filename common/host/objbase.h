// Stand-in for <objbase.h> in the host fuzz build: no component can be
// made, so a shell link is never resolved and its name stays as given.
#pragma once
#include <windows.h>

typedef int32_t HRESULT;
struct GUID {
    uint32_t a;
};
typedef GUID IID;
typedef GUID CLSID;
#define SUCCEEDED(hr) ((HRESULT)(hr) >= 0)
#define FAILED(hr) ((HRESULT)(hr) < 0)
#define E_FAIL ((HRESULT)0x80004005u)
#define CLSCTX_INPROC_SERVER 1u
#define STGM_READ 0u
struct IUnknown {
    virtual HRESULT QueryInterface(const IID&, void**) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual ~IUnknown() = default;
};
inline HRESULT CoCreateInstance(const CLSID&, IUnknown*, DWORD, const IID&, void** out) {
    *out = nullptr;
    return E_FAIL;
}
