// The first argument of the command-line tail becomes the application path.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

TEST(CommandLine, TheFirstArgumentIsTakenQuotedOrNot) {
    struct {
        const char* commandLine;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"C:\\Tools\\viewer.exe --flag", "C:\\Tools\\viewer.exe"},
        {"   C:\\Tools\\viewer.exe", "C:\\Tools\\viewer.exe"},
        {"\"C:\\Program Files\\Viewer\\viewer.exe\" other",
         "C:\\Program Files\\Viewer\\viewer.exe"},
        {"\"C:\\Program Files\\Viewer\\viewer.exe", "C:\\Program Files\\Viewer\\viewer.exe"},
        {"\"\"", ""},
        {"\"\" C:\\second.exe", ""},
        {"\tC:\\tab.exe", "\tC:\\tab.exe"},
        {"viewer.exe", "viewer.exe"},
        {"a\"b c", "a\"b"},
    };
    for (const auto& c : cases) {
        char path[MAX_APP_PATH];
        memset(path, 'x', sizeof path);
        takeFirstArgument(c.commandLine, path);
        EXPECT_EQ(c.expected, std::string(path)) << "command line: [" << c.commandLine << "]";
    }
}

TEST(CommandLine, AnArgumentTooLongToKeepWholeIsNotTaken) {
    const std::string fits(MAX_APP_PATH - 1, 'a');
    const std::string tooLong(MAX_APP_PATH, 'a');
    struct {
        std::string commandLine;
        std::string expected;
    } cases[] = {
        {fits, fits},         {"\"" + fits + "\" more", fits},
        {tooLong, ""},        {"\"" + tooLong + "\" more", ""},
        {"\"" + tooLong, ""},
    };
    for (const auto& c : cases) {
        char path[MAX_APP_PATH + 8];
        memset(path, 'x', sizeof path);
        takeFirstArgument(c.commandLine.c_str(), *reinterpret_cast<char(*)[MAX_APP_PATH]>(path));
        EXPECT_EQ(c.expected, std::string(path)) << c.commandLine.size() << " characters";
        EXPECT_EQ('x', path[MAX_APP_PATH]) << "written past the buffer";
    }
}
