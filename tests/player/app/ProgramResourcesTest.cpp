// Resources of the program itself, read from QVP.exe as a data file.
#include "tests/player/PlayerTestEnv.h"

#include <gtest/gtest.h>

namespace {

// The program carries the strip the icon cache cuts its 23 command icons from.
TEST(ProgramResources, CommandIconStripHasTwentyThreeIcons)
{
    HMODULE program = LoadLibraryExW((playertest::BinDir() + L"\\QVP.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(program, MAKEINTRESOURCEW(139), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(strip, nullptr);
    BITMAP info{};
    GetObjectW(strip, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 23 * 22);
    EXPECT_EQ(info.bmHeight, 22);
    DeleteObject(strip);
    FreeLibrary(program);
}

}  // namespace
