#include "widgets/FontFacePicker.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace quillory::app {
namespace {

/** "Nimbus Sans [urw]" as "Nimbus Sans": the font database takes either. */
QString withoutFoundry(const QString& family)
{
    const qsizetype bracket = family.lastIndexOf(QLatin1String(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

bool lessCaseInsensitive(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

/** The system's families, each once, in alphabetical order. */
QStringList installedFaces()
{
    QStringList faces;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const QString face = withoutFoundry(family);
        if (!seen.contains(face.toCaseFolded())) {
            seen.insert(face.toCaseFolded());
            faces << face;
        }
    }
    std::sort(faces.begin(), faces.end(), lessCaseInsensitive);
    return faces;
}

} // namespace

FontFacePicker::FontFacePicker(const QFont& initial, QWidget* parent) : QWidget(parent)
{
    m_faceEdit = new QLineEdit(this);
    m_faceEdit->setObjectName(QStringLiteral("faceEdit"));
    m_faceList = new QListWidget(this);
    m_faceList->setObjectName(QStringLiteral("faceList"));
    m_faceList->addItems(installedFaces());
    m_sizeEdit = new QLineEdit(this);
    m_sizeEdit->setObjectName(QStringLiteral("sizeEdit"));
    m_sizeEdit->setValidator(new QIntValidator(1, 999, m_sizeEdit));
    m_sizeList = new QListWidget(this);
    m_sizeList->setObjectName(QStringLiteral("sizeList"));
    // Wide enough for three digits and the scroll bar, no wider.
    m_sizeList->setFixedWidth(m_sizeList->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                              m_sizeList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    m_sizeEdit->setFixedWidth(m_sizeList->width());

    auto* faceLabel = new QLabel(QStringLiteral("Schrift&art:"), this);
    faceLabel->setBuddy(m_faceEdit);
    auto* sizeLabel = new QLabel(QStringLiteral("&Größe:"), this);
    sizeLabel->setBuddy(m_sizeEdit);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(m_faceEdit, 1, 0);
    grid->addWidget(m_faceList, 2, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_sizeEdit, 1, 1);
    grid->addWidget(m_sizeList, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);

    setCurrentFont(initial);

    connect(m_faceList, &QListWidget::currentTextChanged, this, [this](const QString& face) {
        if (!m_faceEdit->hasFocus())
            m_faceEdit->setText(face);
        showSizes();
        emit currentFontChanged(currentFont());
    });
    connect(m_faceEdit, &QLineEdit::textEdited, this, &FontFacePicker::faceTyped);
    // What was typed gives way to the face it led to.
    connect(m_faceEdit, &QLineEdit::editingFinished, this, [this] {
        if (QListWidgetItem* item = m_faceList->currentItem())
            m_faceEdit->setText(item->text());
    });
    connect(m_sizeList, &QListWidget::currentTextChanged, this, [this](const QString& size) {
        if (size.isEmpty() || size.toInt() == m_points)
            return;
        m_points = size.toInt();
        m_sizeEdit->setText(size);
        emit currentFontChanged(currentFont());
    });
    connect(m_sizeEdit, &QLineEdit::textEdited, this, &FontFacePicker::sizeTyped);
}

QFont FontFacePicker::currentFont() const
{
    QFont font;
    if (const QListWidgetItem* item = m_faceList->currentItem())
        font.setFamily(item->text());
    if (m_points > 0)
        font.setPointSize(m_points);
    return font;
}

void FontFacePicker::setCurrentFont(const QFont& font)
{
    m_points = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    m_sizeEdit->setText(QString::number(m_points));
    QString face = withoutFoundry(font.family());
    if (face.isEmpty())
        face = withoutFoundry(QFontInfo(font).family());
    selectFace(face);
    m_faceEdit->setText(m_faceList->currentItem()->text());
    showSizes();
    emit currentFontChanged(currentFont());
}

QStringList FontFacePicker::faces() const
{
    QStringList faces;
    for (int row = 0; row < m_faceList->count(); ++row)
        faces << m_faceList->item(row)->text();
    return faces;
}

void FontFacePicker::selectFace(const QString& face)
{
    const QStringList listed = faces();
    const auto at = std::find_if(listed.begin(), listed.end(), [&](const QString& listedFace) {
        return listedFace.compare(face, Qt::CaseInsensitive) == 0;
    });
    int row = int(at - listed.begin());
    if (at == listed.end()) {
        // Not installed, yet what the letter asks for: listed as such.
        row = int(std::lower_bound(listed.begin(), listed.end(), face, lessCaseInsensitive) -
                  listed.begin());
        m_faceList->insertItem(row, face);
    }
    const QSignalBlocker quiet(m_faceList);
    m_faceList->setCurrentRow(row);
    m_faceList->scrollToItem(m_faceList->currentItem(), QAbstractItemView::PositionAtCenter);
}

void FontFacePicker::showSizes()
{
    QList<int> sizes;
    if (const QListWidgetItem* item = m_faceList->currentItem())
        sizes = QFontDatabase::pointSizes(item->text());
    // A face known by another name only scales as any outline font does.
    if (sizes.isEmpty())
        sizes = QFontDatabase::standardSizes();
    const QSignalBlocker quiet(m_sizeList);
    m_sizeList->clear();
    for (int size : sizes) {
        m_sizeList->addItem(QString::number(size));
        if (size == m_points)
            m_sizeList->setCurrentRow(m_sizeList->count() - 1);
    }
}

void FontFacePicker::faceTyped(const QString& text)
{
    const QList<QListWidgetItem*> found = m_faceList->findItems(text, Qt::MatchStartsWith);
    if (!found.isEmpty() && found.first() != m_faceList->currentItem()) {
        m_faceList->setCurrentItem(found.first());
        m_faceList->scrollToItem(found.first());
    }
}

void FontFacePicker::sizeTyped(const QString& text)
{
    bool ok = false;
    const int points = text.toInt(&ok);
    if (!ok || points <= 0 || points == m_points)
        return;
    m_points = points;
    const QSignalBlocker quiet(m_sizeList);
    const QList<QListWidgetItem*> found = m_sizeList->findItems(text, Qt::MatchExactly);
    m_sizeList->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    emit currentFontChanged(currentFont());
}

} // namespace quillory::app
