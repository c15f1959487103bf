// Replacing files whole, safely and durably; the one place that reaches the
// operating system's file calls for it. A lone file is written to a temporary
// file beside it, flushed to the disk, renamed over it, and its folder flushed.
// The files of one folder that a save writes together are written into a fresh
// sibling folder, the folder's other entries are linked in beside them
// unchanged (copied where the file system refuses a link; a sub-folder is
// made anew, filled, and only then given its mode), and the two folders trade
// places in one atomic exchange, so a failed write or a killed process leaves
// either every old file or every new one. What others wrote into the folder
// meanwhile (an entry the new folder lacks, or one that is no longer the
// entry carried) is moved into the new folder before the old one is removed,
// with a warning for each. Where the file system cannot exchange two
// folders, nothing is carried: the new files are renamed in one by one and a
// warning says that the save is not atomic there. The temporary file and
// folder are named with the writer's own prefix, ".quorvane-saving-", which
// is how a later save knows what a failed or killed one left: nothing else
// is ever removed, and what is removed goes whatever modes it carries, so
// that no failed save blocks the next. A target is looked at without being
// opened, so that a named pipe or a device in its place fails the save at once.
#pragma once
#include <map>
#include <string>
#include <vector>

// The temporary file beside `target` that a lone replacement writes first:
// the prefix before its name.
std::string temporaryFileFor(const std::string& target);
// The sibling folder that a replacement of `folder` writes into first: the
// prefix before its name.
std::string newFolderFor(const std::string& folder);

// Files of one folder replaced together: stage each, then commit them all.
// Nothing on disk changes until the first stage. Staging removes what a
// killed replacement of the folder left (its sibling folder), and the new
// folder leaves out the writer's temporary files; a replacement that is not
// committed removes its sibling folder when it is destroyed and leaves the
// folder as it was. Every reason given names the path and the cause.
class folderReplacement {
public:
    explicit folderReplacement(std::string folder);
    ~folderReplacement();
    folderReplacement(const folderReplacement&) = delete;
    folderReplacement& operator=(const folderReplacement&) = delete;

    // Creates the folder when missing and writes `text` (bytes as given) as
    // the new file `name` of the sibling folder, flushed to the disk. False,
    // with the reason in error(), when a folder cannot be made, the old file
    // is not a regular file or cannot be written, or the new one cannot be
    // written whole; after one failure every later call fails too.
    bool stage(const std::string& name, const std::string& text);
    // Puts every staged file in place, durably; false when a stage failed,
    // the folder's other entries cannot be carried over, or the files cannot
    // be put in place (the folder is then as it was), or when what others
    // wrote meanwhile cannot be moved into the new folder (the new files are
    // in place, the old folder is left under the sibling's name, and the
    // reason names it).
    bool commit();
    const std::string& error() const { return failure; }

private:
    // What a carried entry was when it was carried in.
    struct entryIdentity {
        unsigned long long device, inode, size;
        long long modifiedSeconds, modifiedNanoseconds;
        bool operator==(const entryIdentity& other) const;
    };

    std::string folder;     // the folder replaced, a real folder, no trailing '/'
    std::string newFolder;  // its sibling, once made
    std::vector<std::string> staged;
    std::map<std::string, entryIdentity> carried;  // by path within the folder
    std::string failure;
    bool committed = false;

    static bool identityOf(const std::string& path, entryIdentity& identity);
    bool prepare();
    bool isStaged(const std::string& name) const;
    bool carryOthers(const std::string& from, const std::string& to, const std::string& within);
    bool keepWrittenMeanwhile(const std::string& old, const std::string& now, const std::string& within);
    bool renameOneByOne(int exchangeError);
    bool fail(std::string reason);
};

// One file replaced alone; false on failure, with the reason in `error` when given.
bool replaceFile(const std::string& target, const std::string& text, std::string* error = nullptr);

// Creates `folder` and the missing folders above it, each recorded durably in
// its parent; false when it cannot be made, with the reason in `error` when given.
bool createFolders(const std::string& folder, std::string* error = nullptr);
