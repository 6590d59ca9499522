#include "folder_listing.h"

namespace Module1 {

Listing ReadListing(Folder& folder) {
    Listing listing;
    for (FindData entry; folder.Next(entry);) {
        listing.entries.push_back({entry.attributes, static_cast<std::uint32_t>(entry.name.size())});
        listing.names += entry.name;
    }
    listing.error = folder.ListingError();
    listing.entries.shrink_to_fit();
    listing.names.shrink_to_fit();
    return listing;
}

}  // namespace Module1
