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
        QTest::addColumn<QSize>("change");
        QTest::addColumn<bool>("wider");
        QTest::addColumn<bool>("stays");
        QTest::newRow("recipient") << u"Edit1"_s << QSize(730, 0) << true << true;
        QTest::newRow("subject") << u"Edit6"_s << QSize(730, 0) << true << false;
        QTest::newRow("body, taller") << u"Memo1"_s << QSize(730, 300) << true << true;
        QTest::newRow("date moves along") << u"DateEdit1"_s << QSize(730, 300) << false << false;
        QTest::newRow("second button stays by the first")
            << u"AbsenderLoeschen"_s << QSize(730, 0) << false << true;
        QTest::newRow("narrower window") << u"Edit1"_s << QSize(-150, -100) << false << true;
    }

    void textFieldsGrowWithTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(QSize, change);
        QFETCH(bool, wider);
        QFETCH(bool, stays);
        FormFixture f;
        const QSize design = f.form->size();
        const Places before = placesAt(f, design);
        const Places changed = placesAt(f, design + change);
        QWidget* w = f.form->findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(changed[w].width() > before[w].width(), wider);
        QCOMPARE(changed[w].height() > before[w].height(), change.height() > 0 && wider);
        QCOMPARE(changed[w].left() == before[w].left(), stays);

        // Nothing runs into a neighbour it was apart from, and the design comes back.
        for (auto [one, area] : changed.asKeyValueRange())
            for (QWidget* other :
                 one->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(one == other || before[one].intersects(before[other]) ||
                             !area.intersects(changed[other]),
                         qPrintable(one->objectName() + u" runs into "_s + other->objectName()));
        const Places back = placesAt(f, design);
        for (auto [one, area] : before.asKeyValueRange())
            QVERIFY2(back[one] == area, qPrintable(one->objectName()));
    }
};

QTEST_MAIN(TestFieldGrowth)
#include "tst_fieldgrowth.moc"
