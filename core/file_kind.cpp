// Telling regular files from folders, links, pipes, devices and sockets.
#include "core/file_kind.h"

#include <boost/filesystem.hpp>

#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

const char* const kindTexts[] = {
    "missing",  "a regular file", "a folder",      "a link to a folder",        "a named pipe",
    "a device", "a socket",       "a broken link", "an entry that cannot be examined",
};

bool isLink(const std::string& path)
{
    boost::system::error_code ec;
    return fs::is_symlink(fs::symlink_status(withoutTrailingSlashes(path), ec));
}

}  // namespace

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

fileKind fileKindOf(const std::string& path)
{
    boost::system::error_code ec;
    switch (fs::status(path, ec).type()) {
    case fs::regular_file: return fileKindRegular;
    case fs::directory_file: return isLink(path) ? fileKindFolderLink : fileKindFolder;
    case fs::fifo_file: return fileKindPipe;
    case fs::block_file:
    case fs::character_file: return fileKindDevice;
    case fs::socket_file: return fileKindSocket;
    case fs::file_not_found: return isLink(path) ? fileKindBrokenLink : fileKindMissing;
    default: return fileKindUnknown;
    }
}

bool isRegularFile(const std::string& path)
{
    return fileKindOf(path) == fileKindRegular;
}

bool isFolder(const std::string& path)
{
    const fileKind kind = fileKindOf(path);
    return kind == fileKindFolder || kind == fileKindFolderLink;
}

const char* fileKindText(fileKind kind)
{
    const int k = static_cast<int>(kind);
    const int count = static_cast<int>(sizeof kindTexts / sizeof kindTexts[0]);
    return kindTexts[k >= 0 && k < count ? k : fileKindUnknown];
}

bool regularFileOrWarn(const std::string& path)
{
    const fileKind kind = fileKindOf(path);
    if (kind == fileKindRegular) return true;
    if (kind != fileKindMissing)
        systemMsg(QV_WARNING "^y" + path + "^w is " + fileKindText(kind) + ", not a regular file; it is skipped.");
    return false;
}
