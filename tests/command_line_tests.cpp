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

TEST(CommandLine, ALongArgumentIsCutTo511Characters) {
    std::string argument(600, 'a');
    for (const std::string& commandLine : {argument, "\"" + argument + "\" more"}) {
        char path[MAX_APP_PATH + 8];
        memset(path, 'x', sizeof path);
        takeFirstArgument(commandLine.c_str(), *reinterpret_cast<char(*)[MAX_APP_PATH]>(path));
        EXPECT_EQ(std::string(511, 'a'), std::string(path));
        EXPECT_EQ('x', path[MAX_APP_PATH]) << "written past the buffer";
    }
}
