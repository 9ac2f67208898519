#include "win32/RegistryStore.h"

#include <cwchar>
#include <optional>
#include <utility>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace tavrino::win32 {

namespace {

// Plain REG_SZ only: without RRF_NOEXPAND a REG_EXPAND_SZ would be expanded and pass as text.
constexpr DWORD kTextOnly = RRF_RT_REG_SZ | RRF_NOEXPAND;

// The text of a REG_SZ value, or nothing when the value is absent or not text.
std::optional<std::wstring> QueryText(HKEY key, const std::wstring& name) {
    DWORD bytes = 0;
    LSTATUS status = RegGetValueW(key, nullptr, name.c_str(), kTextOnly, nullptr, nullptr, &bytes);
    // The value may grow between the two calls; ask again with the new size until it fits.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status =
            RegGetValueW(key, nullptr, name.c_str(), kTextOnly, nullptr, buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            // A REG_SZ text ends at its first null, whatever size it was stored with.
            buffer.resize(std::wcslen(buffer.c_str()));
            return buffer;
        }
    }
    return std::nullopt;
}

}  // namespace

RegistryStore::RegistryStore(HKEY root, std::wstring base) : root_(root), base_(std::move(base)) {}

std::wstring RegistryStore::SectionPath(std::string_view application,
                                        std::string_view section) const {
    std::wstring path = base_;
    for (const std::string_view part : {application, section}) {
        if (part.empty()) {
            continue;
        }
        if (!path.empty()) {
            path += L'\\';
        }
        path += Widen(part);
    }
    return path;
}

std::optional<std::string> RegistryStore::Read(std::string_view application,
                                               std::string_view section,
                                               std::string_view key) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root_, SectionPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const UniqueRegistryKey sectionKey(opened);
    const std::optional<std::wstring> text = QueryText(sectionKey.Get(), Widen(key));
    if (!text) {
        return std::nullopt;
    }
    return Narrow(*text);
}

bool RegistryStore::Write(std::string_view application, std::string_view section,
                          std::string_view key, std::string_view value) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(root_, SectionPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const UniqueRegistryKey sectionKey(created);
    const std::wstring text = Widen(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(sectionKey.Get(), Widen(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace tavrino::win32
