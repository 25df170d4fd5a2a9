// The program carries the version resource and the visual-styles manifest. The
// tests run in a build tree's top directory, where its SWL.exe sits: the
// 32-bit tree checks the release program, the 64-bit tree its twin.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// version.dll is looked up at run time so the test needs no extra import.
struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    HMODULE dll = LoadLibraryA("version.dll");
    SizeFn size = reinterpret_cast<SizeFn>(reinterpret_cast<void*>(GetProcAddress(dll, "GetFileVersionInfoSizeA")));
    InfoFn info = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(dll, "GetFileVersionInfoA")));
    QueryFn query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(dll, "VerQueryValueA")));
};

std::string QueryString(const VersionApi& api, const std::vector<char>& block, const char* name) {
    void* value = nullptr;
    UINT len = 0;
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!api.query(block.data(), path.c_str(), &value, &len) || !value) return {};
    return static_cast<const char*>(value);
}

constexpr const char* kProgram = "SWL.exe";

TEST(VersionResource, NamesTheProductAndVersion) {
    const char* exe = kProgram;
    VersionApi api;
    ASSERT_TRUE(api.size && api.info && api.query);
    DWORD handle = 0;
    DWORD size = api.size(exe, &handle);
    ASSERT_GT(size, 0u) << exe << " not found or has no version resource";
    std::vector<char> block(size);
    ASSERT_TRUE(api.info(exe, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(api.query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(20, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(20, 0));

    EXPECT_EQ(QueryString(api, block, "ProductVersion"), "1.1 Build 20050420");
    EXPECT_EQ(QueryString(api, block, "FileDescription"), "Stashwell");
    EXPECT_EQ(QueryString(api, block, "ProductName"), "Stashwell");
}

TEST(VersionResource, AsksForCommonControlsSix) {
    HMODULE exe = LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(res, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(exe, res)));
    std::string manifest(text, SizeofResource(exe, res));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    FreeLibrary(exe);
}

}  // namespace
