#include "widgets/DesignScale.h"
#include "FormFixture.h"
#include "settings/QSettingsBackend.h"
#include "widgets/SpinField.h"
#include "support/WindowPlacer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QWindow>

using quillory::app::MainForm;
using quillory::settings::MemorySettingsBackend;
using Answer = quillory::app::Prompts::Answer;

namespace {

/** The window's value behind one stored name, as text. */
QString probe(MainForm& w, const QString& name)
{
    if (name == QStringLiteral("Edit10_Text"))
        return w.Edit10->text();
    if (name == QStringLiteral("Edit19_Text"))
        return w.Edit19->text();
    if (name == QStringLiteral("TrennZeichen_Text"))
        return w.TrennZeichen->text();
    if (name == QStringLiteral("RandEd_Value"))
        return QString::number(w.RandEd->letterValue());
    if (name == QStringLiteral("ZeilenAbsender_Value"))
        return QString::number(w.ZeilenAbsender->letterValue());
    if (name == QStringLiteral("TeleRechts_Checked"))
        return w.TeleRechts->isChecked() ? QStringLiteral("ticked") : QStringLiteral("clear");
    if (name == QStringLiteral("Leer2Check_Checked"))
        return w.Leer2Check->isChecked() ? QStringLiteral("ticked") : QStringLiteral("clear");
    if (name == QStringLiteral("FontDialog1_FontSize"))
        return QString::number(w.letterFont().size());
    if (name == QStringLiteral("FontDialog1_FontStyle"))
        return QString::number(w.letterFont().style());
    if (name == QStringLiteral("FontDialog2_FontColor"))
        return QString::number(w.footerFont().color(), 16);
    qFatal("no probe for %s", qPrintable(name));
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QString normPos(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

QMargins frameMargins()
{
    FormFixture f;
    return f.form->windowHandle()->frameMargins();
}

/** The placement a window takes with nothing stored. */
QRect designGeometry()
{
    FormFixture f;
    return f.form->geometry();
}

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void restoreFillsTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored"); // empty: nothing stored
        QTest::addColumn<QString>("shown");

        QTest::newRow("text is trimmed") << "Edit10_Text"
                                         << " \tMax Muster  "
                                         << "Max Muster";
        QTest::newRow("first start trims the separator") << "TrennZeichen_Text"
                                                         << ""
                                                         << ";";
        QTest::newRow("city") << "Edit19_Text"
                              << "Hamburg"
                              << "Hamburg";
        QTest::newRow("fraction") << "RandEd_Value"
                                  << "12.5"
                                  << "12.5";
        QTest::newRow("not a number keeps the design") << "ZeilenAbsender_Value"
                                                       << "viele"
                                                       << "6";
        QTest::newRow("clamped") << "ZeilenAbsender_Value"
                                 << "5000"
                                 << "1000";
        QTest::newRow("False") << "TeleRechts_Checked"
                               << "False"
                               << "clear";
        QTest::newRow("yes is no truth value") << "TeleRechts_Checked"
                                               << "no"
                                               << "ticked";
        QTest::newRow("TRUE") << "Leer2Check_Checked"
                              << "TRUE"
                              << "ticked";
        QTest::newRow("true") << "Leer2Check_Checked"
                              << "true"
                              << "ticked";
        QTest::newRow("yes") << "Leer2Check_Checked"
                             << "yes"
                             << "clear";
        QTest::newRow("font size") << "FontDialog1_FontSize"
                                   << "14"
                                   << "14";
        QTest::newRow("style with a blank") << "FontDialog1_FontStyle"
                                            << "[fsBold, fsItalic]"
                                            << "3";
        QTest::newRow("no style") << "FontDialog1_FontStyle"
                                  << "[]"
                                  << "0";
        QTest::newRow("unknown style") << "FontDialog1_FontStyle"
                                       << "[bold]"
                                       << "0";
        QTest::newRow("colour") << "FontDialog2_FontColor"
                                << "255"
                                << "ff";
        QTest::newRow("window text") << "FontDialog2_FontColor"
                                     << "-2147483640"
                                     << "80000008";
    }

    void restoreFillsTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        MemorySettingsBackend settings;
        if (!stored.isEmpty())
            settings.values.insert(name, stored);
        FormFixture f({}, &settings);
        QCOMPARE(probe(*f.form, name), shown);
        // The restore's changes leave no modified mark behind.
        QVERIFY(!f.form->isChanged());
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
        QVERIFY(f.prompts.log.isEmpty());
    }

    void aFractionReadsBackUnderEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("German") << "de_DE";
        QTest::newRow("English") << "en_US";
    }

    void aFractionReadsBackUnderEveryLocale()
    {
        QFETCH(QString, locale);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        MemorySettingsBackend settings;
        {
            FormFixture f({}, &settings);
            f.form->RandEd->setValue(12.5);
            f.prompts.saveAnswers << Answer::No;
            QVERIFY(f.form->close());
        }
        QCOMPARE(settings.values.value(QStringLiteral("RandEd_Value")).toString(),
                 QStringLiteral("12.5"));
        FormFixture g({}, &settings);
        QLocale::setDefault(before);
        QCOMPARE(g.form->RandEd->letterValue(), 12.5);
    }

    void theFontsKeepTheScreensResolution()
    {
        MemorySettingsBackend settings;
        settings.values.insert(QStringLiteral("FontDialog1_FontHeight"), QStringLiteral("-99"));
        settings.values.insert(QStringLiteral("FontDialog1_FontSize"), QStringLiteral("14"));
        FormFixture f({}, &settings);
        const int ppi = qRound(f.form->screen()->logicalDotsPerInch());
        QCOMPARE(f.form->letterFont().pixelsPerInch(), ppi);
        // The size comes after the height, so it wins.
        QCOMPARE(f.form->letterFont().size(), 14);
        QCOMPARE(f.form->letterFont().height(), -qRound(14 * ppi / 72.0));
    }

    void layoutRadioButtons_data()
    {
        QTest::addColumn<QString>("layout1");
        QTest::addColumn<QString>("layout2");
        QTest::addColumn<bool>("layout2Chosen");
        QTest::newRow("Layout 2") << "False"
                                  << "True" << true;
        QTest::newRow("Layout 1") << "True"
                                  << "False" << false;
        QTest::newRow("neither keeps the design") << "False"
                                                  << "False" << false;
        QTest::newRow("any case") << "false"
                                  << "TRUE" << true;
    }

    void layoutRadioButtons()
    {
        QFETCH(QString, layout1);
        QFETCH(QString, layout2);
        QFETCH(bool, layout2Chosen);
        MemorySettingsBackend settings;
        settings.values.insert(QStringLiteral("Layout1Check_Checked"), layout1);
        settings.values.insert(QStringLiteral("Layout2Check_Checked"), layout2);
        FormFixture f({}, &settings);
        QCOMPARE(f.form->Layout2Check->isChecked(), layout2Chosen);
        QCOMPARE(f.form->Layout1Check->isChecked(), !layout2Chosen);
    }

    void anAllowedCloseWritesTheWindowsValues()
    {
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        QCOMPARE(settings.writes, 0);
        f.form->Edit10->setText(QStringLiteral("  Erika Beispiel "));
        f.form->Layout2Check->setChecked(true);
        f.form->Leer2Check->setChecked(true);
        const QRect normal = f.form->geometry();
        f.prompts.saveAnswers << Answer::No;
        QVERIFY(f.form->close());

        const auto value = [&](const char* name) {
            return settings.values.value(QString::fromLatin1(name)).toString();
        };
        QCOMPARE(value("Edit10_Text"), QStringLiteral("Erika Beispiel"));
        QCOMPARE(value("Layout1Check_Checked"), QStringLiteral("False"));
        QCOMPARE(value("Layout2Check_Checked"), QStringLiteral("True"));
        QCOMPARE(value("Leer2Check_Checked"), QStringLiteral("True"));
        QCOMPARE(value("TrennZeichen_Text"), QStringLiteral(";"));
        QCOMPARE(value("ShowCmd"), QStringLiteral("1"));
        QCOMPARE(value("Visible"), QStringLiteral("0"));
        QCOMPARE(value("NormPos"), normPos(normal));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(
            settings.values
                .value(QStringLiteral("NormPos(%1x%2)").arg(screen.width()).arg(screen.height()))
                .toString(),
            normPos(normal));
        QCOMPARE(value("PixelsPerInch"),
                 QString::number(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch())));
        // Written once: the destruction that follows has nothing left to do.
        const int writes = settings.writes;
        f.form.reset();
        QCOMPARE(settings.writes, writes);
    }

    void aRefusedCloseWritesNothing()
    {
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        f.form->Edit10->setText(QStringLiteral("geändert"));
        f.prompts.saveAnswers << Answer::Cancel;
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        QCOMPARE(settings.writes, 0);
        // A later allowed close writes everything.
        f.prompts.saveAnswers << Answer::No;
        QVERIFY(f.form->close());
        QCOMPARE(settings.values.value(QStringLiteral("Edit10_Text")).toString(),
                 QStringLiteral("geändert"));
    }

    void anUnreadableStoreIsReportedAndNotOverwritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("unreadable"); // else: a value that is not a string
        QTest::addColumn<QString>("error");
        QTest::newRow("FormVersion not a string")
            << "FormVersion" << false << "Ungültiger Datentyp für 'FormVersion'";
        QTest::newRow("ShowCmd not a string")
            << "ShowCmd" << false << "Ungültiger Datentyp für 'ShowCmd'";
        QTest::newRow("NormPos unreadable")
            << "NormPos" << true << "Konnte Daten für 'NormPos' nicht holen.";
    }

    void anUnreadableStoreIsReportedAndNotOverwritten()
    {
        QFETCH(QString, name);
        QFETCH(bool, unreadable);
        QFETCH(QString, error);
        MemorySettingsBackend settings;
        settings.values.insert(QStringLiteral("Edit10_Text"), QStringLiteral("gespeichert"));
        if (unreadable) {
            settings.values.insert(name, QStringLiteral("1"));
            settings.unreadable.insert(name);
        } else {
            settings.values.insert(name, QVariant(5));
        }
        FormFixture f({}, &settings);
        QCOMPARE(f.prompts.errors, QStringList{error});
        // The properties are left at the design, and FormShow still ran.
        QVERIFY(f.form->Edit10->text() != QStringLiteral("gespeichert"));
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
        QVERIFY(f.form->close());
        f.form.reset();
        QCOMPARE(settings.writes, 0);
    }

    void aFailedSaveIsReportedAndTriedAgainOnDestruction_data()
    {
        QTest::addColumn<bool>("groupFails");
        QTest::addColumn<QString>("error");
        QTest::newRow("value") << false << "Konnte Daten für 'Edit12_Text' nicht setzen.";
        QTest::newRow("key") << true << "Erzeugung von Schlüssel TMainForm misslungen.";
    }

    void aFailedSaveIsReportedAndTriedAgainOnDestruction()
    {
        QFETCH(bool, groupFails);
        QFETCH(QString, error);
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        if (groupFails)
            settings.groupCreationFails = true;
        else
            settings.unwritable.insert(QStringLiteral("Edit12_Text"));
        QVERIFY(f.form->close());
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.prompts.errors, QStringList{error});

        settings.groupCreationFails = false;
        settings.unwritable.clear();
        f.form.reset();
        QCOMPARE(f.prompts.errors.size(), 1);
        QCOMPARE(settings.values.value(QStringLiteral("Visible")).toString(), QStringLiteral("1"));
        QVERIFY(settings.values.contains(QStringLiteral("Edit12_Text")));
    }

    void aDamagedStoreIsReadAsFarAsItGoesAndWrittenAnew_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray head = "[TMainForm]\nEdit11_Text=gelesen\n";
        QTest::newRow("comment") << head + "# Kommentar\nEdit13_Text=12345\n";
        QTest::newRow("line without =") << head + "nur Text\nEdit13_Text=12345\n";
        QTest::newRow("cut mid-line") << head + "Edit13_Text=12345\nEdit14_Te";
        QTest::newRow("section without bracket")
            << QByteArray("[TMainForm\nEdit11_Text=gelesen\nEdit13_Text=12345\n");
        QTest::newRow("random bytes")
            << head + QByteArray(1, '\0') + "\x01\xfe\xff\x80\r\x1b[2J\xc3(\nEdit13_Text=12345\n";
    }

    void aDamagedStoreIsReadAsFarAsItGoesAndWrittenAnew()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir; // a folder per row: QSettings keeps files it has read, by name
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Software")));
        const QString path = dir.filePath(QStringLiteral("Software/quillory-damaged.ini"));
        {
            QFile damaged(path);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(file);
        }
        {
            quillory::settings::QSettingsBackend settings(QStringLiteral("quillory-damaged"));
            FormFixture f({}, &settings);
            QCOMPARE(f.form->Edit11->text(), QStringLiteral("gelesen"));
            QCOMPARE(f.form->Edit13->text(), QStringLiteral("12345"));
            f.form->Edit10->setText(QStringLiteral("In diesem Lauf"));
            f.prompts.saveAnswers << Answer::No;
            QVERIFY(f.form->close());
            f.form.reset();
            QCOMPARE(f.prompts.errors, QStringList());
        }
        QSettings stored(path, QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("TMainForm/Edit10_Text")).toString(),
                 QStringLiteral("In diesem Lauf"));
        QCOMPARE(stored.value(QStringLiteral("TMainForm/Edit11_Text")).toString(),
                 QStringLiteral("gelesen"));
        QCOMPARE(stored.value(QStringLiteral("TMainForm/Visible")).toString(), QStringLiteral("0"));
        QCOMPARE(stored.status(), QSettings::NoError);
    }

    void aStoredRectangleIsBounded_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QRect>("shown");
        const QRect area = screenArea();
        // The window's frame, title bar included, must fit as well.
        const QRect usable = area.marginsRemoved(frameMargins());
        const QRect inside(area.left() + 20, area.top() + 30, 700, 500);
        QTest::newRow("on screen") << normPos(inside) << inside;
        QTest::newRow("wider than an int")
            << "-2000000000,0,2000000000,600"
            << QRect(usable.left(), qMax(usable.top(), 0), usable.width(), 600);
        QTest::newRow("bigger than any screen") << "-30000,-30000,30000,30000" << usable;
        QTest::newRow("title bar above the screen")
            << normPos(QRect(area.left() + 100, area.top() - 300, 600, 500))
            << QRect(area.left() + 100, usable.top(), 600, 500);
        QTest::newRow("taller than the screen")
            << normPos(QRect(area.left() + 50, area.top() + 10, 600, area.height() + 400))
            << QRect(area.left() + 50, usable.top(), 600, usable.height());
    }

    void aStoredRectangleIsBounded()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, shown);
        MemorySettingsBackend settings;
        settings.values.insert(QStringLiteral("NormPos"), stored);
        FormFixture f({}, &settings);
        QCOMPARE(f.form->geometry(), shown);
    }

    void placement_data()
    {
        QTest::addColumn<QString>("ppi");        // empty: the screen's
        QTest::addColumn<QString>("normalName"); // NormPos or with a screen suffix
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<int>("showCmd");
        QTest::addColumn<bool>("usesStored");
        QTest::addColumn<int>("state");

        const QRect area = screenArea();
        // Larger than the window's smallest size, smaller than its design size.
        const QRect inside(area.left() + 20, area.top() + 30, 700, 500);
        const QRect offAll(area.right() + 500, area.top() + 10, 600, 400);
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const QString suffixed =
            QStringLiteral("NormPos(%1x%2)").arg(screen.width()).arg(screen.height());
        const int normal = Qt::WindowNoState;
        const int maximized = Qt::WindowMaximized;
        const int minimized = Qt::WindowMinimized;

        QTest::newRow("on screen") << ""
                                   << "NormPos" << inside << 1 << true << normal;
        QTest::newRow("this screen's size") << "" << suffixed << inside << 1 << true << normal;
        QTest::newRow("another screen's size") << ""
                                               << "NormPos(1x1)" << inside << 1 << false << normal;
        QTest::newRow("off every screen") << ""
                                          << "NormPos" << offAll << 1 << false << normal;
        QTest::newRow("just a corner on screen")
            << ""
            << "NormPos" << offAll.translated(-(offAll.left() - area.right()) - 10, 0) << 1 << false
            << normal;
        QTest::newRow("maximised") << ""
                                   << "NormPos" << inside << 3 << true << maximized;
        QTest::newRow("minimised") << ""
                                   << "NormPos" << inside << 2 << true << minimized;
        QTest::newRow("minimised, other code") << ""
                                               << "NormPos" << inside << 6 << true << minimized;
        QTest::newRow("unknown show command") << ""
                                              << "NormPos" << inside << 4 << true << normal;
        QTest::newRow("another resolution keeps the state")
            << "144"
            << "NormPos" << inside << 3 << false << maximized;
    }

    void placement()
    {
        QFETCH(QString, ppi);
        QFETCH(QString, normalName);
        QFETCH(QRect, stored);
        QFETCH(int, showCmd);
        QFETCH(bool, usesStored);
        QFETCH(int, state);
        const QRect design = designGeometry();

        MemorySettingsBackend settings;
        settings.values.insert(normalName, normPos(stored));
        settings.values.insert(QStringLiteral("ShowCmd"), QString::number(showCmd));
        if (!ppi.isEmpty())
            settings.values.insert(QStringLiteral("PixelsPerInch"), ppi);
        FormFixture f({}, &settings);
        QCoreApplication::processEvents(); // a minimised start minimises just after the showing

        const QRect normalGeometry = f.form->windowState() == Qt::WindowNoState
                                         ? f.form->geometry()
                                         : f.form->normalGeometry();
        QCOMPARE(normalGeometry, usesStored ? stored : design);
        QCOMPARE(int(f.form->windowState()), state);

        // The state goes back as it came.
        QVERIFY(f.form->close());
        const int expectedCmd = state == Qt::WindowMaximized   ? 3
                                : state == Qt::WindowMinimized ? 2
                                                               : 1;
        QCOMPARE(settings.values.value(QStringLiteral("ShowCmd")).toString(),
                 QString::number(expectedCmd));
        QCOMPARE(settings.values.value(QStringLiteral("NormPos")).toString(),
                 normPos(usesStored ? stored : design));
    }

    void isOnAScreen_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("onScreen");
        // Two screens side by side: 0..1023 and 1024..2303.
        QTest::newRow("inside the first") << QRect(10, 10, 800, 600) << true;
        QTest::newRow("inside the second") << QRect(1500, 100, 600, 400) << true;
        QTest::newRow("across both") << QRect(900, 100, 600, 400) << true;
        QTest::newRow("right of both") << QRect(2400, 100, 600, 400) << false;
        QTest::newRow("below both") << QRect(100, 1100, 600, 400) << false;
        QTest::newRow("where a third screen was") << QRect(-1300, 0, 870, 640) << false;
        QTest::newRow("a sliver on screen") << QRect(-860, 10, 870, 640) << false;
        QTest::newRow("enough to grab") << QRect(-822, 10, 870, 640) << true;
        QTest::newRow("small and inside") << QRect(100, 100, 20, 20) << true;
        QTest::newRow("empty") << QRect(100, 100, 0, 0) << false;
    }

    void isOnAScreen()
    {
        QFETCH(QRect, rect);
        QFETCH(bool, onScreen);
        const QList<QRect> areas = {QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
        QCOMPARE(quillory::app::WindowPlacer::isOnAScreen(rect, areas), onScreen);
    }
};

QTEST_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
