#pragma once

// Helpers of the tests that run on a real POSIX file system.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <string>


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

inline std::string HtmlDecode(std::string text) {
    for (const auto& [entity, ch] : std::map<std::string, std::string>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&#13;", "\r"}, {"&#10;", "\n"}, {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, entity.size(), ch);
    }
    return text;
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
