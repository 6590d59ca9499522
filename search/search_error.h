#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "shown_name.h"
#include "texts.h"

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

// The run's lines went to a file that is no longer at the output's path (an
// editor saved over it, it was moved or removed). `earlier` is the error the
// run had ended with when that was found, if any: its text comes first.
class OutputReplacedError : public SearchError {
public:
    OutputReplacedError(const std::string& path, std::uint64_t lines, const SearchError* earlier)
        : SearchError(kOutputReplaced, path,
                      std::string(kLinesInReplacedOutput) + ": " + std::to_string(lines) + " " + kLinesUnit),
          lines_(lines),
          text_(earlier != nullptr ? std::string(earlier->what()) + "\n" + SearchError::what() : SearchError::what()) {
        if (earlier != nullptr) earlier_.emplace(*earlier);
    }

    const char* what() const noexcept override { return text_.c_str(); }
    std::uint64_t Lines() const { return lines_; }
    const std::optional<SearchError>& Earlier() const { return earlier_; }

private:
    std::uint64_t lines_;
    std::optional<SearchError> earlier_;
    std::string text_;
};

// The reader of the standard output went away (`| head`): the listing is
// incomplete, but there is nobody to tell.
class ReaderGoneError : public SearchError {
public:
    using SearchError::SearchError;
};

}  // namespace Module1
