#include "FontChoiceDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::app {

FontChoiceDialog::FontChoiceDialog(const QString& title, const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_color(initial.color), m_initialFont(initial.font)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("FontChoiceDialog"));

    // Qt's dialog as a child widget: without its own buttons, and never the
    // platform's native one, which could not be embedded.
    m_fonts = new QFontDialog(initial.font, this);
    m_fonts->setObjectName(QStringLiteral("fontChooser"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The grip belongs to the outer dialog's corner, not the middle of it.
    m_fonts->setSizeGripEnabled(false);
    setSizeGripEnabled(true);
    m_fonts->setCurrentFont(initial.font);
    m_shownFamily = m_fonts->currentFont().family();
    connect(m_fonts, &QFontDialog::currentFontChanged, this, [this] { m_fontTouched = true; });
    // Return or Escape in one of its fields would close the embedded dialog
    // alone and leave a hole; they answer this dialog instead.
    m_fonts->installEventFilter(this);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("Farbe:"), this));
    m_colorButton = new QPushButton(QStringLiteral("Farbe..."), this);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setAutoDefault(false);
    connect(m_colorButton, &QPushButton::clicked, this, &FontChoiceDialog::pickColor);
    colorRow->addWidget(m_colorButton);
    auto* systemColor = new QPushButton(QStringLiteral("Standardfarbe"), this);
    systemColor->setObjectName(QStringLiteral("systemColorButton"));
    systemColor->setAutoDefault(false);
    connect(systemColor, &QPushButton::clicked, this, [this] { setColor(QColor()); });
    colorRow->addWidget(systemColor);
    colorRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts, 1);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

FontChoice FontChoiceDialog::choice() const
{
    if (!m_fontTouched)
        return {m_initialFont, m_color};
    // Only the size or style changed: the face stays the one the letter
    // named, even where the chooser could only show a stand-in for it.
    QFont font = m_fonts->currentFont();
    if (font.family() == m_shownFamily)
        font.setFamily(m_initialFont.family());
    return {font, m_color};
}

void FontChoiceDialog::setColor(const QColor& color)
{
    m_color = color;
    showColor();
}

bool FontChoiceDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fonts && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontChoiceDialog::pickColor()
{
    const QColor start = m_color.isValid() ? m_color : palette().color(QPalette::WindowText);
    const QColor picked = QColorDialog::getColor(start, this, QStringLiteral("Farbe"));
    if (picked.isValid())
        setColor(picked);
}

void FontChoiceDialog::showColor()
{
    QPixmap swatch(16, 16);
    swatch.fill(m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
    QPainter(&swatch).drawRect(0, 0, 15, 15);
    m_colorButton->setIcon(QIcon(swatch));
    m_colorButton->setToolTip(m_color.isValid() ? m_color.name() : QStringLiteral("Standardfarbe"));
}

} // namespace quillory::app
