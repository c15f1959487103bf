// Replacing files whole, safely and durably; the one place that reaches the
// operating system's file calls for it. A lone file is written to a temporary
// file beside it, flushed to the disk, renamed over it, and its folder flushed.
// The files of one folder that a save writes together go in place all or none
// through a commit record, and the save touches no other entry of the folder:
// each file is written whole as its temporary and flushed; then a record
// naming them is written and flushed, the folder flushed, and the record
// renamed into place and the folder flushed again: from that rename on the
// save is done. Each temporary is then renamed over its file, the folders
// flushed and the record removed. What a killed save left is finished before
// the folder's files are next read or written: with a record, its remaining
// temporaries are renamed in; without one, the temporaries go. A save holds
// its folder (folderLock) from that finishing through its last rename, so
// that no other copy of the program finishes, reads or writes it meanwhile.
//
// A file that is a link to a file stays a link: the file it leads to is
// replaced. The temporary of a lone file is written beside that file; the
// temporaries of a folder's files stay in the folder, so the file a link
// leads to must be on the folder's own mount and in a folder this process
// may write, or the save writes nothing and names the link.
//
// The writer's own entries of a folder are exactly ".quorvane-saving-<file>"
// for each file it writes there, the record ".quorvane-saving-commit" and the
// record's temporary ".quorvane-saving-commit.new"; nothing else is ever
// renamed or removed, and only regular files under those names: anything
// else there fails the save, named as standing where the program saves
// through. A target is looked at without being opened, so that a named pipe
// or a device in its place fails the save at once.
#pragma once
#include <string>
#include <vector>

#include "core/folder_lock.h"

// The temporary file beside `target` that a replacement writes first: the
// writer's prefix before its name.
std::string temporaryFileFor(const std::string& target);

// Files of one folder replaced together: stage each, then commit them all.
// Nothing on disk changes until the first stage, which first holds the
// folder and finishes what a killed replacement of it left. A replacement
// that fails, or is destroyed before its commit, removes the temporaries it
// wrote and leaves the folder as it was. Every reason given names the path
// and the cause.
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
    // reason in error(), when a folder cannot be made, another copy of the
    // program holds the folder past the wait, what a killed save left cannot
    // be finished, the old file is not a regular file (or a link to one that
    // can be replaced all or none with the others) or cannot be written, or
    // the new one cannot be written whole; after one failure every later
    // call fails too. Each name is staged once.
    bool stage(const std::string& name, const std::string& text);
    // Commits every staged file and puts it in place, then lets the folder
    // go. False when a stage failed, the record cannot be put in place, or a
    // temporary of this save is found gone before the first rename (the
    // record is then taken back): the folder is then as it was. Once the
    // record is in place the files are saved: a rename or flush that fails
    // after it is a warning, and what is left is finished the next time the
    // folder is read or saved. A temporary found gone at its own rename fails
    // the save, naming its file.
    bool commit();
    const std::string& error() const { return failure; }

private:
    std::string folder;  // no trailing '/'
    std::vector<std::string> ownFiles;
    std::vector<std::string> staged;
    std::string failure;
    folderLock lock;  // released after the destructor has removed what is left
    bool prepared = false;
    bool ownsRecordTemporary = false;  // the record's temporary is this save's
    bool committed = false;

    bool prepare();
    bool isOwnFile(const std::string& name) const;
    bool stagedStillThere(std::string& reason) const;
    bool withdraw(std::string reason);
    void discard();
    bool fail(std::string reason);
};

// Finishes what a killed replacement of `folder` (whose saves write
// `ownFiles`) left: with a commit record, renames its remaining temporaries
// over their files and removes it, then any other temporaries of the
// writer's; without one, removes the writer's temporaries. Nothing to finish
// is success. False, with the reason when `reason` is given, when it cannot
// be finished; a record that is not a regular file or not one the writer
// wrote is then left as it is, with the temporaries. The caller holds the
// folder.
bool finishFolderReplacement(const std::string& folder, const std::vector<std::string>& ownFiles,
                             std::string* reason = nullptr);

// Renames `from` to `to` only where nothing stands there (a plain rename
// would replace a file, or an empty folder); 0, or the error number of the
// failure (EEXIST when the name is taken).
int renameWhereFree(const std::string& from, const std::string& to);

// One file replaced alone, holding the folder its temporary is written in;
// false on failure, with the reason in `error` when given, and
// `heldElsewhere` (when given) set when the failure is another copy of the
// program holding that folder to the end of the wait.
bool replaceFile(const std::string& target, const std::string& text, std::string* error = nullptr,
                 bool* heldElsewhere = nullptr);

// Creates `folder` and the missing folders above it, each recorded durably in
// its parent; false when it cannot be made, with the reason in `error` when given.
bool createFolders(const std::string& folder, std::string* error = nullptr);
