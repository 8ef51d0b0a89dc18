#include "dialogs/FontChoiceDialog.h"

#include "widgets/FontFacePicker.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::app {

FontChoiceDialog::FontChoiceDialog(const QString& title, const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_color(initial.color), m_font(initial.font)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("FontChoiceDialog"));
    setSizeGripEnabled(true);

    m_fonts = new FontFacePicker(initial.font, this);
    m_fonts->setObjectName(QStringLiteral("fontChooser"));
    connect(m_fonts, &FontFacePicker::currentFontChanged, this, &FontChoiceDialog::takeFaceAndSize);
    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(m_fonts, 1);
    chooserRow->addWidget(makeStyleBoxes(initial.font));

    // A line of the font at its size: taller fonts are cut, not the dialog widened.
    auto* sampleBox = new QGroupBox(QStringLiteral("Beispiel"), this);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz ÄäÖöÜüß 0123"), sampleBox);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_sample->setFixedHeight(fontMetrics().height() * 4);
    (new QVBoxLayout(sampleBox))->addWidget(m_sample);

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
    // Return in a field confirms: the dialog passes it to its default button.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chooserRow, 1);
    layout->addWidget(sampleBox);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
    showSample();
}

QWidget* FontChoiceDialog::makeStyleBoxes(const QFont& initial)
{
    auto* styles = new QGroupBox(QStringLiteral("Schriftschnitt"), this);
    styles->setObjectName(QStringLiteral("styleBoxes"));
    auto* column = new QVBoxLayout(styles);
    const auto box = [&](const QString& text, bool checked) {
        auto* check = new QCheckBox(text, styles);
        check->setChecked(checked);
        connect(check, &QCheckBox::toggled, this, &FontChoiceDialog::showSample);
        column->addWidget(check);
        return check;
    };
    m_bold = box(QStringLiteral("Fett"), initial.bold());
    m_italic = box(QStringLiteral("Kursiv"), initial.italic());
    m_underline = box(QStringLiteral("Unterstrichen"), initial.underline());
    m_strikeOut = box(QStringLiteral("Durchgestrichen"), initial.strikeOut());
    column->addStretch(1);
    return styles;
}

QList<QCheckBox*> FontChoiceDialog::styleBoxes() const
{
    return {m_bold, m_italic, m_underline, m_strikeOut};
}

FontChoice FontChoiceDialog::choice() const
{
    QFont font = m_font;
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeOut->isChecked());
    return {font, m_color};
}

void FontChoiceDialog::takeFaceAndSize(const QFont& shown)
{
    m_font.setFamily(shown.family());
    if (shown.pointSize() > 0)
        m_font.setPointSize(shown.pointSize());
    showSample();
}

void FontChoiceDialog::setColor(const QColor& color)
{
    m_color = color;
    showColor();
    showSample();
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

void FontChoiceDialog::showSample()
{
    // The boxes and the sample line are made after the chooser, which may report first.
    if (!m_sample || !m_bold)
        return;
    m_sample->setFont(choice().font);
    QPalette colors = m_sample->palette();
    colors.setColor(QPalette::WindowText,
                    m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
    m_sample->setPalette(colors);
}

} // namespace quillory::app
