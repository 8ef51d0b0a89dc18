#include "features/Features.h"

#include "features/addressbook/AddressBookPart.h"
#include "features/archive/ArchivePart.h"
#include "features/details/DetailsPart.h"
#include "features/din/DinLetterPart.h"
#include "features/envelope/EnvelopePart.h"
#include "features/find/FindReplacePart.h"
#include "features/growth/FieldGrowthPart.h"
#include "features/pagecount/PageCountPart.h"
#include "features/payment/PaymentPart.h"
#include "features/profiles/SenderProfilesPart.h"
#include "features/recent/RecentLettersPart.h"
#include "features/recovery/RecoveryPart.h"
#include "features/serial/SerialLetterPart.h"
#include "features/signature/SignaturePart.h"
#include "features/spelling/SpellingPart.h"
#include "features/textblocks/TextBlocksPart.h"
#include "features/wrapping/WrappingPart.h"
#include "window/LetterWindow.h"

namespace quillory::app {

void addFeatures(LetterWindow& window)
{
    // Each part adds itself to the window; the order is the order of their hooks.
    new SignaturePart(window);
    new SenderProfilesPart(window);
    new RecoveryPart(window);
    new SpellingPart(window);
    new DinLetterPart(window);
    new EnvelopePart(window);
    new SerialLetterPart(window);
    new RecentLettersPart(window);
    new DetailsPart(window);
    new FieldGrowthPart(window);
    new PageCountPart(window);
    new FindReplacePart(window);
    new TextBlocksPart(window);
    new WrappingPart(window);
    new AddressBookPart(window);
    new ArchivePart(window);
    new PaymentPart(window);
}

} // namespace quillory::app
