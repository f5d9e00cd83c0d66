// The benchmark's summary: for every file and reader, the throughput of a first
// load and of repeated loads, the peak heap of a load and the page faults of a
// first load, side by side and relative to inih.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

class ResultTable {
public:
    // A later result for the same file and reader replaces the earlier one.
    void RecordFirstLoad(const std::string& file, const std::string& reader, double mibPerSecond, long pageFaults);
    void RecordRepeatedLoads(const std::string& file, const std::string& reader, std::size_t fileBytes,
                             double mibPerSecond, std::size_t peakHeapBytes);
    void Print(std::FILE* out) const;

private:
    struct Row {
        std::string file;
        std::string reader;
        std::size_t fileBytes;
        double firstMibPerSecond;
        long firstPageFaults;
        double repeatedMibPerSecond;
        std::size_t peakHeapBytes;
    };

    Row& RowFor(const std::string& file, const std::string& reader);
    const Row* Find(const std::string& file, const std::string& reader) const;

    std::vector<Row> m_rows;
};

}  // namespace bench
