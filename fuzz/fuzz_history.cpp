// The history reader on any bytes, as a whole file and as one line: every line is either a
// record or counted as skipped, and every record read is written and read back unchanged.
#include "records/core/HistoryFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void rewritesTheSame(const HistoryRecord &record)
{
    const QByteArray line = HistoryFile::formatLine(record);
    if (line.isEmpty() || !line.endsWith("\r\n"))
        std::abort();
    const std::optional<HistoryRecord> again = HistoryFile::parseLine(line.chopped(2));
    if (!again || !(*again == record))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char *>(data),
                                 static_cast<qsizetype>(size));
    const HistoryFile::Contents contents = HistoryFile::parse(content);
    const qsizetype lines = content.count('\n') + (content.endsWith('\n') ? 0 : 1);
    if (content.isEmpty()
            ? !contents.records.empty() || contents.skippedCount != 0
            : qsizetype(contents.records.size()) + contents.skippedCount != lines)
        std::abort();
    for (const HistoryRecord &record : contents.records)
        rewritesTheSame(record);

    if (const std::optional<HistoryRecord> record = HistoryFile::parseLine(content))
        rewritesTheSame(*record);
    return 0;
}
