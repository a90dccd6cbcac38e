#include "shell/scaling.h"

#include <cstdlib>
#include <initializer_list>

namespace plinvor {

void PinPixelScale() {
  for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                           "QT_USE_PHYSICAL_DPI", "QT_SCALE_FACTOR_ROUNDING_POLICY"}) {
    unsetenv(name);
  }
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  setenv("QT_FONT_DPI", "96", 1);
}

}  // namespace plinvor
