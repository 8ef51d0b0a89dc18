// Feeds arbitrary bytes to the letter file reader: it must return a letter or
// an error, never crash, hang or allocate what the file does not hold.
#include "document/LetterFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillory::document;
    static const Letter current = Letter::makeNew(QDate(2026, 1, 1));
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto loaded = LetterFile::parse(bytes, current, QDate(2026, 1, 1));
    if (loaded) {
        // Whatever was read must write back and read again to the same letter.
        const QByteArray again = LetterFile::serialize(loaded->letter);
        const auto reread = LetterFile::parse(again, current, QDate(2026, 1, 1));
        if (!reread || !(reread->letter == loaded->letter))
            __builtin_trap();
    }
    return 0;
}
