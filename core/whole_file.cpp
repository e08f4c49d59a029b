#include "whole_file.h"

#include "store/file_system.h"

namespace {
constexpr std::size_t ReadChunk = 65536;
}

WholeFile ReadWholeFile(const std::string &path, std::size_t limit)
{
    FileHandle file = FileHandle::OpenForSharedRead(path);
    if (!file.IsOpen())
        return {};
    WholeFile whole{WholeFileStatus::Read, {}};
    for (;;) {
        const std::size_t start = whole.bytes.size();
        whole.bytes.resize(start + ReadChunk);
        const std::size_t got = file.Read(whole.bytes.data() + start, ReadChunk);
        whole.bytes.resize(start + got);
        if (got == 0)
            return whole;
        if (whole.bytes.size() > limit)
            return {WholeFileStatus::TooLarge, {}};
    }
}
