// Volume conversions between linear factor, decibels, slider positions and DirectShow units.
#include "WinNT_SP/Include_VS2005/Volume.h"

#include <gtest/gtest.h>

TEST(Volume, ToDb)
{
    struct Case {
        double volume;
        int db;
    };
    for (const Case c : {Case{1.0, 0}, Case{0.5, -6}, Case{0.01, -40}, Case{0.001, -40},
                         Case{0, -41}, Case{-1, -41}, Case{2.0, 6}}) {
        EXPECT_EQ(VolumeToDb(c.volume), c.db) << c.volume;
    }
}

TEST(Volume, ToDirectShow)
{
    EXPECT_EQ(VolumeToDirectShow(0, 0.0), -10000);
    EXPECT_EQ(VolumeToDirectShow(1, 1.0), 0);
    EXPECT_EQ(VolumeToDirectShow(-1, 0.01), -10000);
    EXPECT_EQ(VolumeToDirectShow(0, 0.5), -600);
}

TEST(Volume, FromDbAndDirectShow)
{
    EXPECT_EQ(DbToVolume(-41), 0.0);
    EXPECT_EQ(DbToVolume(0), 1.0);
    EXPECT_EQ(DbToVolume(6), 1.0);
    EXPECT_DOUBLE_EQ(DirectShowToVolume(-650), DbToVolume(-6));
    EXPECT_EQ(DirectShowToVolume(-10000), 0.0);
}
