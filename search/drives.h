#pragma once

// What the drive list makes of the system's volumes (Platform::ListDrives).

#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace Module1 {

// The choice of drives made over the text of a mount table (the
// /proc/self/mounts format); the POSIX platform feeds it the live one.
#ifndef _WIN32
std::vector<Drive> DrivesFromMountTable(std::string_view table);
#endif

// The mount point of the drive that holds the folder: the longest mount point
// that is the folder itself or one of its parents. Empty when none is.
std::string DriveHolding(const std::vector<Drive>& drives, const std::string& folder);

}  // namespace Module1
