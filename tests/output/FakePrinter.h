#pragma once

#include "output/PrintTarget.h"

#include <QImage>
#include <QList>
#include <QPainter>

#include <memory>

constexpr double kInchesPerMetre = 39.37007874;

/** What a fake printer was asked to do, kept after the target is gone. */
struct FakeJob
{
    QString title;
    QList<QImage> pages;
    int begun = 0;
    bool ended = false;
    bool aborted = false;
};

/** A printer that keeps each page as a picture and tells what was asked of it. */
class FakePrinter : public quillory::output::PrintTarget
{
public:
    /**
     * imageSize: the part of each page kept as a picture; the rest is clipped.
     * shrink: the pages are kept shrunk by this factor, as a picture of what
     * the printer prints that a preview at the same scale can be held against.
     */
    FakePrinter(int dpi, QSize printable, QSize imageSize = QSize(), double shrink = 1)
        : m_dpi(dpi), m_printable(printable),
          m_imageSize(imageSize.isValid() ? imageSize : printable), m_shrink(shrink)
    {}

    std::shared_ptr<FakeJob> job = std::make_shared<FakeJob>();
    QString problem;       // returned by metrics()
    int failNewPageAt = 0; // page number whose newPage() fails

    QString metrics(quillory::output::PrinterMetrics& metrics) override
    {
        metrics = {m_dpi, m_dpi, m_printable};
        return problem;
    }
    QString begin(const QString& title) override
    {
        ++job->begun;
        job->title = title;
        startPage();
        return QString();
    }
    QPainter& painter() override { return m_painter; }
    QString newPage() override
    {
        if (job->pages.size() + 1 == failNewPageAt)
            return QStringLiteral("Papierstau");
        m_painter.end();
        startPage();
        return QString();
    }
    QString end() override
    {
        m_painter.end();
        job->ended = true;
        return QString();
    }
    void abort() override
    {
        if (m_painter.isActive())
            m_painter.end();
        job->aborted = true;
    }

private:
    void startPage()
    {
        QImage page(m_imageSize, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(qRound(m_dpi * kInchesPerMetre));
        page.setDotsPerMeterY(qRound(m_dpi * kInchesPerMetre));
        job->pages.append(page);
        m_painter.begin(&job->pages.last());
        if (m_shrink != 1)
            m_painter.scale(m_shrink, m_shrink);
    }

    int m_dpi;
    QSize m_printable;
    QSize m_imageSize;
    double m_shrink;
    QPainter m_painter;
};
