// The window tests run in one application object, on the offscreen platform
// (QT_QPA_PLATFORM=offscreen in their environment).
#include <gtest/gtest.h>

#include "shell/application.h"
#include "shell/scaling.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no application (and no display).
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  plinvor::PinPixelScale();
  TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
