#include "features/Features.h"

#include "features/profiles/SenderProfilesPart.h"
#include "features/recent/RecentLettersPart.h"
#include "window/LetterWindow.h"

namespace quillory::app {

void addFeatures(LetterWindow& window)
{
    // Each part adds itself to the window; the order is the order of their hooks.
    new SenderProfilesPart(window);
    new RecentLettersPart(window);
}

} // namespace quillory::app
