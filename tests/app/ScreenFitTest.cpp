// Fitting a window's restored rectangle into the screen's available area.
#include "ScreenFit.h"

#include <gtest/gtest.h>

TEST(ScreenFitTest, AWindowIsShrunkAndMovedOntoTheScreen)
{
    struct Case
    {
        const char* name;
        QRect window;
        QRect screen;
        QRect fitted;
    };
    const Case cases[] = {
        {"inside stays", {100, 50, 600, 400}, {0, 0, 1280, 900}, {100, 50, 600, 400}},
        {"too big for a doubled scale", {100, 100, 900, 650}, {0, 0, 640, 450}, {0, 0, 640, 450}},
        {"past the right and bottom",
         {1000, 700, 600, 400},
         {0, 0, 1280, 900},
         {680, 500, 600, 400}},
        {"before the left and top", {-300, -50, 600, 400}, {0, 0, 1280, 900}, {0, 0, 600, 400}},
        {"second screen to the right",
         {10, 10, 600, 400},
         {1280, 0, 1024, 768},
         {1280, 10, 600, 400}},
        {"below a top panel", {200, 0, 600, 400}, {0, 28, 1280, 872}, {200, 28, 600, 400}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitToScreen(c.window, c.screen), c.fitted) << c.name;
}
