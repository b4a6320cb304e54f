// The window tests run in one process with the main window's class registered once, as at
// start-up.
#include <gtest/gtest.h>
#include <windows.h>

#include "app_state.h"
#include "app_window.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    app.instance = GetModuleHandleA(nullptr);
    app_use_real_platform();
    app_register_class(app.instance);
    return RUN_ALL_TESTS();
}
