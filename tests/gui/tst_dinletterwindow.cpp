#include "layout/SignatureImage.h"
#include "output/LetterPrinter.h"
#include "PreviewFixture.h"
#include "window/WindowEvents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using quillory::layout::LayoutKind;
using quillory::layout::ViewOptions;
using quillory::settings::MemorySettingsBackend;

namespace {

const QString kFormKey = u"DinBrief/Form"_s;
const QString kImageKey = u"DinBrief/Briefkopf"_s;
const QStringList kLayoutChoices = {u"Layout1Check"_s, u"Layout2Check"_s, u"DinACheck"_s,
                                    u"DinBCheck"_s};

template <typename Widget>
Widget* find(const FormFixture& f, const QString& name)
{
    auto* widget = f.form->findChild<Widget*>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

QStringList checkedLayouts(const FormFixture& f)
{
    QStringList checked;
    for (const QString& name : kLayoutChoices)
        if (find<QRadioButton>(f, name)->isChecked())
            checked << name;
    return checked;
}

/** The request the window puts out, as its parts see it. */
quillory::output::PrintRequest requestOf(const FormFixture& f, bool forPdf = false)
{
    return static_cast<const quillory::app::LetterWindow&>(*f.form).printRequest(forPdf);
}

int kindOf(const FormFixture& f)
{
    return int(requestOf(f).kind);
}

/** A logo with a transparent background, as designers hand them over. */
QString writeLogo(const QTemporaryDir& dir)
{
    QImage image(400, 80, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(10, 10, 200, 60, Qt::darkBlue);
    painter.end();
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
        QTest::addColumn<QString>("dinStored");
        QTest::newRow("Form A") << QStringList{u"DinACheck"_s} << int(LayoutKind::DinA) << u"A"_s;
        QTest::newRow("Form B") << QStringList{u"DinBCheck"_s} << int(LayoutKind::DinB) << u"B"_s;
        QTest::newRow("A, then B")
            << QStringList{u"DinACheck"_s, u"DinBCheck"_s} << int(LayoutKind::DinB) << u"B"_s;
        QTest::newRow("A, then back to Layout 2") << QStringList{u"DinACheck"_s, u"Layout2Check"_s}
                                                  << int(LayoutKind::Layout2) << QString();
        QTest::newRow("Layout 2 alone")
            << QStringList{u"Layout2Check"_s} << int(LayoutKind::Layout2) << QString();
        QTest::newRow("B, then Layout 1") << QStringList{u"DinBCheck"_s, u"Layout1Check"_s}
                                          << int(LayoutKind::Layout1) << QString();
    }

    void theLayoutChoiceIsTheUsersAndComesBack()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, kind);
        QFETCH(QString, dinStored);
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
            QCOMPARE(checkedLayouts(f), QStringList{clicks.last()});
            QCOMPARE(kindOf(f), kind);
            QVERIFY(f.form->close());
        }
        QCOMPARE(settings.values.value(kFormKey).toString(), dinStored);
        FormFixture g({}, &settings, data.path());
        QCOMPARE(checkedLayouts(g), QStringList{clicks.last()});
        QCOMPARE(kindOf(g), kind);
    }

    void theFormsOwnLayoutOutlivesADinChoice_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("kind");
        QTest::newRow("Layout 1") << u"Layout1Check"_s << int(LayoutKind::Layout1);
        QTest::newRow("Layout 2") << u"Layout2Check"_s << int(LayoutKind::Layout2);
    }

    void theFormsOwnLayoutOutlivesADinChoice()
    {
        QFETCH(QString, before);
        QFETCH(int, kind);
        MemorySettingsBackend settings;
        QTemporaryDir data;
        {
            FormFixture f({}, &settings, data.path());
            find<QRadioButton>(f, before)->click();
            find<QRadioButton>(f, u"DinBCheck"_s)->click();
            QVERIFY(f.form->close());
        }
        // A store that knows only the form's property opens with its layout.
        QVERIFY(settings.values.remove(kFormKey));
        FormFixture g({}, &settings, data.path());
        QCOMPARE(checkedLayouts(g), QStringList{before});
        QCOMPARE(kindOf(g), kind);
    }

    void theDinChoiceOutlivesAReload()
    {
        FormFixture f;
        find<QRadioButton>(f, u"DinACheck"_s)->click();
        const QString path = f.ownRecoveryDir.filePath(u"brief.bri"_s);
        QVERIFY(f.form->SaveTheFile(path));
        find<QRadioButton>(f, u"Layout2Check"_s)->click();
        f.form->OpenFileWithName(path);
        QCOMPARE(kindOf(f), int(LayoutKind::Layout2)); // the letter carries no layout
        find<QRadioButton>(f, u"DinBCheck"_s)->click();
        f.form->NewAll();
        f.form->OpenFileWithName(path);
        QCOMPARE(checkedLayouts(f), QStringList{u"DinBCheck"_s});
        QCOMPARE(kindOf(f), int(LayoutKind::DinB));
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
            const ViewOptions view = requestOf(f, false).view;
            QCOMPARE(view.letterheadImage, flattened);
            QCOMPARE(int(view.dateStyle), style);
            QCOMPARE(view.preprintedStationery, preprinted);
            QVERIFY(!find<QLabel>(f, u"BriefkopfVorschau"_s)->pixmap().isNull());
            QVERIFY(f.form->close());
        }
        const QString copy = settings.values.value(kImageKey).toString();
        QCOMPARE(QFileInfo(copy).absolutePath(), QDir(data.path()).absolutePath());
        QVERIFY(QFile::remove(original));

        FormFixture g({}, &settings, data.path());
        QVERIFY2(g.prompts.errors.isEmpty(), qPrintable(g.prompts.errors.join(u'\n')));
        ViewOptions view = requestOf(g, true).view;
        QCOMPARE(view.letterheadImage, flattened);
        QCOMPARE(int(view.dateStyle), style);
        QCOMPARE(view.preprintedStationery, preprinted);
        // No PDF may be written over the copy.
        g.prompts.pdfNames << copy;
        g.form->AlsPDFspeichern1->trigger();
        QCOMPARE(g.prompts.errors.size(), 1);
        QVERIFY2(g.prompts.errors.first().contains(QFileInfo(copy).fileName()),
                 qPrintable(g.prompts.errors.first()));

        find<QPushButton>(g, u"BriefkopfEntfernen"_s)->click();
        QVERIFY(!QFile::exists(copy));
        QVERIFY(requestOf(g, true).view.letterheadImage.isNull());
        QVERIFY(settings.values.value(kImageKey).toString().isEmpty());
    }

    void aLostLetterheadIsReportedOnce()
    {
        MemorySettingsBackend settings;
        QTemporaryDir data;
        settings.values.insert(kImageKey, data.filePath(u"Briefkopf.png"_s));
        FormFixture f({}, &settings, data.path());
        QCOMPARE(f.prompts.errors.size(), 1);
        QVERIFY(f.prompts.errors.first().startsWith(u"Das Bild Ihres Briefkopfs"_s));
        QVERIFY(requestOf(f, true).view.letterheadImage.isNull());
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
        QCoreApplication::processEvents();
        QCOMPARE(f.prompts.errors.size(), 1);
    }

    void theChoicesFitBesideTheFormsWidgets()
    {
        PreviewFixture f;
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
        find<QComboBox>(f, u"UmschlagCombo"_s)->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QCOMPARE(overlapping(*f.form->Panel2), QStringList());
        QWidget* const layout2 = find<QWidget>(f, u"Layout2Check"_s);
        QCOMPARE(layout2->nextInFocusChain(), find<QWidget>(f, u"DinACheck"_s));
        QCOMPARE(find<QWidget>(f, u"DinACheck"_s)->nextInFocusChain(),
                 find<QWidget>(f, u"DinBCheck"_s));
        QCOMPARE(find<QWidget>(f, u"DinBCheck"_s)->nextInFocusChain(),
                 find<QWidget>(f, u"UmschlagCombo"_s));

        QWidget* const tab = f.form->TabSheet2;
        f.form->PageControl1->setCurrentWidget(tab);
        QCoreApplication::processEvents();
        for (const QString& name : {u"BriefkopfGruppe"_s, u"VordruckCheck"_s}) {
            QWidget* const w = find<QWidget>(f, name);
            QVERIFY2(tab->rect().contains(w->geometry()), qPrintable(name));
            for (QWidget* other : tab->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(other == w || other->isHidden() ||
                             !w->geometry().intersects(other->geometry()),
                         qPrintable(name + u" runs into "_s + other->objectName()));
        }
    }
};

QTEST_MAIN(TestDinLetterWindow)
#include "tst_dinletterwindow.moc"
