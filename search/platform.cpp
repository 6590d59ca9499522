#include "platform.h"

#include "output_file.h"

namespace Module1 {

namespace {
Platform* replacement = nullptr;  // a test's platform, when one is in place
}  // namespace

OutputSystem& Platform::Output() { return NativeOutputSystem(); }

Platform& CurrentPlatform() { return replacement != nullptr ? *replacement : NativePlatform(); }

void SetPlatform(Platform* platform) { replacement = platform; }

}  // namespace Module1
