#include "layout/SignatureImage.h"
#include "output/LetterPrinter.h"
#include "PreviewFixture.h"
#include "window/WindowPart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>

using namespace Qt::StringLiterals;
using quillory::layout::LayoutKind;
using quillory::layout::ViewOptions;
using quillory::settings::MemorySettingsBackend;

namespace {

const QString kImageKey = u"DinBrief/Briefkopf"_s;

template <typename Widget>
Widget* find(const FormFixture& f, const QString& name)
{
    return f.form->findChild<Widget*>(name);
}

bool isChecked(const FormFixture& f, const QString& name)
{
    return find<QRadioButton>(f, name)->isChecked();
}

quillory::output::PrintRequest requestOf(const FormFixture& f, bool forPdf = false)
{
    return static_cast<const quillory::app::LetterWindow&>(*f.form).printRequest(forPdf);
}

/** A half-transparent logo: composition gets it flattened onto white. */
QString writeLogo(const QTemporaryDir& dir)
{
    QImage image(400, 80, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 128, 128));
    const QString path = dir.filePath(u"logo.png"_s);
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestDinLetterWindow : public QObject
{
    Q_OBJECT

private slots:
    void theLayoutChoiceIsTheUsersAndComesBack_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("formsOwn"); // what a store without the DIN choice opens with
        QTest::newRow("Form A") << QStringList{u"DinACheck"_s} << int(LayoutKind::DinA)
                                << u"Layout1Check"_s;
        QTest::newRow("Layout 2, A, then B")
            << QStringList{u"Layout2Check"_s, u"DinACheck"_s, u"DinBCheck"_s}
            << int(LayoutKind::DinB) << u"Layout2Check"_s;
        QTest::newRow("Layout 2, B, then Layout 1")
            << QStringList{u"Layout2Check"_s, u"DinBCheck"_s, u"Layout1Check"_s}
            << int(LayoutKind::Layout1) << u"Layout1Check"_s;
        QTest::newRow("Layout 2 alone")
            << QStringList{u"Layout2Check"_s} << int(LayoutKind::Layout2) << u"Layout2Check"_s;
    }

