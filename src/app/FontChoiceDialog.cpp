#include "FontChoiceDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::app {
namespace {

/** The font without bold, italic, underline and strike-out. */
QFont plain(QFont font)
{
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace

FontChoiceDialog::FontChoiceDialog(const QString& title, const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_color(initial.color), m_font(initial.font),
      m_initialFamily(initial.font.family())
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("FontChoiceDialog"));

    // Qt's dialog as a child widget: without its own buttons, and never the
    // platform's native one, which could not be embedded. It starts plain, as
    // its style list is not used.
    m_fonts = new QFontDialog(plain(initial.font), this);
    m_fonts->setObjectName(QStringLiteral("fontChooser"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The grip belongs to the outer dialog's corner, not the middle of it.
    m_fonts->setSizeGripEnabled(false);
    setSizeGripEnabled(true);
    m_fonts->setCurrentFont(plain(initial.font));
    m_shownFamily = m_fonts->currentFont().family();
    connect(m_fonts, &QFontDialog::currentFontChanged, this, &FontChoiceDialog::takeFaceAndSize);
    // Return or Escape in one of its fields would close the embedded dialog
    // alone and leave a hole; they answer this dialog instead.
    m_fonts->installEventFilter(this);
    QGroupBox* unplacedStyles = putStyleBoxesInPlaceOfStyleList(initial.font);

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
    if (unplacedStyles)
        layout->addWidget(unplacedStyles);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
    showSample();
}

QGroupBox* FontChoiceDialog::putStyleBoxesInPlaceOfStyleList(const QFont& initial)
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

    // Qt's chooser is a grid: face, style and size in columns 0, 2 and 4
    // (label, field, list), its own underline and strike-out below the faces
    // and the sample below style and size. The boxes take the style column,
    // beside the size; should that grid ever look different, they go below
    // the chooser, and Qt's own style list and effects stay without effect.
    auto* grid = qobject_cast<QGridLayout*>(m_fonts->layout());
    const auto widgetAt = [grid](int row, int column) -> QWidget* {
        QLayoutItem* item = grid ? grid->itemAtPosition(row, column) : nullptr;
        return item ? item->widget() : nullptr;
    };
    auto* effects = qobject_cast<QGroupBox*>(widgetAt(4, 0));
    auto* sample = qobject_cast<QGroupBox*>(widgetAt(4, 2));
    if (!grid || !widgetAt(2, 2) || !effects || !sample)
        return styles;
    for (int row = 0; row < 3; ++row) {
        if (QWidget* styleWidget = widgetAt(row, 2))
            styleWidget->hide();
    }
    effects->hide();
    grid->addWidget(styles, 0, 2, 3, 1);
    m_sample = sample->findChild<QLineEdit*>();
    return nullptr;
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
    // The face stays the one the letter named, even where the chooser could
    // only show a stand-in for it, until the user picks another.
    m_font.setFamily(shown.family() == m_shownFamily ? m_initialFamily : shown.family());
    if (shown.pointSize() > 0)
        m_font.setPointSize(shown.pointSize());
    showSample();
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

void FontChoiceDialog::showSample()
{
    // The chooser's sample would show its own, unused style.
    if (m_sample)
        m_sample->setFont(choice().font);
}

} // namespace quillory::app
