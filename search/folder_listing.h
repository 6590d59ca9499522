#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace Module1 {

// One folder's entries, read whole and kept compact: a level is read before
// the walk descends from it, so the folder's handle is not held while the
// walk is below it.
struct Listing {
    struct Entry {
        std::uint32_t attributes;
        std::uint32_t name_size;
    };
    std::vector<Entry> entries;  // in the order the file system returned them
    std::string names;           // the names, one after the other
    std::string error;           // why the listing broke off early; empty when it simply ended

    std::size_t Bytes() const { return entries.size() * sizeof(Entry) + names.size(); }
};

// Reads the folder's whole listing.
Listing ReadListing(Folder& folder);

// The folder rule, in the order it is applied: an entry without the folder
// attribute is a file and goes to the class tests; a link, junction or mount
// point is never entered; nor is a dot-name ("." and ".." and hidden folders
// such as .cache); every other folder is entered, and never listed itself.
inline bool IsFolderToEnter(std::uint32_t attributes, std::string_view name) {
    return (attributes & kAttrDirectory) != 0 && (attributes & kAttrReparsePoint) == 0 && !name.empty() &&
           name.front() != '.';
}

}  // namespace Module1
