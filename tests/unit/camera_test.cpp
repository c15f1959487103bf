// The camera record: accessors and the presets of setCamMode.
#include <gtest/gtest.h>

#include "world_test_util.h"

namespace {

class CameraTest : public ::testing::Test {
protected:
    Camera cam;
    float x = 0, y = 0, z = 0, rx = 0, ry = 0;
};

TEST_F(CameraTest, FirstPersonPresetResetsEachTime)
{
    for (int round = 0; round < 2; ++round) {
        world.setResetFreelook(false);
        cam.SetPos(1, 2, 3);
        cam.SetRot(10, 20);
        cam.SetLook(7, 7, 7);
        cam.setCamMode(camModeFirstPerson);
        EXPECT_TRUE(world.getResetFreelook());
        cam.GetPos(x, y, z);
        EXPECT_EQ(x, -2.3f);
        EXPECT_EQ(y, 7.2f);
        EXPECT_EQ(z, -3.7f);
        cam.GetRot(rx, ry);
        EXPECT_EQ(rx, 0.0f);
        EXPECT_EQ(ry, 140.0f);
        cam.GetLook(x, y, z);
        EXPECT_EQ(x, 7.0f);
        EXPECT_EQ(cam.getCamMode(), camModeFirstPerson);
    }
}

TEST_F(CameraTest, EditorPresetKeepsUpAndAngles)
{
    cam.SetUp(0, 0, 1);
    cam.SetRot(5, 6);
    cam.SetPos(1, 1, 1);
    cam.SetLook(2, 2, 2);
    cam.setCamMode(camModeEditor);
    cam.GetPos(x, y, z);
    EXPECT_EQ(x, -3.4f);
    EXPECT_EQ(z, -19.0f);
    cam.GetLook(x, y, z);
    EXPECT_EQ(y, 2.9f);
    cam.GetUp(x, y, z);
    EXPECT_EQ(z, 1.0f);
    cam.GetRot(rx, ry);
    EXPECT_EQ(rx, 5.0f);
    EXPECT_EQ(ry, 6.0f);
}

TEST_F(CameraTest, FollowingModesKeepEverything)
{
    for (int mode : {int(camModeThirdPerson), int(camModeOverhead), 4}) {
        world.setResetFreelook(false);
        cam.SetPos(1, 2, 3);
        cam.SetRot(10, 20);
        cam.setCamMode(mode);
        EXPECT_TRUE(world.getResetFreelook());
        cam.GetPos(x, y, z);
        EXPECT_EQ(x, 1.0f);
        EXPECT_EQ(y, 2.0f);
        EXPECT_EQ(z, 3.0f);
        cam.GetRot(rx, ry);
        EXPECT_EQ(rx, 10.0f);
        EXPECT_EQ(ry, 20.0f);
        EXPECT_EQ(cam.getCamMode(), mode);
    }
    cam.SetStorPos(4, 5, 6);
    cam.GetStorPos(x, y, z);
    EXPECT_EQ(x, 4.0f);
    EXPECT_EQ(y, 5.0f);
    EXPECT_EQ(z, 6.0f);
}

}  // namespace
