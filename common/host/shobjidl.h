// Stand-in for <shobjidl.h> in the host fuzz build: the shell-link and
// persist-file interfaces, never made (see objbase.h).
#pragma once
#include <objbase.h>

struct IPersistFile : IUnknown {
    virtual HRESULT Load(const WCHAR*, DWORD) = 0;
};
struct IShellLinkA : IUnknown {
    virtual HRESULT GetPath(char*, int, WIN32_FIND_DATAA*, DWORD) = 0;
};
const CLSID CLSID_ShellLink = {1};
const IID IID_IShellLinkA = {2};
const IID IID_IPersistFile = {3};
