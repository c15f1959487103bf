// Replacing files whole, safely and durably; the one place that reaches the
// operating system's file calls for it. A lone file is written to a temporary
// file beside it, flushed to the disk, renamed over it, and its folder flushed.
// The files of one folder that a save writes together are written into a fresh
// sibling folder, the folder's other entries are linked in beside them
// unchanged (copied where the file system refuses a link; a sub-folder is
// made anew, filled, and only then given its mode), and the two folders trade
// places in one atomic exchange, so a failed write or a killed process leaves
// either every old file or every new one. The old folder is then emptied by
// name of what the save knows as its own: the old versions of the files it
// wrote, and what it carried, as long as each is still what was carried
// (device, inode, size, modification and change times). Anything else in it
// was written by others meanwhile and is moved into the new folder, with a
// warning for each; the old folder goes with rmdir, so a program still
// writing into it fails instead of losing its file. What cannot be moved is
// kept: the old folder is renamed to "<name>.kept-<date>-<time>" beside the
// folder, which no save touches, and one warning names it. Where the file
// system cannot exchange two folders, nothing is carried: the new files are
// renamed in one by one and a warning says that the save is not atomic there.
// The temporary file and folder are named with the writer's own prefix,
// ".quorvane-saving-", which is how a later save knows what a failed or
// killed one left. Such a leftover is never removed whole either: only what
// is surely the writer's goes (its files of the folder's own names, and
// entries that are the very file, or the same bytes, as the folder's entry of
// that name); the rest is put back into the folder, or kept as above. A
// target is looked at without being opened, so that a named pipe or a device
// in its place fails the save at once.
#pragma once
#include <map>
#include <string>
#include <vector>

struct stat;

// The temporary file beside `target` that a lone replacement writes first:
// the prefix before its name.
std::string temporaryFileFor(const std::string& target);
// The sibling folder that a replacement of `folder` writes into first: the
// prefix before its name.
std::string newFolderFor(const std::string& folder);

// Files of one folder replaced together: stage each, then commit them all.
// Nothing on disk changes until the first stage. Staging first clears what a
// killed replacement of the folder left (its sibling folder), and the new
// folder leaves out the writer's temporary files; a replacement that is not
// committed removes its sibling folder, which then holds only what it made,
// when it is destroyed and leaves the folder as it was. Every reason given
// names the path and the cause.
class folderReplacement {
public:
    // `ownFiles`: the names of every file that saves of `folder` write (each
    // save stages some of them); what a killed save left under those names is
    // the writer's own.
    folderReplacement(std::string folder, std::vector<std::string> ownFiles);
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
    // be put in place (the folder is then as it was). Once the folders have
    // traded places the files are saved and the result is true: what goes
    // wrong after that (something others wrote that cannot be moved into the
    // new folder, a flush) is a warning that says what was kept where.
    bool commit();
    const std::string& error() const { return failure; }

private:
    // What an entry was at one moment.
    struct entryIdentity {
        unsigned long long device = 0, inode = 0, size = 0;
        unsigned kind = 0;  // the file type bits of its mode
        long long modifiedSeconds = 0, modifiedNanoseconds = 0, changedSeconds = 0, changedNanoseconds = 0;
        bool sameFile(const entryIdentity& other) const;
        bool sameVersion(const entryIdentity& other) const;  // the same file, its size and modification time
        bool unchanged(const entryIdentity& other) const;    // all of it, the change time too
    };
    // How an entry of the old folder was taken into the new one.
    enum class carriedHow { linked, copied, folderMade, replaced /* a staged file's old version */ };
    struct carriedEntry {
        carriedHow how;
        entryIdentity was;   // the old folder's entry as it was carried
        entryIdentity made;  // what the writer put in its place in the new folder
    };
    // The emptying of one old folder: what could not be moved out of it, each
    // as a path and its cause.
    struct clearing {
        bool leftover = false;  // the folder is what a killed save left, of which nothing is recorded
        std::vector<std::string> unmoved;
    };

    std::string folder;     // the folder replaced, a real folder, no trailing '/'
    std::string newFolder;  // its sibling, once made
    std::vector<std::string> ownFiles;
    std::vector<std::string> staged;
    std::map<std::string, carriedEntry> carried;  // by path within the folder
    std::string failure;
    bool committed = false;

    static entryIdentity identityFrom(const struct stat& info);
    static bool identityOf(const std::string& path, entryIdentity& identity);
    bool prepare();
    bool clearLeftover(const std::string& leftover);
    bool isStaged(const std::string& name) const;
    bool isOwnFile(const std::string& name) const;
    bool carryOthers(const std::string& from, const std::string& to, const std::string& within);
    bool carryOne(const std::string& source, const std::string& copy, const std::string& path, unsigned kind);
    bool isOwn(const std::string& path, const entryIdentity& was, const std::string& oldPath, bool there,
               const entryIdentity& now, const std::string& newPath, bool leftover) const;
    bool isWritersInNew(const std::string& path, const entryIdentity& now) const;
    void clearOldFolder(const std::string& old, const std::string& now, const std::string& within, clearing& state);
    bool clearOldEntry(const std::string& name, const std::string& old, const std::string& now,
                       const std::string& within, clearing& state);
    void removeOwn(const std::string& from, const std::string& to, const std::string& path,
                   const entryIdentity& was, clearing& state);
    void clearSubFolder(const std::string& old, const std::string& now, const std::string& path, clearing& state);
    bool removeOldFolder(const std::string& old, clearing& state);
    bool keepOldFolder(const std::string& old, const clearing& state);
    bool renameOneByOne(int exchangeError);
    bool fail(std::string reason);
};

// Renames `from` to `to` only where nothing stands there (a plain rename
// would replace a file, or an empty folder); 0, or the error number of the
// failure (EEXIST when the name is taken).
int renameWhereFree(const std::string& from, const std::string& to);

// One file replaced alone; false on failure, with the reason in `error` when given.
bool replaceFile(const std::string& target, const std::string& text, std::string* error = nullptr);

// Creates `folder` and the missing folders above it, each recorded durably in
// its parent; false when it cannot be made, with the reason in `error` when given.
bool createFolders(const std::string& folder, std::string* error = nullptr);
