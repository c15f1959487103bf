// A fixture for end-to-end walks that check each step by a region of the
// window it changed: the program under test and the window as the last step
// left it.
#pragma once
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {

class StepFixture : public ::testing::Test {
protected:
    App app;
    Image shown;  // the window at rest after the last step

    // Waits for the window to come to rest with `region` unlike what it showed.
    bool changes(const Region& region)
    {
        shown = app.waitForChange(shown, region);
        return shown.valid();
    }
    bool clickChanges(int x, int y, const Region& region, int button = 1)
    {
        return app.click(x, y, button) && changes(region);
    }
};

}  // namespace e2e
