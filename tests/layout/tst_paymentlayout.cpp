#include "LayoutTestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::layout;
using namespace quillory::layout::test;
using quillory::document::Letter;

Q_DECLARE_METATYPE(quillory::layout::LayoutKind)

namespace {

PageLayout compose(LayoutKind kind, const Letter& letter)
{
    RecordingCanvas canvas;
    return composeLetter(kind, letter, {}, canvas, PageGeometry(kA4Width96, kA4Height96, 96, 1));
}

/** The page and text op of the first text with this role; page 0 when there is none. */
std::pair<int, DrawOp> firstOf(const PageLayout& layout, TextRole role, const QString& text)
{
    for (int page = 1; page <= layout.pageCount(); ++page) {
        for (const DrawOp& op : layout.pageOps(page)) {
            if (op.role == role && op.kind == DrawOp::Kind::Text && op.text == text)
                return {page, op};
        }
    }
    return {0, DrawOp()};
}

/** The page's operations other than the payment code's. */
std::vector<std::tuple<int, QPoint, QPoint, QString>> withoutCode(const PageLayout& layout,
                                                                  int page)
{
    std::vector<std::tuple<int, QPoint, QPoint, QString>> ops;
    for (const DrawOp& op : layout.pageOps(page)) {
        if (op.role != TextRole::PaymentCode)
            ops.emplace_back(int(op.kind), op.from, op.to, op.text);
    }
    return ops;
}

/** The body that puts the closing as low on page 1 as it goes. */
QString bodyFillingPage(LayoutKind kind, const Letter& letter)
{
    QString body;
    for (Letter probe = letter;; probe.body = body + u"\r\nZeile"_s) {
        if (firstOf(compose(kind, probe), TextRole::Closing, probe.closing).first != 1)
            return body;
        body = probe.body;
    }
}

} // namespace

class TestPaymentLayout : public QObject
{
    Q_OBJECT

private slots:
    void placement_data();
    void placement();
    void theLargestCodeKeepsReadableModules();
};

void TestPaymentLayout::placement_data()
{
    QTest::addColumn<LayoutKind>("kind");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("ownPage");
    for (LayoutKind kind :
         {LayoutKind::Layout1, LayoutKind::Layout2, LayoutKind::DinA, LayoutKind::DinB}) {
        // The closing low on the page, or a signature reaching the margin, takes the place.
        for (const char* situation : {"short", "foot", "signature"})
            QTest::addRow("layout %d, %s", int(kind), situation)
                << kind << QString::fromLatin1(situation) << (qstrcmp(situation, "short") != 0);
    }
}

void TestPaymentLayout::placement()
{
    QFETCH(LayoutKind, kind);
    QFETCH(QString, situation);
    QFETCH(bool, ownPage);
    Letter plain = sampleLetter();
    if (situation == "foot"_L1)
        plain.body = bodyFillingPage(kind, plain);
    if (situation == "signature"_L1)
        plain.senderName = QString(60, u'x'); // its signature reaches the right margin
    Letter paying = plain;
    paying.payment = {u"Jörg"_s, u"DE89370400440532013000"_s, {}, u"149,90"_s, {}, u"R 17"_s};

    const PageLayout before = compose(kind, plain);
    const PageLayout after = compose(kind, paying);
    // Everything else stays where it was; a page of its own is one more.
    QCOMPARE(after.pageCount(), before.pageCount() + (ownPage ? 1 : 0));
    for (int page = 1; page <= before.pageCount(); ++page)
        QVERIFY(withoutCode(after, page) == withoutCode(before, page));

    const auto [closingPage, closing] = firstOf(after, TextRole::Closing, plain.closing);
    const auto [captionPage, caption] = firstOf(after, TextRole::PaymentCode, u"Zahlen mit Code"_s);
    QCOMPARE(captionPage, ownPage ? after.pageCount() : closingPage);
    if (!ownPage)
        QCOMPARE(caption.from.y(), closing.from.y());

    // A square of 30 mm under the caption at the right margin; its quiet zone alike on every side.
    QRect modules;
    for (const DrawOp& op : after.pageOps(captionPage))
        modules |= op.kind == DrawOp::Kind::Rect ? QRect(op.from, op.to - QPoint(1, 1)) : QRect();
    const QPoint square(caption.to.x() - int(30 * 96 / 25.39995), caption.to.y()); // top left
    const int quiet = caption.to.x() - 1 - modules.right();
    QVERIFY(quiet > 0 && std::abs(modules.left() - square.x() - quiet) <= 1);
    QVERIFY(std::abs(modules.top() - square.y() - quiet) <= 1);
}

void TestPaymentLayout::theLargestCodeKeepsReadableModules()
{
    // 331 bytes, the most a code may carry: a symbol of 69 modules, which at
    // 30 mm with its quiet zone would be under 0.4 mm each.
    Letter letter = Letter::makeNew(QDate(2026, 12, 8));
    letter.payment = {QString(70, u'P'),
                      u"DE89370400440532013000"_s,
                      u"COBADEFFXXX"_s,
                      u"999999999,99"_s,
                      {},
                      QString(96, u'ä') + u'x'};
    const PageLayout layout = compose(LayoutKind::Layout1, letter);
    QRect modules;
    for (int page = 1; page <= layout.pageCount(); ++page)
        for (const DrawOp& op : layout.pageOps(page))
            modules |=
                op.kind == DrawOp::Kind::Rect ? QRect(op.from, op.to - QPoint(1, 1)) : QRect();
    QVERIFY(!modules.isEmpty());
    QVERIFY2(modules.width() >= int(69 * 0.4 * 96 / 25.4),
             qPrintable(QString::number(modules.width())));
}

QTEST_GUILESS_MAIN(TestPaymentLayout)
#include "tst_paymentlayout.moc"
