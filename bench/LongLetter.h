#pragma once

#include "document/Letter.h"

#include <QStringList>

namespace quillory::bench {

/**
 * The sample letter with a long body of paragraphs of German words, the same
 * on every run: 1,300 paragraphs make about 100 A4 pages.
 */
inline document::Letter longLetter(int paragraphs = 1300)
{
    static const char* const words[] = {"hiermit",    "kündige",      "ich",
                                        "den",        "Vertrag",      "fristgerecht",
                                        "zum",        "Monatsende",   "Bitte",
                                        "senden",     "Sie",          "mir",
                                        "eine",       "schriftliche", "Bestätigung",
                                        "der",        "Kündigung",    "unter",
                                        "Angabe",     "des",          "Beendigungszeitpunktes",
                                        "zu.",        "Zählerstand",  "am",
                                        "Tag",        "Auszugs",      "teile",
                                        "Ihnen",      "gesondert",    "mit.",
                                        "Ein",        "etwaiges",     "Guthaben",
                                        "überweisen", "bitte",        "auf",
                                        "das",        "unten",        "genannte",
                                        "Konto,",     "Vielen",       "Dank",
                                        "für",        "Ihre",         "Aufmerksamkeit",
                                        "und",        "freundliche",  "Grüße"};
    constexpr int wordCount = int(sizeof words / sizeof *words);
    document::Letter letter = document::Letter::makeNew(QDate(2026, 12, 8));
    letter.recipientName = QStringLiteral("Stadtwerke Musterstadt GmbH");
    letter.recipientStreet = QStringLiteral("Am Kraftwerk 5");
    letter.recipientCity = QStringLiteral("12345 Musterstadt");
    letter.subject = QStringLiteral("Kündigung Stromliefervertrag Nr. 34534345");
    quint32 state = 12345;
    auto next = [&state](int bound) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % quint32(bound));
    };
    QStringList body;
    for (int p = 0; p < paragraphs; ++p) {
        QStringList paragraph;
        const int length = 6 + next(75);
        for (int w = 0; w < length; ++w)
            paragraph << QString::fromUtf8(words[next(wordCount)]);
        body << paragraph.join(QLatin1Char(' '));
    }
    letter.body = body.join(QStringLiteral("\r\n"));
    return letter;
}

/** About 1 MB of body text: one German paragraph again and again. */
inline QString megabyteBody()
{
    const QString paragraph = QStringLiteral(
        "Sehr geehrte Damen und Herren, hiermit kündige ich den Vertrag fristgerecht zum Ende "
        "des Monats. Für Rückfragen stehe ich Ihnen gern zur Verfügung.\r\n");
    QString body;
    body.reserve(1 << 20);
    while (body.size() + paragraph.size() <= (1 << 20))
        body += paragraph;
    return body;
}

} // namespace quillory::bench
