#pragma once

#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Memory for one parsed XML tree: blocks handed out front to back and freed
// all at once with the arena. The first block is sized by the caller so that
// a whole tree usually fits in it; a request that does not fit starts a new
// block at least twice as large as the last. Under AddressSanitizer the bytes
// not handed out stay poisoned, so a read past a string is still caught.
class XmlArena {
public:
    explicit XmlArena(std::size_t firstBlockSize);
    ~XmlArena();
    XmlArena(const XmlArena&) = delete;
    XmlArena& operator=(const XmlArena&) = delete;

    void* Allocate(std::size_t size, std::size_t alignment)
    {
        const std::uintptr_t at = (next_ + (alignment - 1)) & ~std::uintptr_t(alignment - 1);
        if (at + size > end_ || at < next_)
            return AllocateInNewBlock(size, alignment);
        next_ = at + size;
        ASAN_UNPOISON_MEMORY_REGION(reinterpret_cast<void*>(at), size);
        return reinterpret_cast<void*>(at);
    }

private:
    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size = 0;
    };

    void* AllocateInNewBlock(std::size_t size, std::size_t alignment);

    std::vector<Block> blocks_;
    std::size_t lastBlockSize_ = 0;
    std::uintptr_t next_ = 0;
    std::uintptr_t end_ = 0;
};
