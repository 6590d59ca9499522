#include "win32_calls.h"

namespace Module1::win32 {

decltype(&::CreateFileW) create_file = ::CreateFileW;
decltype(&::FindNextFileW) find_next_file = ::FindNextFileW;
decltype(&::WriteFile) write_file = ::WriteFile;

}  // namespace Module1::win32
