#include "platform.h"

namespace Module1 {

namespace {
Platform* replacement = nullptr;  // a test's platform, when one is in place
}  // namespace

Platform& CurrentPlatform() { return replacement != nullptr ? *replacement : NativePlatform(); }

void SetPlatform(Platform* platform) { replacement = platform; }

}  // namespace Module1
