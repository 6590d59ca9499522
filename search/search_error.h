#pragma once

#include <stdexcept>
#include <string>

#include "shown_name.h"

namespace Module1 {

// An error that ends a run. Its text names the operation, the path and the
// system's reason, e.g. "出力ファイルを開けません: /ro/out.htm (Permission denied)";
// the path as it may be shown (boxes, the terminal), controls escaped. The
// parts are kept too, for the listing tool, which says the operation in its
// user's language.
class SearchError : public std::runtime_error {
public:
    SearchError(const std::string& operation, const std::string& path, const std::string& reason)
        : std::runtime_error(operation + ": " + ShownName(path) + " (" + reason + ")"),
          operation_(operation),
          path_(path),
          reason_(reason) {}

    // One of texts.h's texts.
    const std::string& Operation() const { return operation_; }
    // The file system's bytes, not escaped.
    const std::string& Path() const { return path_; }
    // The system's reason, or texts.h's; several are joined by "; ".
    const std::string& Reason() const { return reason_; }

private:
    std::string operation_;
    std::string path_;
    std::string reason_;
};

}  // namespace Module1
