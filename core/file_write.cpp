// Whole-file replacement through a temporary file and a rename.
#include "core/file_write.h"

#include <boost/filesystem.hpp>
#include <fstream>

namespace fs = boost::filesystem;

namespace {

constexpr const char* temporarySuffix = ".tmp";

void removeQuietly(const std::string& path)
{
    boost::system::error_code ec;
    fs::remove(path, ec);
}

// An existing target must be a file this process may write: a rename would
// replace a read-only file too, which the user did not allow.
bool targetWritable(const std::string& target, std::string& reason)
{
    boost::system::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (!fs::exists(status)) return true;
    if (fs::is_directory(status)) {
        reason = target + " is a folder";
        return false;
    }
    std::ofstream probe(target, std::ios::out | std::ios::app | std::ios::binary);  // writes nothing
    if (!probe) {
        reason = target + " cannot be written";
        return false;
    }
    return true;
}

}  // namespace

std::string temporaryFileFor(const std::string& target)
{
    return target + temporarySuffix;
}

fileReplacement::~fileReplacement()
{
    for (size_t i = renamed; i < staged.size(); ++i) removeQuietly(temporaryFileFor(staged[i]));
}

bool fileReplacement::fail(std::string reason)
{
    if (failure.empty()) failure = std::move(reason);
    return false;
}

bool fileReplacement::stage(const std::string& target, const std::string& text)
{
    if (!failure.empty()) return false;

    const fs::path folder = fs::path(target).parent_path();
    boost::system::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder, ec)) return fail("the folder " + folder.string() + " cannot be created");
    }
    std::string reason;
    if (!targetWritable(target, reason)) return fail(reason);

    const std::string temporary = temporaryFileFor(target);
    std::ofstream out(temporary, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out) return fail(temporary + " cannot be opened for writing");
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();  // flushes; a write that failed on the way leaves the stream failed
    if (out.fail()) {
        removeQuietly(temporary);
        return fail(temporary + " cannot be written whole");
    }
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
    staged.push_back(target);
    return true;
}

bool fileReplacement::commit()
{
    if (!failure.empty()) return false;
    for (; renamed < staged.size(); ++renamed) {
        const std::string& target = staged[renamed];
        boost::system::error_code ec;
        fs::rename(temporaryFileFor(target), target, ec);
        if (ec) return fail(target + " cannot be replaced: " + ec.message());
    }
    return true;
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error)
{
    fileReplacement file;
    const bool done = file.stage(target, text) && file.commit();
    if (!done && error) *error = file.error();
    return done;
}
