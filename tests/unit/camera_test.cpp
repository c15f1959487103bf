// The camera record: accessors and the presets of setCamMode.
#include <gtest/gtest.h>

#include "world_test_util.h"

namespace {

class CameraTest : public ::testing::Test {
protected:
    Camera cam;
    float x = 0, y = 0, z = 0, rx = 0, ry = 0;
    // Reads a vector through one of the camera's getters and checks it field by field.
    void expectVector(void (Camera::*get)(float&, float&, float&) const, float ex, float ey, float ez)
    {
        (cam.*get)(x, y, z);
        EXPECT_EQ(x, ex);
        EXPECT_EQ(y, ey);
        EXPECT_EQ(z, ez);
    }
    void expectRot(float ex, float ey)
    {
        cam.GetRot(rx, ry);
        EXPECT_EQ(rx, ex);
        EXPECT_EQ(ry, ey);
    }
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
        expectVector(&Camera::GetPos, -2.3f, 7.2f, -3.7f);
        expectRot(0.0f, 140.0f);
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
    expectRot(5.0f, 6.0f);
}

TEST_F(CameraTest, FollowingModesKeepEverything)
{
    for (int mode : {int(camModeThirdPerson), int(camModeOverhead), 4}) {
        world.setResetFreelook(false);
        cam.SetPos(1, 2, 3);
        cam.SetRot(10, 20);
        cam.setCamMode(mode);
        EXPECT_TRUE(world.getResetFreelook()) << mode;
        expectVector(&Camera::GetPos, 1.0f, 2.0f, 3.0f);
        expectRot(10.0f, 20.0f);
        EXPECT_EQ(cam.getCamMode(), mode);
    }
    cam.SetStorPos(4, 5, 6);
    expectVector(&Camera::GetStorPos, 4.0f, 5.0f, 6.0f);
}

}  // namespace
