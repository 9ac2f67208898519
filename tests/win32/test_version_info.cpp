#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "win32/ResourceIds.h"
#include "win32/VersionInfo.h"

namespace tavrino::win32 {
namespace {

// This test program links the program's own resources.
TEST(ReadProgramVersion, ReadsMajorMinorAndRevisionOfTheVersionResource) {
    const VersionNumbers version = ReadProgramVersion(GetModuleHandleW(nullptr));
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(version.minor, 0);
    EXPECT_EQ(version.revision, 1);
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

// Wine makes a process per-monitor DPI aware and hands out common controls 6 even without a
// manifest, so only the manifest's presence and its key entries can be checked here.
TEST(ProgramResources, TheManifestAsksForCommonControls6AndPerMonitorDpi) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(resource, nullptr);
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, SizeofResource(module, resource));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
}

}  // namespace
}  // namespace tavrino::win32
