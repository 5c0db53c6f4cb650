// Test entry point: every test executable runs headless on the offscreen platform, with the
// application object the drawing and widget code needs.
#include <gtest/gtest.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    return RUN_ALL_TESTS();
}
