#include "LineIndex.h"

#include <algorithm>

LineIndex::LineIndex(const std::string& bytes) : m_bytes(bytes), m_lineStarts{0}
{
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const bool crBeforeLf = bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
        if ((bytes[pos] == '\n' || bytes[pos] == '\r') && !crBeforeLf)
            m_lineStarts.push_back(pos + 1);
    }
}

int LineIndex::LineOf(std::size_t offset) const
{
    return static_cast<int>(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset) - m_lineStarts.begin());
}

std::size_t LineIndex::LineStart(std::size_t offset) const { return m_lineStarts[LineOf(offset) - 1]; }

std::size_t LineIndex::LineEnd(std::size_t offset) const
{
    const std::size_t end = m_bytes.find_first_of("\r\n", LineStart(offset));
    return end == std::string::npos ? m_bytes.size() : end;
}
