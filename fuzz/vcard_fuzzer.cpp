// Feeds arbitrary bytes to the vCard reader: it must return cards or an
// error, never crash or hang; no card it returns is empty, and what the
// writer makes of the cards reads back as the same cards.
#include "records/VCard.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillory::records;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const VCardResult result = readVCards(bytes);
    if (result.entries.empty() == result.error.isEmpty())
        __builtin_trap();
    for (const Entry& entry : result.entries) {
        if (entry.isEmpty())
            __builtin_trap();
    }
    if (!result.entries.empty() &&
        readVCards(writeVCards(result.entries)).entries.size() != result.entries.size())
        __builtin_trap();
    return 0;
}
