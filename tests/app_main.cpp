#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Headless unless told otherwise (screenshots set xcb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);  // sets the C library's locale from the environment, as the program's does
    app.setQuitOnLastWindowClosed(false);

    // A run in a user's locale must be in it: where the locale is not
    // generated the C library falls back to C without a word.
    if (const char* wanted = std::getenv("VARENDO_TEST_LOCALE")) {
        const char* now = std::setlocale(LC_NUMERIC, nullptr);
        const char* separator = std::getenv("VARENDO_EXPECTED_SEPARATOR");
        if (!now || std::strcmp(now, wanted) != 0 || !separator || std::localeconv()->decimal_point[0] != separator[0]) {
            std::fprintf(stderr, "locale %s is not in force (%s): run tools/install-deps\n", wanted, now ? now : "none");
            return 1;
        }
    }
    return RUN_ALL_TESTS();
}
