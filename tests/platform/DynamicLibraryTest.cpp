#include "platform/DynamicLibrary.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(DynamicLibrary, FindsExportedSymbolsOfALoadedLibrary) {
    platform::DynamicLibrary library(TEST_PLUGIN_PATH);
    ASSERT_TRUE(library.isLoaded()) << library.lastError();
    EXPECT_EQ(library.lastError(), "");
    EXPECT_EQ(library.lastErrorCode(), 0);

    auto answer = reinterpret_cast<int (*)()>(library.symbol("nimboraTestAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(library.symbol("PostUrl"), nullptr);
    EXPECT_EQ(library.symbol(nullptr), nullptr);
}

TEST(DynamicLibrary, MissingFileIsNotLoadedAndSaysWhy) {
    std::string path = "/nonexistent/folder/libtovak.so";
    platform::DynamicLibrary library(path);
    EXPECT_FALSE(library.isLoaded());
    EXPECT_NE(library.lastError().find(path), std::string::npos) << library.lastError();
    EXPECT_EQ(library.lastErrorCode(), ENOENT);
    EXPECT_EQ(library.symbol("nimboraTestAnswer"), nullptr);

    platform::DynamicLibrary unnamed{std::string()};
    EXPECT_FALSE(unnamed.isLoaded());
    EXPECT_FALSE(unnamed.lastError().empty());
}

TEST(DynamicLibrary, FileThatIsNoLibraryIsRejected) {
    platform::DynamicLibrary library("/etc/hostname");
    EXPECT_FALSE(library.isLoaded());
    EXPECT_FALSE(library.lastError().empty());
    EXPECT_EQ(library.lastErrorCode(), ENOEXEC);
}

TEST(DynamicLibrary, MovingHandsOverTheHandle) {
    platform::DynamicLibrary first(TEST_PLUGIN_PATH);
    platform::DynamicLibrary second(std::move(first));
    EXPECT_FALSE(first.isLoaded());
    EXPECT_TRUE(second.isLoaded());

    platform::DynamicLibrary third;
    EXPECT_FALSE(third.isLoaded());
    third = std::move(second);
    EXPECT_TRUE(third.isLoaded());
    EXPECT_NE(third.symbol("nimboraTestAnswer"), nullptr);
}

} // namespace
