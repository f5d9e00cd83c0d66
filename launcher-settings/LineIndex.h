// Line numbers of byte offsets in a settings file. A line ends at CR LF, at an
// LF alone or at a CR alone, as editors show them; the first line is 1.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class LineIndex {
public:
    explicit LineIndex(const std::string& bytes);

    int LineOf(std::size_t offset) const;

    // The offset at which the line of `offset` starts, and the offset of the
    // line break that ends it (or the end of the text).
    std::size_t LineStart(std::size_t offset) const;
    std::size_t LineEnd(std::size_t offset) const;

private:
    const std::string& m_bytes;
    std::vector<std::size_t> m_lineStarts;
};
