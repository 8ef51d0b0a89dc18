#include "layout/LineBreaker.h"
#include "layout/PainterCanvas.h"
#include "layout/RecordingCanvas.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace quillory::layout;

namespace {

QStringList literalPieces(Canvas& canvas, const QString& text, int width)
{
    QStringList pieces;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype length =
            LineBreaker::literalPiece(canvas, QStringView(text).mid(from), width);
        pieces << text.mid(from, length);
        from += length;
    }
    return pieces;
}

QStringList fastPieces(Canvas& canvas, const QString& text, int width)
{
    LineBreaker breaker(canvas);
    breaker.setParagraph(text);
    QStringList pieces;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype length = breaker.nextPiece(from, width);
        pieces << text.mid(from, length);
        from += length;
    }
    return pieces;
}

/** Exact widths of the recording canvas, advance estimates that are way off. */
class MisleadingCanvas : public RecordingCanvas
{
public:
    explicit MisleadingCanvas(quint32 seed) : m_random(seed) {}
    void estimateAdvances(QStringView text, std::vector<double>& advances) override
    {
        advances.resize(size_t(text.size()));
        for (double& advance : advances)
            advance = m_random.bounded(3.0) * charWidth(font().points);
    }

private:
    QRandomGenerator m_random;
};

QString randomLine(QRandomGenerator& random)
{
    static const QString pool = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ äöüßÄÖÜ 0123456789 .,;:-–!?\"'()/"
        "&@€§ WAVATo LTYfij   \t„“");
    QString line;
    const int length = random.bounded(0, 160);
    for (int i = 0; i < length; ++i) {
        // now and then a long word or a run of spaces
        const int kind = random.bounded(40);
        if (kind == 0)
            line += QString(random.bounded(5, 60), QLatin1Char('m'));
        else if (kind == 1)
            line += QString(random.bounded(2, 6), QLatin1Char(' '));
        else
            line += pool[random.bounded(int(pool.size()))];
    }
    return line;
}

} // namespace

class TestLineBreaker : public QObject
{
    Q_OBJECT

private slots:
    // Recording canvas at 10 pt: every character is 10 px wide.
    void pieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fits, trailing spaces kept")
            << QStringLiteral("ab cd  ") << 70 << QStringList{QStringLiteral("ab cd  ")};
        QTest::newRow("two words, their space and one letter of the third fit")
            << QStringLiteral("ab cd efg") << 70
            << QStringList{QStringLiteral("ab cd "), QStringLiteral("efg")};
        QTest::newRow("a word wider than the line is cut where it stops fitting")
            << QStringLiteral("abcdefghij") << 40
            << QStringList{QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")};
        QTest::newRow("further spaces begin the next piece")
            << QStringLiteral("ab   cd") << 40
            << QStringList{QStringLiteral("ab  "), QStringLiteral(" cd")};
        QTest::newRow("only a leading space to break at")
            << QStringLiteral(" abcdef") << 30
            << QStringList{QStringLiteral(" "), QStringLiteral("abc"), QStringLiteral("def")};
        QTest::newRow("exactly the width fits")
            << QStringLiteral("abcd ef") << 40
            << QStringList{QStringLiteral("abcd"), QStringLiteral(" ef")};
        QTest::newRow("nothing fits: one character a piece")
            << QStringLiteral("a b") << 5
            << QStringList{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("b")};
        QTest::newRow("negative width: one character a piece")
            << QStringLiteral("ab") << -20 << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    }

    void pieces()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, expected);
        RecordingCanvas canvas;
        canvas.setFont(CanvasFont{QStringLiteral("Arial"), 10});
        QCOMPARE(literalPieces(canvas, text, width), expected);
        QCOMPARE(fastPieces(canvas, text, width), expected);
    }

    // Estimates only steer the search; every decision is measured.
    void misleadingEstimates()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 300; ++round) {
            MisleadingCanvas canvas(random.generate());
            canvas.setFont(CanvasFont{QStringLiteral("Arial"), random.bounded(1, 20)});
            const QString line = randomLine(random);
            const int width = random.bounded(-10, 600);
            QCOMPARE(fastPieces(canvas, line, width), literalPieces(canvas, line, width));
        }
    }

    // Real fonts as the painter canvas measures them: the fast search gives
    // the literal pieces on many random lines, faces, styles, sizes and resolutions.
    void sameAsLiteralOnRealFonts()
    {
        const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Liberation Serif"),
                                QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("DejaVu Serif")};
        const int resolutions[] = {72, 96, 150, 300, 600};
        QRandomGenerator random(2026);
        int pieces = 0;
        for (int round = 0; round < 250; ++round) {
            QImage image(8, 8, QImage::Format_RGB32);
            const int dpi = resolutions[random.bounded(5)];
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
            QPainter painter(&image);
            PainterCanvas canvas(painter);
            CanvasFont font;
            font.face = faces[random.bounded(int(faces.size()))];
            font.points = random.bounded(-2, 30);
            font.style = quint8(random.bounded(16));
            canvas.setFont(font);
            const QString line = randomLine(random);
            const int width = random.bounded(0, dpi * 8);
            const QStringList literal = literalPieces(canvas, line, width);
            QCOMPARE(fastPieces(canvas, line, width), literal);
            pieces += int(literal.size());
        }
        QVERIFY(pieces > 500);
    }
};

QTEST_MAIN(TestLineBreaker)
#include "tst_linebreaker.moc"
