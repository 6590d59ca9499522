#pragma once

// Helpers of the tests that run on a real POSIX file system.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <string>

#include "directory_walk.h"

namespace test_support {

inline std::string PercentDecode(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// The link text as a browser shows it: named and numeric references decoded, as UTF-8.
inline std::string HtmlDecode(const std::string& text) {
    const std::map<std::string, char> named = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text.find(';', i);
        if (text[i] != '&' || end == std::string::npos) {
            out.push_back(text[i]);
            continue;
        }
        const std::string name = text.substr(i + 1, end - i - 1);
        if (name.starts_with('#')) {
            const bool hex = name.size() > 1 && name[1] == 'x';
            const auto code = static_cast<char32_t>(std::stoul(name.substr(hex ? 2 : 1), nullptr, hex ? 16 : 10));
            static constexpr unsigned kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};  // by the length in bytes
            const int length = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
            if (length == 1) out.push_back(static_cast<char>(code));
            else out.push_back(static_cast<char>(kLead[length] | (code >> (6 * (length - 1)))));
            for (int k = length - 2; k >= 0; --k) out.push_back(static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F)));
        } else {
            out.push_back(named.at(name));
        }
        i = end;
    }
    return out;
}

// Runs body in a child process, one that has given up root when asked, so
// that file permissions bind even when the tests run as root; returns what
// body returned, or "error: " and the text of what it threw.
inline std::string RunInChild(const std::function<std::string()>& body, bool give_up_root) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        if (give_up_root && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        std::string result;
        try {
            result = body();
        } catch (const std::exception& error) {
            result = std::string("error: ") + error.what();
        }
        [[maybe_unused]] const auto written = write(fds[1], result.data(), result.size());
        _exit(0);
    }
    close(fds[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return result;
}

inline std::string RunUnprivileged(const std::function<std::string()>& body) { return RunInChild(body, true); }

}  // namespace test_support
