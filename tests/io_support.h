// Helpers of the data-file tests.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "checks.h"
#include "io/data_file.h"
#include "window/document.h"
#include "io/shift_jis.h"

namespace kurvo::test {

// The bytes of a file; for anything else only its type, so that a FIFO or a device is never opened.
inline std::string FileBytes(const std::string& path) {
    std::error_code unused;
    const std::filesystem::file_type type = std::filesystem::status(path, unused).type();
    if (type != std::filesystem::file_type::regular) return "type " + std::to_string(static_cast<int>(type));
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A new folder under the temporary folder, removed with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kurvo-io-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    // Each file's name and bytes; a folder's name with no bytes.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            files[entry.path().filename().string()] = entry.is_directory() ? "" : FileBytes(entry.path().string());
        return files;
    }

private:
    std::filesystem::path path_;
};

inline void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `check` as a user without privileges: for root in a child process
// turned into nobody, whose failures fail the test.
template <typename Check>
void Unprivileged(const Check& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        const bool dropped = nobody != nullptr && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
                             ::setuid(nobody->pw_uid) == 0;
        if (dropped) check();
        ::_exit(dropped && !::testing::Test::HasFailure() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "as nobody";
}

// Runs Save with the file dialog answering `path` and the question Yes.
inline void Save(Workbench& wb, const std::string& path) {
    wb.dialogs.files.push_back(path);
    wb.dialogs.answers.push_back(MsgAnswer::Yes);
    wb.app.SaveCommand();
}

}  // namespace kurvo::test
