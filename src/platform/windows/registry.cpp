#include "platform/registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

// Query, set, create sub-key, enumerate, notify, create link and read
// control: a user without the right to change the key cannot open it.
constexpr REGSAM kKeyAccess = 0x2003F;
constexpr DWORD kBufferCharacters = 1024;

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
    }
    return HKEY_LOCAL_MACHINE;
}

class WindowsRegistry final : public Registry {
  public:
    std::optional<RegistryValue> QueryValue(RegistryRoot root, std::string_view keyName,
                                            std::string_view valueName) const override {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(RootKey(root), windows::WideFromUtf8(keyName).c_str(), 0, kKeyAccess,
                            &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<wchar_t> buffer(kBufferCharacters, L'\0');
        DWORD size = kBufferCharacters * sizeof(wchar_t);
        DWORD type = 0;
        const LONG read = ::RegQueryValueExW(key, windows::WideFromUtf8(valueName).c_str(), nullptr,
                                             &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        ::RegCloseKey(key);
        if (read != ERROR_SUCCESS) return std::nullopt;

        RegistryValue value;
        if (type == REG_SZ) {
            // A stored text need not end in NUL; one that does loses it.
            std::wstring_view text(buffer.data(), size / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
            value.type = RegistryValue::Type::Text;
            value.text = windows::Utf8FromWide(text);
        } else if (type == REG_DWORD && size >= sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, buffer.data(), sizeof number);
            value.type = RegistryValue::Type::Number;
            value.number = number;
        }
        return value;
    }
};

}  // namespace

const Registry& SystemRegistry() {
    static const WindowsRegistry registry;
    return registry;
}

}  // namespace folvane
