#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <memory>
#include <optional>
#include <string>

#include "win32/Handles.h"
#include "win32/RegistryStore.h"
#include "win32/Text.h"

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

// Stores raw bytes of any type, as another program or a hand-edited .reg file might.
void SetRaw(HKEY key, const wchar_t* name, DWORD type, const void* data, size_t bytes) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(bytes)),
              ERROR_SUCCESS);
}

DWORD StoredType(HKEY key, const wchar_t* name) {
    DWORD type = REG_NONE;
    EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    return type;
}

TEST_F(RegistryStoreTest, AValueThatIsNotPlainTextReadsAsNoValueAndTheNextWriteMakesItText) {
    const UniqueRegistryKey key = CreateKey(L"\\Quenmark\\Tavrino");
    const DWORD number = 1;
    const unsigned long long wide = 1;
    const unsigned char bytes[] = {'1', 0, 0, 0};
    // "%SystemRoot%" would expand to a text if expandable values were read as text.
    const wchar_t expandable[] = L"%SystemRoot%";
    const wchar_t multi[] =
        L"1\0"
        L"2\0";
    struct Hostile {
        const wchar_t* name;
        DWORD type;
        const void* data;
        size_t size;
    };
    const Hostile hostile[] = {
        {L"OnTop", REG_DWORD, &number, sizeof(number)},
        {L"TaskBar", REG_QWORD, &wide, sizeof(wide)},
        {L"WinLeft", REG_BINARY, bytes, sizeof(bytes)},
        {L"WinTop", REG_EXPAND_SZ, expandable, sizeof(expandable)},
        {L"WinWidth", REG_MULTI_SZ, multi, sizeof(multi)},
        {L"WinHeight", REG_NONE, bytes, sizeof(bytes)},
    };
    for (const Hostile& value : hostile) {
        SetRaw(key.Get(), value.name, value.type, value.data, value.size);
    }
    for (const Hostile& value : hostile) {
        const std::string name = Narrow(value.name);
        EXPECT_EQ(store_.Read("Quenmark", "Tavrino", name), std::nullopt) << name;
        EXPECT_TRUE(store_.Write("Quenmark", "Tavrino", name, "7")) << name;
        EXPECT_EQ(StoredType(key.Get(), value.name), static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(store_.Read("Quenmark", "Tavrino", name), "7") << name;
    }
}

TEST_F(RegistryStoreTest, TextEndsAtItsFirstNullAndALongTextReadsWhole) {
    const UniqueRegistryKey key = CreateKey(L"\\Quenmark\\Tavrino");
    const wchar_t withNull[] =
        L"12\0"
        L"34";
    SetRaw(key.Get(), L"WinLeft", REG_SZ, withNull, sizeof(withNull));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "WinLeft"), "12");

    // Stored without any terminating null, as a careless writer may.
    const wchar_t unterminated[] = {L'5', L'6'};
    SetRaw(key.Get(), L"WinTop", REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "WinTop"), "56");

    const std::wstring longText(30000, L'9');
    SetRaw(key.Get(), L"WinWidth", REG_SZ, longText.c_str(),
           (longText.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "WinWidth"), std::string(30000, '9'));
}

TEST_F(RegistryStoreTest, ASectionDeletedBetweenWritesIsMadeAgain) {
    ASSERT_TRUE(store_.Write("Quenmark", "Tavrino", "OnTop", "1"));
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "OnTop"), std::nullopt);
    EXPECT_TRUE(store_.Write("Quenmark", "Tavrino", "TaskBar", "0"));
    EXPECT_EQ(store_.Read("Quenmark", "Tavrino", "TaskBar"), "0");
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
