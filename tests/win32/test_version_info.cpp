#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/ResourceIds.h"
#include "platform/win32/VersionInfo.h"
#include "winservices/ProgVer.h"

namespace tavrino::win32 {
namespace {

// This test program links the program's own resources.
TEST(ReadProgramVersion, ReadsMajorMinorAndRevisionOfTheVersionResource) {
    const ProgramVersionTriple version = ReadProgramVersion(GetModuleHandleW(nullptr));
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(version.minor, 0);
    EXPECT_EQ(version.revision, 1);
    EXPECT_EQ(ProgramVersionText(version), "1.00a");
}

std::wstring VersionString(const std::vector<std::byte>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
    if (VerQueryValueW(block.data(), path.c_str(), &value, &length) == FALSE || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

TEST(ProgramResources, TheVersionResourceNamesProductMakerAndVersionText) {
    wchar_t path[MAX_PATH]{};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<std::byte> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.00.0001");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.00.0001");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Tavrino");
    EXPECT_EQ(VersionString(block, L"CompanyName"), L"Quenmark");
}

TEST(ProgramResources, StringOneIsTheScreensaversName) {
    wchar_t name[64]{};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_SCREENSAVER_NAME, name, 64), 0);
    EXPECT_STREQ(name, L"Tavrino");
}

TEST(ReadOsVersion, FillsTheRecordOfAnNtSystem) {
    OsVersionRecord record;
    ASSERT_TRUE(ReadOsVersion(record));
    EXPECT_GT(record.majorVersion, 0u);
    EXPECT_EQ(record.platformId, 2u);
}

}  // namespace
}  // namespace tavrino::win32
