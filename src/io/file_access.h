// Whole-file reading and writing for the data files and images.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

// No file the program reads is larger; a data file holds at most a few tens of kilobytes.
inline constexpr std::size_t kLargestFileRead = std::size_t{16} << 20;

// The bytes of a regular file of at most kLargestFileRead bytes.  A folder, a
// device, a FIFO or a socket is refused by its type without being read or
// waited on, a larger file by its size before a byte is read (and a file that
// grows past the limit while it is read is refused as well).  Raises
// RuntimeError (FileFormat) whose description is one line saying why.
std::string ReadWholeFile(const std::string& path);

// How the file to write is found, and the permissions it gets.
enum class WriteTarget {
    // Symbolic links are followed, so that saving through a link replaces
    // the file it points at and keeps the link, also when that file does not
    // exist yet.  An existing file keeps its permission bits; a new one gets
    // rw-rw-rw- less the user's file-creation mask.
    Shared,
    // The name itself: a symbolic link there is replaced, never followed.
    // Readable and writable by the user alone.
    Private,
};

// Replaces the content of `path` by `bytes` without ever leaving a broken
// file: the bytes go to a temporary file ".NAME.kurvo-XXXXXX" in the same
// folder (for a name too long for that, its start and a check sum stand for
// NAME), made with the target's permissions, which is flushed to disk and
// then renamed over the target; the folder is flushed after the rename.
// Temporary files that earlier saves of the same target left behind when
// they were killed are removed first.  A target that exists must be a regular
// file: a folder, a device, a FIFO or a socket is refused before anything is
// written, and so is a loop of symbolic links, with a message of its own.  A
// target marked read-only (no write permission bit at all) is refused, also
// for a privileged user.  On any failure the target keeps its previous
// content, the temporary file is removed, and RuntimeError (FileWrite) is
// raised with one line saying why.
void ReplaceFileContents(const std::string& path, std::string_view bytes, WriteTarget how = WriteTarget::Shared);

// ReplaceFileContents in two steps: the constructor does everything but the
// rename (and raises what ReplaceFileContents raises), Commit renames.  A
// prepared file never committed is removed and its target left as it was.
class PreparedFile {
public:
    PreparedFile(const std::string& path, std::string_view bytes, WriteTarget how = WriteTarget::Shared);
    ~PreparedFile();
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;
    void Commit();

private:
    friend class FileGroup;
    // Gives the target's present content a second name beside it, to be put back by Revert.
    void KeepPrevious();
    // After Commit: the previous content back, or no file when there was none.
    void Revert();

    std::string target_, temporary_, previous_;
    bool committed_ = false;
    int held_ = -1, heldPrevious_ = -1;  // locks on the two while this save uses them
};

// Several files replaced all or nothing.  Add prepares each file beside its
// target as PreparedFile does (and raises what it raises).  Commit puts them
// in place in the order they were added, keeping each target's previous
// content under a temporary name until all of them are in place; when one
// cannot be put in place, every target already replaced gets its previous
// content back (a target that did not exist is removed again), Failed()
// tells which file failed (its number in the order added, from 0) and Commit
// raises why, as PreparedFile::Commit does.  Files added but not committed
// are removed.
class FileGroup {
public:
    void Add(const std::string& path, std::string_view bytes, WriteTarget how = WriteTarget::Shared);
    void Commit();
    std::size_t Failed() const { return failed_; }

private:
    std::vector<std::unique_ptr<PreparedFile>> files_;
    std::size_t failed_ = 0;
};

// Whether two names stand for the same file as a write would find it:
// through symbolic links (also to a file not there yet), whatever the
// spelling of the folder, and by identity for existing files (hard links).
bool SameFile(const std::string& a, const std::string& b);

// The reason for a failed file operation as the program words it.
std::string FileErrorText(int errorNumber);

}  // namespace kurvo
