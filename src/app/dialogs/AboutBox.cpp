#include "dialogs/AboutBox.h"

#include "widgets/DesignScale.h"

#include "QuilloryVersion.h"

#include <QDesktopServices>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace quillory::app {

QString AboutBox::noticeTemplate()
{
    return QStringLiteral("Copyright © XXXX TRELVANI. Alle Rechte vorbehalten.");
}

QUrl AboutBox::webPage()
{
    return QUrl(QStringLiteral("https://quillory.example.org/"));
}

AboutBox::AboutBox(QWidget* parent, QDate today) : QDialog(parent)
{
    const DesignScale scale;
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(scale.size(664, 453));

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QColor(240, 202, 166));
    colours.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(colours);
    panel->setGeometry(scale.rect(8, 8, 649, 385));

    m_picture = new QLabel(panel);
    m_picture->setGeometry(scale.rect(8, 32, 306, 322));
    QImageReader reader(QStringLiteral(":/quillory/about.jpg"), "jpg");
    const QImage image = reader.read();
    if (!image.isNull())
        m_picture->setPixmap(QPixmap::fromImage(
            image.scaled(m_picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));

    auto* heading = new QLabel(QStringLiteral("TRELVANI Quillory " QUILLORY_VERSION), panel);
    QFont headingFont(QStringLiteral("Arial Narrow"));
    headingFont.setPixelSize(scale.px(24));
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setGeometry(scale.rect(336, 32, 300, 32));

    QString notice = noticeTemplate();
    notice.replace(QStringLiteral("XXXX"), QString::number(today.year()).rightJustified(4, u'0'));
    m_notice = new QLabel(notice, panel);
    m_notice->setWordWrap(true);
    m_notice->setGeometry(scale.rect(336, 72, 300, 34));

    auto* comment = new QLabel(QStringLiteral("Geschäftsbriefe schreiben, ansehen, drucken und "
                                              "speichern."),
                               panel);
    comment->setWordWrap(true);
    comment->setGeometry(scale.rect(336, 112, 300, 34));

    auto* lines = new QLabel(QStringLiteral("Ein Brief, zwei Layouts, jede Seite so gedruckt, "
                                            "wie sie in der Vorschau steht.\n"
                                            "Ihre Absenderdaten bleiben für den nächsten Brief.\n"
                                            "Briefe werden als .bri-Datei gespeichert."),
                             panel);
    lines->setWordWrap(true);
    lines->setGeometry(scale.rect(336, 160, 300, 120));
    lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* web = new QPushButton(QStringLiteral("Zur Webseite"), panel);
    web->setObjectName(QStringLiteral("WebButton"));
    web->setGeometry(scale.rect(336, 312, 181, 25));
    connect(web, &QPushButton::clicked, this, &AboutBox::openWebPage);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(scale.rect(242, 404, 181, 37));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutBox::notice() const
{
    return m_notice->text();
}

bool AboutBox::hasPicture() const
{
    return !m_picture->pixmap().isNull();
}

void AboutBox::openWebPage()
{
    QDesktopServices::openUrl(webPage());
}

} // namespace quillory::app
