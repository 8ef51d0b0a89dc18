// Feeds arbitrary bytes to the CSV reader: it must return a table or an error
// naming a line of the input, never crash or hang, and every record it returns
// has exactly one value per column.
#include "merge/CsvTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillory::merge;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const int lineEnds = int(bytes.count('\n') + bytes.count('\r'));
    for (const QChar delimiter : {QChar(), QChar(u',')}) {
        const CsvResult result = readCsv(bytes, {delimiter, CsvEncoding::Detect});
        if (!result) {
            if (result.error.line < 1 || result.error.line > lineEnds + 1 ||
                result.error.message.isEmpty())
                __builtin_trap();
            continue;
        }
        const CsvTable& table = *result.table;
        if (table.columns.isEmpty() || table.recordLines.empty())
            __builtin_trap();
        for (int record = 0; record < table.recordCount(); ++record) {
            if (table.record(record).size() != table.columns.size())
                __builtin_trap();
        }
    }
    return 0;
}
