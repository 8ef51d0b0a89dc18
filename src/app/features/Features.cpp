#include "features/Features.h"

#include "features/signature/SignaturePart.h"
#include "window/LetterWindow.h"

namespace quillory::app {

void addFeatures(LetterWindow& window)
{
    // Each part adds itself to the window; the order is the order of their hooks.
    new SignaturePart(window);
}

} // namespace quillory::app
