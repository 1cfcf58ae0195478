// Whole-file reading and writing for the data files.
#pragma once

#include <string>
#include <string_view>

namespace kurvo {

// The bytes of a file.  Raises RuntimeError (FileFormat) whose description is
// one line saying why the file could not be read.
std::string ReadWholeFile(const std::string& path);

// Replaces the content of `path` by `bytes` without ever leaving a broken
// file: the bytes go to a temporary file in the same folder, which is flushed
// to disk and then renamed over the target.  A target that exists keeps its
// permission bits.  A target marked read-only (no write permission bit at all)
// is refused, also for a privileged user.  On any failure the target keeps
// its previous content, the temporary file is removed, and RuntimeError
// (FileWrite) is raised with one line saying why.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// ReplaceFileContents in two steps, so that several files are replaced only
// when all of them could be written: the constructor does everything but the
// rename (and raises what ReplaceFileContents raises), Commit renames.  A
// prepared file never committed is removed and its target left as it was.
class PreparedFile {
public:
    PreparedFile(const std::string& path, std::string_view bytes);
    ~PreparedFile();
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;
    void Commit();

private:
    std::string target_, temporary_;
    bool committed_ = false;
};

// The reason for a failed file operation as the program words it.
std::string FileErrorText(int errorNumber);

}  // namespace kurvo
