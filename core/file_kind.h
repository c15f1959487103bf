// What stands at a path, learnt without opening it. Every reader makes sure
// it is given a regular file before it opens anything (opening a named pipe
// lets a program waiting to write into it go on, or waits for a writer that
// never comes; a device may never end), and every folder walk that loads or
// renames takes regular files only.
#pragma once
#include <string>

enum fileKind {
    fileKindMissing,
    fileKindRegular,  // a regular file, or a link to one
    fileKindFolder,
    fileKindFolderLink,
    fileKindPipe,
    fileKindDevice,
    fileKindSocket,
    fileKindBrokenLink,
    fileKindUnknown,  // cannot be examined (a loop of links, no permission)
};

// `path` without the trailing "/" characters that would make a test look
// through a link at its target ("/" itself stays).
std::string withoutTrailingSlashes(std::string path);

// Looks at the entry with stat only: never opens it, so it cannot block.
fileKind fileKindOf(const std::string& path);
bool isRegularFile(const std::string& path);
// True for a folder, or a link to one.
bool isFolder(const std::string& path);
// The kind in words for messages: "a folder", "a named pipe" ...
const char* fileKindText(fileKind kind);

// True for a regular file. Anything else that stands at `path` is named in
// one warning saying it is skipped; a missing path gives no message.
bool regularFileOrWarn(const std::string& path);