    void theLayoutChoiceIsTheUsersAndComesBack()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, kind);
        QFETCH(QString, formsOwn);
        MemorySettingsBackend settings;
        QTemporaryDir data;
        {
            FormFixture f({}, &settings, data.path());
            // Each change is another page set-up: the envelope check looks again.
            QSignalSpy setUps(&static_cast<quillory::app::LetterWindow&>(*f.form).events(),
                              &quillory::app::WindowEvents::pageSetUpChanged);
            for (const QString& name : clicks)
                find<QRadioButton>(f, name)->click();
            QVERIFY(setUps.count() >= clicks.size());
            QCOMPARE(int(requestOf(f).kind), kind);
            QVERIFY(f.form->close());
        }
        {
            FormFixture g({}, &settings, data.path());
            QVERIFY(isChecked(g, clicks.last()));
            QCOMPARE(int(requestOf(g).kind), kind);
            QVERIFY(g.form->close());
        }
        settings.values.remove(u"DinBrief/Form"_s);
        FormFixture h({}, &settings, data.path());
        QVERIFY(isChecked(h, formsOwn));
    }

    void theDinChoiceOutlivesAReload()
    {
        FormFixture f;
        find<QRadioButton>(f, u"DinACheck"_s)->click();
        const QString path = f.ownRecoveryDir.filePath(u"brief.bri"_s);
        QVERIFY(f.form->SaveTheFile(path));
        find<QRadioButton>(f, u"DinBCheck"_s)->click();
        f.form->NewAll();
        f.form->OpenFileWithName(path); // the letter carries no layout
        QVERIFY(isChecked(f, u"DinBCheck"_s));
        QCOMPARE(requestOf(f).kind, LayoutKind::DinB);
    }

    void theLetterheadAndOptionsGoIntoTheView_data()
    {
        QTest::addColumn<int>("dateEntry");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("preprinted");
        QTest::newRow("digits") << 0 << int(ViewOptions::DateStyle::Numeric) << false;
        QTest::newRow("ISO, stationery") << 1 << int(ViewOptions::DateStyle::Iso) << true;
        QTest::newRow("spelt out") << 2 << int(ViewOptions::DateStyle::Long) << false;
    }

    void theLetterheadAndOptionsGoIntoTheView()
    {
        QFETCH(int, dateEntry);
        QFETCH(int, style);
        QFETCH(bool, preprinted);
        MemorySettingsBackend settings;
        QTemporaryDir data;
        QTemporaryDir elsewhere;
        const QString original = writeLogo(elsewhere);
        QString error;
        const QImage flattened = *quillory::layout::readSignatureImage(original, error);
        {
            FormFixture f({}, &settings, data.path());
            f.prompts.imageNames << original;
            find<QPushButton>(f, u"BriefkopfButton"_s)->click();
            find<QComboBox>(f, u"DatumFormat"_s)->setCurrentIndex(dateEntry);
            find<QCheckBox>(f, u"VordruckCheck"_s)->setChecked(preprinted);
            QCOMPARE(requestOf(f).view.letterheadImage, flattened);
            QVERIFY(f.form->close());
        }
        const QString copy = settings.values.value(kImageKey).toString();
        QCOMPARE(QFileInfo(copy).absolutePath(), QDir(data.path()).absolutePath());
        QVERIFY(QFile::remove(original));

        FormFixture g({}, &settings, data.path());
        ViewOptions view = requestOf(g, true).view;
        QCOMPARE(view.letterheadImage, flattened);
        QCOMPARE(int(view.dateStyle), style);
        QCOMPARE(view.preprintedStationery, preprinted);
        QCOMPARE(g.form->findChild<quillory::app::WindowPart*>(u"DinLetterPart"_s)->inputFiles(),
                 QStringList{copy});
        find<QPushButton>(g, u"BriefkopfEntfernen"_s)->click();
        QVERIFY(!QFile::exists(copy));
        QVERIFY(requestOf(g, true).view.letterheadImage.isNull());
        QVERIFY(settings.values.value(kImageKey).toString().isEmpty());
    }

    void theChoicesHaveTheirPlaces()
    {
        FormFixture f;
        const QStringList chain = {u"Layout2Check"_s, u"DinACheck"_s, u"DinBCheck"_s,
                                   u"UmschlagCombo"_s};
        for (qsizetype i = 1; i < chain.size(); ++i)
            QCOMPARE(find<QWidget>(f, chain[i - 1])->nextInFocusChain(),
                     find<QWidget>(f, chain[i]));
        // On "Ihre Daten" beside the signature, which came before.
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet2);
        QCoreApplication::processEvents();
        const QRect signature = find<QWidget>(f, u"UnterschriftGruppe"_s)->geometry();
        for (const QString& name : {u"BriefkopfGruppe"_s, u"VordruckCheck"_s}) {
            const QRect area = find<QWidget>(f, name)->geometry();
            QVERIFY2(f.form->TabSheet2->rect().contains(area), qPrintable(name));
            QVERIFY2(!area.intersects(signature), qPrintable(name));
        }
    }

    void aPrinterThatFallsShortIsToldOnce()
    {
        PreviewFixture f;
        // 12.7 mm unprintable on every side: neither the marks nor the footer fit.
        f.printer.printer.printableOriginMm = {12.7, 12.7};
        f.printer.printer.printableArea = {4360, 6415};
        find<QRadioButton>(f, u"DinACheck"_s)->setChecked(true);
        QCOMPARE(f.form->StatusBar1->currentMessage(),
                 u"Der Drucker erreicht die Falz- und Lochmarken und die Fußzeile des "
                 "DIN-Briefs nicht; sie stehen so nah wie möglich an ihrem Platz."_s);
        f.form->StatusBar1->clearMessage();
        find<QRadioButton>(f, u"DinBCheck"_s)->setChecked(true);
        QVERIFY(f.form->StatusBar1->currentMessage().isEmpty());
    }

    void anpassenLeavesADinLetterAsItIs()
    {
        PreviewFixture f;
        find<QRadioButton>(f, u"DinBCheck"_s)->setChecked(true);
        find<QComboBox>(f, u"UmschlagCombo"_s)->setCurrentText(u"DL"_s);
        f.form->SetUnChanged();
        find<QPushButton>(f, u"AnpassenButton"_s)->click();
        QCOMPARE(f.prompts.infos, QStringList{u"Die DIN-Layouts setzen die Anschrift selbst an "
                                              "ihren Platz; es wird nichts geändert."_s});
        QVERIFY(!f.form->isChanged());
    }
};

QTEST_MAIN(TestDinLetterWindow)
#include "tst_dinletterwindow.moc"
