// What is dropped on List1 from Explorer. Explorer hands a drop over in two
// forms: CF_HDROP, a list of paths that it cuts at 260 characters or leaves
// out, and a shell ID list (CFSTR_SHELLIDLIST) of the items themselves,
// whose paths have any length. The paths are taken from the shell ID list,
// from CF_HDROP when the list has none that can be used.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace folvane::win32 {

// The paths `data` carries, in the order given; empty when it holds no
// files.
std::vector<std::string> DroppedPaths(IDataObject* data);

// The paths a CF_HDROP list holds, in its order (also what WM_DROPFILES
// brings).
std::vector<std::string> PathsOfHdrop(HDROP drop);

class DropTarget final : public IDropTarget {
  public:
    using Handler = std::function<void(const std::vector<std::string>&)>;
    explicit DropTarget(Handler handler) : handler_(std::move(handler)) {}
    virtual ~DropTarget() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

  private:
    Handler handler_;
    LONG references_ = 1;
    bool acceptable_ = false;  // what is being dragged holds files
};

}  // namespace folvane::win32
