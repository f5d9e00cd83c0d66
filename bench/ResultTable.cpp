#include "ResultTable.h"

namespace bench {

namespace {

const char kBaseline[] = "inih";

double Mib(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

double Ratio(double value, double baseline) { return baseline > 0.0 ? value / baseline : 0.0; }

}  // namespace

ResultTable::Row& ResultTable::RowFor(const std::string& file, const std::string& reader)
{
    for (Row& row : m_rows) {
        if (row.file == file && row.reader == reader)
            return row;
    }
    m_rows.push_back(Row{file, reader, 0, 0.0, 0, 0.0, 0});
    return m_rows.back();
}

const ResultTable::Row* ResultTable::Find(const std::string& file, const std::string& reader) const
{
    for (const Row& row : m_rows) {
        if (row.file == file && row.reader == reader)
            return &row;
    }
    return nullptr;
}

void ResultTable::RecordFirstLoad(const std::string& file, const std::string& reader, double mibPerSecond,
                                  long pageFaults)
{
    Row& row = RowFor(file, reader);
    row.firstMibPerSecond = mibPerSecond;
    row.firstPageFaults = pageFaults;
}

void ResultTable::RecordRepeatedLoads(const std::string& file, const std::string& reader, std::size_t fileBytes,
                                      double mibPerSecond, std::size_t peakHeapBytes)
{
    Row& row = RowFor(file, reader);
    row.fileBytes = fileBytes;
    row.repeatedMibPerSecond = mibPerSecond;
    row.peakHeapBytes = peakHeapBytes;
}

void ResultTable::Print(std::FILE* out) const
{
    std::fprintf(out, "\n%-6s %9s %-10s | %-27s | %-19s | %s\n", "", "", "", "  first load in a process",
                 "  repeated loads", "  peak heap");
    std::fprintf(out, "%-6s %9s %-10s | %8s %7s %10s | %10s %8s | %8s %8s\n", "file", "bytes", "reader", "MiB/s",
                 "x inih", "faults", "MiB/s", "x inih", "MiB", "x inih");
    for (const Row& row : m_rows) {
        const Row* baseline = Find(row.file, kBaseline);
        const Row& base = baseline != nullptr ? *baseline : row;
        std::fprintf(out, "%-6s %9zu %-10s | %8.1f %7.2f %10ld | %10.1f %8.2f | %8.3f %8.2f\n", row.file.c_str(),
                     row.fileBytes, row.reader.c_str(), row.firstMibPerSecond,
                     Ratio(row.firstMibPerSecond, base.firstMibPerSecond), row.firstPageFaults,
                     row.repeatedMibPerSecond, Ratio(row.repeatedMibPerSecond, base.repeatedMibPerSecond),
                     Mib(row.peakHeapBytes),
                     Ratio(static_cast<double>(row.peakHeapBytes), static_cast<double>(base.peakHeapBytes)));
    }
}

}  // namespace bench
