// Bytes in memory with room for more than they hold, filled in place (a file
// is read straight into it): never cleared before they are written. The
// room grows as they do, and the memory past them can be given back without
// moving them. A buffer is moved, never copied; its bytes are copied only
// when a small room cannot grow where it lies (see enlarge).
#pragma once
#include <cstddef>
#include <string_view>

class byteBuffer {
public:
    byteBuffer() = default;
    // Room for `room` bytes, none held yet; std::bad_alloc when there is no
    // memory for them.
    explicit byteBuffer(size_t room);
    byteBuffer(byteBuffer&& other) noexcept;
    byteBuffer& operator=(byteBuffer&& other) noexcept;
    byteBuffer(const byteBuffer&) = delete;
    byteBuffer& operator=(const byteBuffer&) = delete;
    ~byteBuffer();

    const char* data() const { return bytes; }
    char* data() { return bytes; }
    size_t size() const { return held; }
    size_t room() const { return roomBytes; }
    char operator[](size_t at) const { return bytes[at]; }
    std::string_view view() const { return {bytes, held}; }
    operator std::string_view() const { return view(); }

    // The first `count` bytes of the room are held, written or not (at most
    // its size).
    void hold(size_t count);
    // `text` after the bytes held, inside the room.
    void append(std::string_view text);
    // Makes the room at least `room` bytes, keeping the bytes held: a large
    // room (one the allocator maps on its own) is moved by the system
    // remapping its pages, without copying them; a smaller one grows where
    // it lies when the memory after it is free, and is copied elsewhere when
    // it is not. std::bad_alloc when there is no memory for it, the buffer
    // then as it was.
    void enlarge(size_t room);
    // Gives the room past the bytes held back to the system's allocator.
    void fit();
    // Lets the bytes and their room go.
    void release();

private:
    char* bytes = nullptr;
    size_t held = 0;
    size_t roomBytes = 0;
};
