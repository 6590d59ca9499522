#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output_system.h"
#include "run_search.h"
#include "search_error.h"

namespace Module1 {

// One run's output. Checked before the walk; opened when the run writes its
// first line (a run without matches creates nothing) and kept open to the
// end, so that whatever happens to the path meanwhile, every line goes to the
// file the run opened; at the end the run tells when that file is no longer
// at the path. Each line is appended with a single write; one that fails
// part way is taken back, so that the file keeps whole lines only, unless
// the bytes after it are not the run's own. Only regular files and
// character devices are taken. Errors throw SearchError.
class OutputFile {
public:
    OutputFile(OutputSystem& system, OutputTarget target);
    // Closes the file without a word: the run has failed already.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Before the walk: fails when lines could not be appended. An existing
    // file is opened and closed again; for a new one the folder must take
    // new files. Nothing is created.
    void Check();
    // Appends one line, its line end included.
    void Append(std::string_view line);
    // Whether the walk's entry is this output (the same file, known once the
    // output was checked or opened): a listing never lists itself.
    bool IsOutput(const std::string& full_name, std::string_view bare_name);
    // When the path no longer names the file the run wrote to (an editor
    // saved over it, it was moved or removed), throws an error that says
    // where the run's `lines` went, after the text of an error the run
    // ended with, if any.
    void TellIfReplaced(std::uint64_t lines, const SearchError* error = nullptr);
    // Ends the run's output; a close that reports a failed write throws.
    void Close();

    const std::string& path() const { return target_.path; }

private:
    // What of a line reached the file.
    struct Written {
        std::size_t bytes = 0;  // in all
        std::size_t last = 0;   // by the last write that took any
        bool placed = false;    // whether start is known
        std::uint64_t start = 0;  // where the line began in the file
    };

    void Open();
    bool ShareTheFile();
    bool TakeBack(const Written& written);
    [[noreturn]] void Fail(const char* operation, OutputSystem::Error error);
    [[noreturn]] void WriteFailed(OutputSystem::Error error, bool part_left);

    OutputSystem& system_;
    OutputTarget target_;
    std::size_t name_size_ = 0;  // of the path's last part
    std::string upper_name_;     // the path's last part, upper-cased
    OutputSystem::Handle handle_ = 0;
    bool open_ = false;
    OutputSystem::Kind kind_ = OutputSystem::Kind::kFile;
    bool appends_ = true;
    bool shared_ = false;  // holds the lock that runs appending to the file share
    bool identified_ = false;
    FileIdentity identity_;
    std::string guarded_;  // the first line with CR LF in front
};

}  // namespace Module1
