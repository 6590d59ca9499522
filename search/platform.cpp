#include "platform.h"

#include "output_file.h"

namespace Module1 {

OutputSystem& Platform::Output() { return NativeOutputSystem(); }

}  // namespace Module1
