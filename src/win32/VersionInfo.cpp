#include "win32/VersionInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tavrino::win32 {

namespace {

// The parts are 16-bit numbers to the program.
int Part(WORD value) {
    return static_cast<std::int16_t>(value);
}

}  // namespace

VersionNumbers ReadProgramVersion(HMODULE module) {
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (data == nullptr || size == 0) {
        return {};
    }
    // VerQueryValueW may write into the block it reads, so it gets a copy of the resource.
    std::vector<std::byte> block(size);
    std::memcpy(block.data(), data, size);
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) == FALSE ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    VS_FIXEDFILEINFO info{};
    std::memcpy(&info, value, sizeof(info));
    if (info.dwSignature != VS_FFI_SIGNATURE) {
        return {};
    }
    return {Part(HIWORD(info.dwFileVersionMS)), Part(LOWORD(info.dwFileVersionMS)),
            Part(LOWORD(info.dwFileVersionLS))};
}

}  // namespace tavrino::win32
