#include "core/xml_arena.h"

#include <algorithm>

XmlArena::XmlArena(std::size_t firstBlockSize)
    : lastBlockSize_(firstBlockSize / 2)
{
}

void* XmlArena::AllocateInNewBlock(std::size_t size, std::size_t alignment)
{
    const std::size_t blockSize = std::max(lastBlockSize_ * 2, size + alignment);
    // Uninitialised on purpose: every byte is written before it is read.
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(blockSize));
    lastBlockSize_ = blockSize;
    next_ = reinterpret_cast<std::uintptr_t>(blocks_.back().get());
    end_ = next_ + blockSize;
    return Allocate(size, alignment);
}
