#pragma once

namespace quillory::app {

class LetterWindow;

/**
 * Adds every feature beyond the form to window, each as a part of its own,
 * in the order their hooks run: the one place the window learns of them.
 */
void addFeatures(LetterWindow& window);

} // namespace quillory::app
