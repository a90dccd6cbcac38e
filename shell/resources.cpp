#include "shell/resources.h"

#include <mutex>

#include <QtGlobal>

// Q_INIT_RESOURCE must be used at global scope.
static void RegisterPlinvorResources() { Q_INIT_RESOURCE(plinvor); }

namespace plinvor {

void LoadResources() {
  static std::once_flag once;
  std::call_once(once, RegisterPlinvorResources);
}

}  // namespace plinvor
