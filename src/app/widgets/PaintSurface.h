#pragma once

#include <QWidget>

class QPainter;

namespace quillory::app {

/**
 * A plain surface whose content is drawn by whoever listens to paint(): the
 * preview page lives here, and the widget itself knows nothing of letters.
 */
class PaintSurface : public QWidget
{
    Q_OBJECT

public:
    explicit PaintSurface(QWidget* parent = nullptr) : QWidget(parent) {}

signals:
    /** Emitted on every paint event with a painter on this surface. */
    void paint(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quillory::app
