#pragma once

#include "window/WindowPart.h"

class QLabel;

namespace quillory::app {

/**
 * "von 3" after the preview's page field: how many pages the shown letter
 * has, taken from the composition each paint of the preview draws from, so
 * it follows every change that gives the letter other pages. Screen only.
 */
class PageCountPart : public WindowPart
{
    Q_OBJECT

public:
    explicit PageCountPart(LetterWindow& window);

    void windowShown() override;
    void paintOverPreview(QPainter& painter, const output::PreviewRequest& request) override;

private:
    /** Puts the count after the page field and moves what follows it aside. */
    void place();

    QLabel* m_count = nullptr;
    bool m_placed = false;
};

} // namespace quillory::app
