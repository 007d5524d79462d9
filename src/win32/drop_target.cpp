#include "win32/drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include "win32/controls.h"

namespace folvane::win32 {

std::vector<std::string> PathsOfHdrop(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(Utf8(path));
    }
    return paths;
}

namespace {

UINT ShellIdListFormat() {
    static const UINT format = RegisterClipboardFormatW(CFSTR_SHELLIDLIST);
    return format;
}

FORMATETC FormatOf(UINT format) {
    return {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool Holds(IDataObject* data, UINT format) {
    FORMATETC wanted = FormatOf(format);
    return data != nullptr && data->QueryGetData(&wanted) == S_OK;
}

// The file system paths of a shell ID list: the parent folder's item ID
// list, then each item's relative to it. Empty when any item has no path
// (a virtual item) or its path is not there, as when a shell cuts long
// paths short.
std::vector<std::string> ShellIdListPaths(IDataObject* data) {
    FORMATETC wanted = FormatOf(ShellIdListFormat());
    STGMEDIUM medium{};
    if (data->GetData(&wanted, &medium) != S_OK) return {};
    std::vector<std::string> paths;
    const SIZE_T size = GlobalSize(medium.hGlobal);
    if (const auto* bytes = static_cast<const BYTE*>(GlobalLock(medium.hGlobal))) {
        const auto* ids = reinterpret_cast<const CIDA*>(bytes);
        bool usable =
            size >= sizeof(UINT) && sizeof(UINT) * (static_cast<SIZE_T>(ids->cidl) + 2) <= size;
        std::vector<wchar_t> path(32768, L'\0');
        for (UINT i = 0; usable && i < ids->cidl; ++i) {
            const UINT parentAt = ids->aoffset[0];
            const UINT itemAt = ids->aoffset[i + 1];
            if (parentAt >= size || itemAt >= size) {
                usable = false;
                break;
            }
            PIDLIST_ABSOLUTE item = ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(bytes + parentAt),
                                              reinterpret_cast<PCUIDLIST_RELATIVE>(bytes + itemAt));
            usable = item != nullptr &&
                     SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()),
                                           GPFIDL_DEFAULT) &&
                     path[0] != L'\0' && GetFileAttributesW(path.data()) != INVALID_FILE_ATTRIBUTES;
            if (usable) paths.push_back(Utf8(path.data()));
            ILFree(item);
        }
        GlobalUnlock(medium.hGlobal);
        if (!usable) paths.clear();
    }
    ReleaseStgMedium(&medium);
    return paths;
}

std::vector<std::string> HdropPaths(IDataObject* data) {
    FORMATETC wanted = FormatOf(CF_HDROP);
    STGMEDIUM medium{};
    if (data->GetData(&wanted, &medium) != S_OK) return {};
    std::vector<std::string> paths = PathsOfHdrop(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    return paths;
}

}  // namespace

std::vector<std::string> DroppedPaths(IDataObject* data) {
    if (data == nullptr) return {};
    if (Holds(data, ShellIdListFormat())) {
        std::vector<std::string> paths = ShellIdListPaths(data);
        if (!paths.empty()) return paths;
    }
    return Holds(data, CF_HDROP) ? HdropPaths(data) : std::vector<std::string>{};
}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

// The window owns the target; the count only keeps OLE's bookkeeping.
ULONG DropTarget::Release() { return static_cast<ULONG>(InterlockedDecrement(&references_)); }

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    acceptable_ = Holds(data, ShellIdListFormat()) || Holds(data, CF_HDROP);
    if (effect != nullptr) *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    if (effect != nullptr) *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT DropTarget::DragLeave() {
    acceptable_ = false;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    acceptable_ = false;
    const std::vector<std::string> paths = DroppedPaths(data);
    if (effect != nullptr) *effect = paths.empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
    if (!paths.empty() && handler_) handler_(paths);
    return S_OK;
}

}  // namespace folvane::win32
