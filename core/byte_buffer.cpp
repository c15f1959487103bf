// The memory of a byte buffer: malloc'd, so that it is not cleared when
// made, and grown and shrunk by realloc. glibc's realloc gives the end of a
// block back in place; it grows a large block (one mapped on its own) by
// remapping its pages (mremap), and a block inside the heap in place where
// the memory after it is free, else by copying it to a new one, the one
// case in which the bytes are copied.
#include "core/byte_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

byteBuffer::byteBuffer(size_t room)
{
    if (room == 0) return;
    bytes = static_cast<char*>(std::malloc(room));
    if (!bytes) throw std::bad_alloc();
    roomBytes = room;
}

byteBuffer::byteBuffer(byteBuffer&& other) noexcept
    : bytes(std::exchange(other.bytes, nullptr)),
      held(std::exchange(other.held, 0)),
      roomBytes(std::exchange(other.roomBytes, 0))
{
}

byteBuffer& byteBuffer::operator=(byteBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        bytes = std::exchange(other.bytes, nullptr);
        held = std::exchange(other.held, 0);
        roomBytes = std::exchange(other.roomBytes, 0);
    }
    return *this;
}

byteBuffer::~byteBuffer()
{
    std::free(bytes);
}

void byteBuffer::hold(size_t count)
{
    held = count < roomBytes ? count : roomBytes;
}

void byteBuffer::append(std::string_view text)
{
    const size_t count = text.size() < roomBytes - held ? text.size() : roomBytes - held;
    if (count > 0) std::memcpy(bytes + held, text.data(), count);
    held += count;
}

void byteBuffer::enlarge(size_t room)
{
    if (room <= roomBytes) return;
    char* larger = static_cast<char*>(std::realloc(bytes, room));
    if (!larger) throw std::bad_alloc();
    bytes = larger;
    roomBytes = room;
}

void byteBuffer::fit()
{
    if (held == roomBytes) return;
    if (held == 0) {
        release();
        return;
    }
    if (char* fitted = static_cast<char*>(std::realloc(bytes, held))) {
        bytes = fitted;
        roomBytes = held;
    }
}

void byteBuffer::release()
{
    std::free(bytes);
    bytes = nullptr;
    held = roomBytes = 0;
}
