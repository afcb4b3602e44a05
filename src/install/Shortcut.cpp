#include "install/Shortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace {
// Releases a COM interface when it goes.
template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (m_p)
            m_p->Release();
    }
    Interface* operator->() const { return m_p; }
    void** Out() { return reinterpret_cast<void**>(&m_p); }

private:
    Interface* m_p = nullptr;
};
} // namespace

bool SaveShortcut(const ShortcutSpec& spec) {
    ComRef<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.Out())))
        return false;
    // The arguments go apart from the target: a target that holds them would name no file.
    if (FAILED(link->SetPath(spec.target.c_str())) ||
        FAILED(link->SetArguments(spec.arguments.c_str())) ||
        FAILED(link->SetWorkingDirectory(spec.workingDirectory.c_str())) ||
        FAILED(link->SetShowCmd(spec.showCommand)))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return false;
    return SUCCEEDED(file->Save(spec.file.c_str(), TRUE));
}
