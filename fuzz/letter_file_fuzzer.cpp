// Feeds arbitrary bytes to the letter file reader: it must return a letter or
// an error, never crash, hang or allocate what the file does not hold. The
// same bytes also go in as the content of an extension block with a sound
// checksum, so the block's entries are read, not just its frame.
#include "document/LetterExtension.h"
#include "document/LetterFile.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace quillory::document;

const QDate kToday(2026, 1, 1);

void readAndWriteBack(QByteArrayView bytes, const Letter& current, bool mustOpen)
{
    const auto loaded = LetterFile::parse(bytes, current, kToday);
    if (!loaded) {
        // A block after sound fields never costs the letter.
        if (mustOpen)
            __builtin_trap();
        return;
    }
    // A lost block is said and marks the letter; nothing else does.
    if (loaded->modified != !loaded->warning.isEmpty())
        __builtin_trap();
    // Whatever was read must write back and read again to the same letter.
    const QByteArray again = LetterFile::serialize(loaded->letter);
    const auto reread = LetterFile::parse(again, current, kToday);
    if (!reread || !(reread->letter == loaded->letter) || reread->modified)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Letter current = Letter::makeNew(kToday);
    static const QByteArray fields = LetterFile::serialize(current);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    readAndWriteBack(bytes, current, false);
    readAndWriteBack(fields + LetterExtension::frame(bytes), current, true);
    return 0;
}
