#include "FormFixture.h"

#include <QHash>
#include <QLineEdit>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

using Places = QHash<QWidget*, QRect>;

/** Every widget of "Brief schreiben" and "Ihre Daten" in a window of size, each tab shown. */
Places placesAt(FormFixture& f, const QSize& size)
{
    f.form->resize(size);
    Places places;
    for (QWidget* tab : {f.form->TabSheet1, f.form->TabSheet2}) {
        f.form->PageControl1->setCurrentWidget(tab);
        QCoreApplication::processEvents();
        for (QWidget* w : tab->findChildren<QWidget*>())
            places.insert(w, w->geometry());
    }
    return places;
}

} // namespace

/** The text fields use a window wider than the design; at the design size all is as designed. */
class TestFieldGrowth : public QObject
{
    Q_OBJECT

private slots:
    void textFieldsGrowWithTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("taller");
        QTest::addColumn<bool>("wider");
        QTest::addColumn<bool>("stays");
        QTest::newRow("recipient") << u"Edit1"_s << 0 << true << true;
        QTest::newRow("subject") << u"Edit6"_s << 0 << true << false;
        QTest::newRow("body, taller") << u"Memo1"_s << 300 << true << true;
        QTest::newRow("date moves along") << u"DateEdit1"_s << 300 << false << false;
        QTest::newRow("second button stays by the first")
            << u"AbsenderLoeschen"_s << 0 << false << true;
    }

    void textFieldsGrowWithTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(int, taller);
        QFETCH(bool, wider);
        QFETCH(bool, stays);
        FormFixture f;
        const QSize design = f.form->size();
        const Places before = placesAt(f, design);
        const Places after = placesAt(f, QSize(1600, design.height() + taller));
        QWidget* w = f.form->findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(after[w].width() > before[w].width(), wider);
        QCOMPARE(after[w].height() > before[w].height(), taller > 0 && wider);
        QCOMPARE(after[w].left() == before[w].left(), stays);
    }

    void theDesignComesBack_data()
    {
        QTest::addColumn<QSize>("change");
        QTest::newRow("wider") << QSize(730, 0);
        QTest::newRow("wider and taller") << QSize(730, 300);
        QTest::newRow("narrower") << QSize(-150, -100);
    }

    void theDesignComesBack()
    {
        QFETCH(QSize, change);
        FormFixture f;
        const QSize design = f.form->size();
        const Places before = placesAt(f, design);
        const Places changed = placesAt(f, design + change);
        for (auto [w, area] : changed.asKeyValueRange())
            for (QWidget* other :
                 w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(w == other || before[w].intersects(before[other]) ||
                             !area.intersects(changed[other]),
                         qPrintable(w->objectName() + u" runs into "_s + other->objectName()));

        const Places back = placesAt(f, design);
        for (auto [w, area] : before.asKeyValueRange())
            QVERIFY2(back[w] == area, qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestFieldGrowth)
#include "tst_fieldgrowth.moc"
