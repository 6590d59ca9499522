#pragma once

#include <stdexcept>
#include <string>

#include "shown_name.h"

namespace Module1 {

// An error that ends a run. Its text names the operation, the path and the
// system's reason, e.g. "出力ファイルを開けません: /ro/out.htm (Permission denied)";
// the path as it may be shown (boxes, the terminal), controls escaped.
class SearchError : public std::runtime_error {
public:
    SearchError(const std::string& operation, const std::string& path, const std::string& reason)
        : std::runtime_error(operation + ": " + ShownName(path) + " (" + reason + ")") {}
    // Errors already made into texts, one after the other.
    explicit SearchError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace Module1
