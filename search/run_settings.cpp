#include "run_settings.h"

namespace Module1 {

RunSettings run_settings;

}  // namespace Module1
