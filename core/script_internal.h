// The `.cfg` reader's test hook: the stream a file's bytes are read through,
// so that a test can make reading fail part way. Only the reader and the
// tests include this header.
#pragma once
#include <istream>
#include <memory>
#include <string>

using scriptStreamOpener = std::unique_ptr<std::istream> (*)(const std::string& path);
// Null restores the reader's own: the regular file opened without blocking (core/file_read.h).
void setScriptStreamOpener(scriptStreamOpener opener);
