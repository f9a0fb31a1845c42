#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Texts kept one after the other in one buffer, each followed by a NUL byte
// (which a text may hold too), read back by their number.
class TextTable
{
public:
    void append(std::string_view text)
    {
        m_bytes.append(text);
        m_bytes.push_back('\0');
        m_ends.push_back(m_bytes.size() - 1);
    }
    std::size_t size() const { return m_ends.size(); }
    // The bytes of all texts, with their closing NULs.
    std::size_t bytes() const { return m_bytes.size(); }
    // Room for this many texts of this many bytes in all, NULs included.
    void reserve(std::size_t texts, std::size_t bytes)
    {
        m_bytes.reserve(bytes);
        m_ends.reserve(texts);
    }
    std::string_view at(std::size_t i) const
    {
        const std::size_t start = i == 0 ? 0 : m_ends[i - 1] + 1;
        return std::string_view(m_bytes).substr(start, m_ends[i] - start);
    }
    void clear()
    {
        m_bytes.clear();
        m_ends.clear();
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends; // where each text's closing NUL stands
};
