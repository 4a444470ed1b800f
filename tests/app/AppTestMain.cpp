// The widget tests run inside the program's own application object, on the offscreen platform, in a Japanese
// locale and the UTC time zone whatever the machine's settings.

#include <gtest/gtest.h>

#include "Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "ja_JP.UTF-8");
    qputenv("LANG", "ja_JP.UTF-8");
    qputenv("TZ", "UTC");
    daywick::ui::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
