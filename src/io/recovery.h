// The recovery copy.  While the document has unsaved changes, each window
// keeps it as a data file of its own in the user's state folder, so that a
// crash, a kill or the end of the desktop session does not take the user's
// typing with it; the next start offers the copies whose window is gone.
//
// Files in the folder (which only the user may enter, and which is not used
// when a symbolic link stands in its place):
//   window-<pid>-<n>.txt       the copy of window n of process pid, in the data-file format
//                              (in UTF-8 when Shift-JIS cannot hold every character),
//                              followed by the document's origin (which the reader passes over)
//   window-<pid>-<n>.lock      locked (flock) by that window while it runs
//   .window-<pid>-<n>.txt.kurvo-XXXXXX   the copy being written
//   unreadable-<pid>-<n>.txt   a copy that could not be read back: kept for the user, never offered
//
// A copy whose lock nobody holds belongs to a window that is no longer
// running, whatever became of its process number since.  Copies and lock
// files are the user's alone (rw-------) and are made new, never through a
// symbolic link someone put under their name; only regular files count as
// copies.  The timing (how soon after a change the copy is brought up to
// date) is the window's.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "io/data_file.h"
#include "io/table_file.h"
#include "state/views.h"

namespace kurvo {

// The question for a copy of a document from `origin`, written at `when`
// (local time): it names the file and the time of the copy.
std::string RecoveryQuestion(const DocumentOrigin& origin, std::time_t when);

// $XDG_STATE_HOME/kurvo, by default ~/.local/state/kurvo; empty when the
// environment names neither.
std::string RecoveryFolder();

class RecoveryCopy {
public:
    // The window's copy in `folder`; the folder is made when the copy is first
    // written.  The lock files and unfinished copies that windows no longer
    // running left there are removed at once.
    explicit RecoveryCopy(std::string folder);
    // Gives up the lock.  A copy on disk stays there for the next start.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // The copy's file; empty until the first write.
    const std::string& Path() const { return path_; }

    // Brings the copy in line with the document: writes `unsaved`, the
    // document's content while it has unsaved changes, and where it came from (atomically, with the
    // data-file writer, when it is not on disk yet), removes the copy when
    // there is none.  Returns why it failed.
    std::optional<std::string> Update(const std::optional<Document>& unsaved, const DocumentOrigin& origin = {});

    // Removes the copy: the user ended the program without saving on purpose.
    void Discard();

    // What the window does with a copy the user takes back: puts the document
    // on screen as Open does, from the file it came from, and returns what
    // its own copy is to hold then.
    using Restore = std::function<std::optional<Document>(const Document&, const DocumentOrigin&)>;

    // As the window starts: for each copy left by a window that is no longer
    // running, asks RecoveryQuestion.  Yes reads the copy, restores it and
    // ends the offers once it is on screen (and in this window's copy); No
    // removes it.  A copy that cannot be read is kept under an "unreadable-"
    // name, and the message says why and where.
    void OfferLeftCopies(IUserDialogs& dialogs, const Restore& restore);

private:
    void TakeName();

    std::string folder_;
    std::string path_;
    std::string lockPath_;
    int lock_ = -1;
    std::string written_;  // the bytes on disk; empty when there is no copy
};

}  // namespace kurvo
