#include "widgets/DesignScale.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quillory::app {

DesignScale::DesignScale()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_factor = screen->logicalDotsPerInch() / 96.0;
}

int DesignScale::px(int designPixels) const
{
    return static_cast<int>(std::lround(designPixels * m_factor));
}

} // namespace quillory::app
