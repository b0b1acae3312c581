#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

int main(int argc, char** argv) {
    // Text mode would end every line with "\r\n" on the Unix side of Wine.
    _setmode(_fileno(stdout), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
