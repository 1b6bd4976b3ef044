#include "core/xml_arena.h"

#include <algorithm>

XmlArena::XmlArena(std::size_t firstBlockSize)
    : lastBlockSize_(firstBlockSize / 2)
{
}

XmlArena::~XmlArena()
{
    for (const Block& block : blocks_)
        ASAN_UNPOISON_MEMORY_REGION(block.bytes.get(), block.size);
}

void* XmlArena::AllocateInNewBlock(std::size_t size, std::size_t alignment)
{
    const std::size_t blockSize = std::max(lastBlockSize_ * 2, size + alignment);
    // Uninitialised on purpose: every byte is written before it is read.
    Block block{std::make_unique_for_overwrite<std::byte[]>(blockSize), blockSize};
    ASAN_POISON_MEMORY_REGION(block.bytes.get(), blockSize);
    next_ = reinterpret_cast<std::uintptr_t>(block.bytes.get());
    end_ = next_ + blockSize;
    blocks_.push_back(std::move(block));
    lastBlockSize_ = blockSize;
    return Allocate(size, alignment);
}
