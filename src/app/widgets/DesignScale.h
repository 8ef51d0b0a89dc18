#pragma once

#include <QRect>
#include <QSize>

namespace quillory::app {

/**
 * The windows are laid out in pixels of a 96-dpi screen; this turns those
 * pixels into the current screen's by its logical resolution, so a window
 * keeps its proportions at 120 or 144 dpi.
 */
class DesignScale
{
public:
    /** The primary screen's logical dpi over 96 (1 without a screen). */
    DesignScale();
    explicit DesignScale(double factor) : m_factor(factor) {}

    double factor() const { return m_factor; }
    int px(int designPixels) const;
    QSize size(int width, int height) const { return {px(width), px(height)}; }
    QRect rect(int left, int top, int width, int height) const
    {
        return {px(left), px(top), px(width), px(height)};
    }

private:
    double m_factor = 1.0;
};

} // namespace quillory::app
