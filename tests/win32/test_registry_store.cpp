#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <memory>
#include <optional>
#include <string>

#include "win32/Handles.h"
#include "win32/RegistryStore.h"

namespace tavrino::win32 {
namespace {

constexpr const wchar_t* kTestsKey = L"Software\\TavrinoTests";

// A base key of its own under HKEY_CURRENT_USER for every test, deleted afterwards.
class RegistryStoreTest : public ::testing::Test {
  protected:
    RegistryStoreTest()
        : base_(std::wstring(kTestsKey) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter_)),
          store_(HKEY_CURRENT_USER, base_) {}

    ~RegistryStoreTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey);  // only when no other run uses it
    }

    UniqueRegistryKey CreateKey(const std::wstring& below) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base_ + below).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return UniqueRegistryKey(key);
    }

    // Gives the key below the base a DACL from an SDDL text, such as read access for everyone.
    void SetAccess(const std::wstring& below, const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                         &descriptor, nullptr));
        const std::unique_ptr<void, decltype(&LocalFree)> owned(descriptor, &LocalFree);
        HKEY opened = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (base_ + below).c_str(), 0, WRITE_DAC, &opened),
                  ERROR_SUCCESS);
        const UniqueRegistryKey key(opened);
        ASSERT_EQ(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor),
                  ERROR_SUCCESS);
    }

    static inline int counter_ = 0;
    std::wstring base_;
    RegistryStore store_;
};

constexpr const wchar_t* kReadOnly = L"D:P(A;;KR;;;WD)";
constexpr const wchar_t* kFullAccess = L"D:P(A;;KA;;;WD)";

TEST_F(RegistryStoreTest, WrittenTextReadsBackAndOverwrites) {
    EXPECT_TRUE(store_.Write("Quenmark", "Tavrino", "Transparence.scr", "31"));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "Transparence.scr"), "31");
    EXPECT_TRUE(store_.Write("Quenmark", "Tavrino", "Transparence.scr", "0"));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "Transparence.scr"), "0");
    EXPECT_TRUE(store_.Write("Quenmark", "Tavrino", "WinLeft", ""));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "WinLeft"), "");
}

TEST_F(RegistryStoreTest, ValuesAreTextUnderApplicationAndSection) {
    ASSERT_TRUE(store_.Write("Quenmark", "Tavrino", "OnTop", "1"));
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (base_ + L"\\Quenmark\\Tavrino").c_str(), 0,
                            KEY_QUERY_VALUE, &opened),
              ERROR_SUCCESS);
    const UniqueRegistryKey key(opened);
    DWORD type = 0;
    wchar_t text[8]{};
    DWORD bytes = sizeof(text);
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"OnTop", nullptr, &type, reinterpret_cast<BYTE*>(text),
                               &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(text), L"1");
}

TEST_F(RegistryStoreTest, GermanTextSurvivesTheRoundTrip) {
    const std::string german =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xC3\xA4\xC3\xB6\xC3\x9C";
    ASSERT_TRUE(store_.Write("Quenmark", "Tavrino", "Fading", german));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "Fading"), german);
}

TEST_F(RegistryStoreTest, AbsentKeySectionOrApplicationReadsAsNoValue) {
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "TaskBar"), std::nullopt);  // nothing at all
    ASSERT_TRUE(store_.Write("Quenmark", "Tavrino", "OnTop", "1"));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "TaskBar"), std::nullopt);
    EXPECT_EQ(store_.Read("Quenmark", "Other", "OnTop"), std::nullopt);
    EXPECT_EQ(store_.Read("Other", "Tavrino", "OnTop"), std::nullopt);
}

TEST_F(RegistryStoreTest, AValueThatIsNotTextReadsAsNoValue) {
    const UniqueRegistryKey key = CreateKey(L"\\Quenmark\\Tavrino");
    const DWORD number = 1;
    ASSERT_EQ(RegSetValueExW(key.Get(), L"OnTop", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof(number)),
              ERROR_SUCCESS);
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "OnTop"), std::nullopt);
}

TEST_F(RegistryStoreTest, AWriteTheRegistryRefusesReportsFalseAndChangesNothing) {
    ASSERT_TRUE(store_.Write("Quenmark", "Tavrino", "OnTop", "0"));

    // A section that may only be read: the value cannot be set, the old one stays.
    SetAccess(L"\\Quenmark\\Tavrino", kReadOnly);
    EXPECT_FALSE(store_.Write("Quenmark", "Tavrino", "OnTop", "1"));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "OnTop"), "0");

    SetAccess(L"\\Quenmark\\Tavrino", kFullAccess);
}

}  // namespace
}  // namespace tavrino::win32
