#include "features/Features.h"

#include "features/serial/SerialLetterPart.h"
#include "window/LetterWindow.h"

namespace quillory::app {

void addFeatures(LetterWindow& window)
{
    // Each part adds itself to the window; the order is the order of their hooks.
    new SerialLetterPart(window);
}

} // namespace quillory::app
