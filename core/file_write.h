// Replacing files whole, safely and durably; the one place that reaches the
// operating system's file calls for it. A lone file is written to a temporary
// file beside it, flushed to the disk, renamed over it, and its folder flushed.
// The files of one folder that a save writes together go in place all or none
// through a commit record, and the save touches no other entry of the folder:
// each file is written whole as its temporary and flushed; then a record
// naming them is written, flushed and renamed into place, and the folder is
// flushed: from that rename on the save is done. Each temporary is then
// renamed over its file, the folder flushed and the record removed. What a
// killed save left is finished before the folder's files are next read or
// written: with a record, its remaining temporaries are renamed in; without
// one, the temporaries go. The writer's own entries of a folder are exactly
// ".quorvane-saving-<file>" for each file it writes there, the record
// ".quorvane-saving-commit" and the record's temporary
// ".quorvane-saving-commit.new"; nothing else is ever renamed or removed, and
// only regular files under those names. A target is looked at without being
// opened, so that a named pipe or a device in its place fails the save at once.
#pragma once
#include <string>
#include <vector>

// The temporary file beside `target` that a replacement writes first: the
// writer's prefix before its name.
std::string temporaryFileFor(const std::string& target);

// Files of one folder replaced together: stage each, then commit them all.
// Nothing on disk changes until the first stage, which first finishes what a
// killed replacement of the folder left. A replacement that fails, or is
// destroyed before its commit, removes the temporaries it wrote and leaves
// the folder as it was. Every reason given names the path and the cause.
class folderReplacement {
public:
    // `ownFiles`: the names of every file that saves of `folder` write (each
    // save stages some of them).
    folderReplacement(std::string folder, std::vector<std::string> ownFiles);
    ~folderReplacement();
    folderReplacement(const folderReplacement&) = delete;
    folderReplacement& operator=(const folderReplacement&) = delete;

    // Creates the folder when missing and writes `text` (bytes as given) as
    // the temporary of the file `name`, flushed to the disk. False, with the
    // reason in error(), when a folder cannot be made, what a killed save left
    // cannot be finished, the old file is not a regular file or cannot be
    // written, or the new one cannot be written whole; after one failure
    // every later call fails too.
    bool stage(const std::string& name, const std::string& text);
    // Commits every staged file and puts it in place; false when a stage
    // failed or the record cannot be put in place (the folder is then as it
    // was). Once the record is in place the files are saved and the result is
    // true: what goes wrong after that is a warning, and what is left is
    // finished the next time the folder is read or saved.
    bool commit();
    const std::string& error() const { return failure; }

private:
    std::string folder;  // no trailing '/'
    std::vector<std::string> ownFiles;
    std::vector<std::string> staged;
    std::string failure;
    bool prepared = false;
    bool ownsRecordTemporary = false;  // the record's temporary is this save's
    bool committed = false;

    bool prepare();
    bool isStaged(const std::string& name) const;
    bool isOwnFile(const std::string& name) const;
    void discard();
    bool fail(std::string reason);
};

// Finishes what a killed replacement of `folder` (whose saves write
// `ownFiles`) left: with a commit record, renames its remaining temporaries
// over their files and removes it, then any other temporaries of the
// writer's; without one, removes the writer's temporaries. Nothing to finish is success. False, with the reason when
// `reason` is given, when it cannot be finished; a record that is not a
// regular file or not one the writer wrote is then left as it is, with the
// temporaries.
bool finishFolderReplacement(const std::string& folder, const std::vector<std::string>& ownFiles,
                             std::string* reason = nullptr);

// Renames `from` to `to` only where nothing stands there (a plain rename
// would replace a file, or an empty folder); 0, or the error number of the
// failure (EEXIST when the name is taken).
int renameWhereFree(const std::string& from, const std::string& to);

// One file replaced alone; false on failure, with the reason in `error` when given.
bool replaceFile(const std::string& target, const std::string& text, std::string* error = nullptr);

// Creates `folder` and the missing folders above it, each recorded durably in
// its parent; false when it cannot be made, with the reason in `error` when given.
bool createFolders(const std::string& folder, std::string* error = nullptr);
