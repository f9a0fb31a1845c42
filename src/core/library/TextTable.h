#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Texts kept one after the other, each followed by a NUL byte (which a text
// may hold too), read back by their number. They are kept in chunks of a
// fixed number of texts, so a growing table never copies what it holds nor
// touches fresh memory twice: a library of a hundred thousand names is read
// without moving megabytes.
class TextTable
{
public:
    void append(std::string_view text)
    {
        if (m_size % kTextsPerChunk == 0)
            m_chunks.push_back(std::make_unique<Chunk>());
        Chunk &chunk = *m_chunks.back();
        chunk.bytes.append(text);
        chunk.bytes.push_back('\0');
        chunk.ends[m_size % kTextsPerChunk] = chunk.bytes.size() - 1;
        m_bytes += text.size() + 1;
        ++m_size;
    }
    std::size_t size() const { return m_size; }
    // The bytes of all texts, with their closing NULs.
    std::size_t bytes() const { return m_bytes; }
    std::string_view at(std::size_t i) const
    {
        const Chunk &chunk = *m_chunks[i / kTextsPerChunk];
        const std::size_t j = i % kTextsPerChunk;
        const std::size_t start = j == 0 ? 0 : chunk.ends[j - 1] + 1;
        return std::string_view(chunk.bytes).substr(start, chunk.ends[j] - start);
    }

private:
    static constexpr std::size_t kTextsPerChunk = 1024;
    struct Chunk {
        std::string bytes;
        std::array<std::size_t, kTextsPerChunk> ends; // where each text's closing NUL stands
    };

    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::size_t m_size = 0;
    std::size_t m_bytes = 0;
};
