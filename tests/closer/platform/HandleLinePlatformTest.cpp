// Reading the handle file's first line in text mode, on the host and on
// Windows: what Windows' text mode changes (CR LF, a 0x1A end mark) must not
// change the handle that the line converts to.
#include "HandleLine.h"
#include "HandleText.h"

#include "EscapedText.h"
#include "ScratchDirectory.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

struct LineCase {
    std::string content;
    DWORD expected;
};

std::string Spaces(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

TEST(HandleLinePlatform, FirstLineGivesTheHandle) {
    const LineCase cases[] = {
        {"1234", 1234},
        {"2032294", 2032294},
        {"  1234\n", 1234},
        {"1234\r\n5678\r\n", 1234},
        {"1234\n5678", 1234},
        {"\n1234", 0},
        {"\r\n1234", 0},
        {"abc\n1234", 0},
        {"\x1A"
         "1234",
         0},
        {"12\x1A"
         "34",
         12},
        {"4294967295", 4294967295u},
        {"-1\n", 4294967295u},
        // Only the first 127 characters are read.
        {Spaces(122) + "1234567", 12345},
        {Spaces(126) + "1234567", 1},
        {Spaces(127) + "1234567", 0},
        {Spaces(120) + "1234\r\n", 1234},
    };
    ScratchDirectory directory;
    for (const LineCase& c : cases) {
        directory.Write("hwnd.dat", c.content);
        char line[kHandleLineSize];
        std::memset(line, 'x', sizeof line);
        ASSERT_TRUE(ReadFirstLine(directory.File("hwnd.dat").string().c_str(), line))
            << "content " << Escaped(c.content);
        ASSERT_NE(nullptr, std::memchr(line, '\0', sizeof line)) << "no NUL in the line buffer";
        EXPECT_EQ(c.expected, ConvertHandleText(line))
            << "content " << Escaped(c.content) << ", line read " << Escaped(line);
        EXPECT_EQ(c.content, directory.Read("hwnd.dat")) << "the read changed the file";
    }
}

TEST(HandleLinePlatform, FileWithoutDataGivesAnEmptyLine) {
    ScratchDirectory directory;
    const std::string contents[] = {std::string(), std::string("\x1A"),
                                    std::string("\x1A"
                                                "99\n")};
    for (const std::string& content : contents) {
        directory.Write("hwnd.dat", content);
        char line[kHandleLineSize];
        std::strcpy(line, "99");
        ASSERT_TRUE(ReadFirstLine(directory.File("hwnd.dat").string().c_str(), line));
        EXPECT_EQ(0u, ConvertHandleText(line))
            << "content " << Escaped(content) << ", line " << Escaped(line);
    }
}

TEST(HandleLinePlatform, MissingFileIsNotOpened) {
    ScratchDirectory directory;
    char line[kHandleLineSize] = "untouched";
    EXPECT_FALSE(ReadFirstLine(directory.File("hwnd.dat").string().c_str(), line));
    EXPECT_STREQ("untouched", line);
    EXPECT_FALSE(std::filesystem::exists(directory.File("hwnd.dat"))) << "the read created it";
}

TEST(HandleLinePlatform, DirectoryOfTheNameIsNotOpened) {
    ScratchDirectory directory;
    std::filesystem::create_directory(directory.File("hwnd.dat"));
    char line[kHandleLineSize] = "untouched";
    bool opened = ReadFirstLine(directory.File("hwnd.dat").string().c_str(), line);
#ifdef _WIN32
    EXPECT_FALSE(opened);
    EXPECT_STREQ("untouched", line);
#else
    // glibc opens a directory for reading; the read then fails: no text.
    EXPECT_TRUE(opened);
    EXPECT_STREQ("", line);
#endif
}

} // namespace
