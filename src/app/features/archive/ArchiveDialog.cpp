#include "features/archive/ArchiveDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillory::app {
namespace {

using records::LetterArchive;

enum Column { Date, Recipient, Subject, Happened, File, ColumnCount };

constexpr int kPathRole = Qt::UserRole;
constexpr int kEventRole = Qt::UserRole + 1;
constexpr int kOpenableRole = Qt::UserRole + 2;

/** "gespeichert 08.12.2026 14:05", in the user's time. */
QString happened(const LetterArchive::Hit& hit)
{
    return LetterArchive::eventName(hit.event) + QLatin1Char(' ') +
           hit.when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString fileText(const LetterArchive::Hit& hit)
{
    // A letter printed before it was ever saved has no file to go back to.
    if (hit.path.isEmpty())
        return QStringLiteral("(ohne Datei)");
    const QString name = QFileInfo(hit.path).fileName();
    return hit.missing ? name + QStringLiteral(" (fehlt)") : name;
}

} // namespace

ArchiveDialog::ArchiveDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BriefablageDialog"));
    setWindowTitle(QStringLiteral("Briefablage"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("BriefablageSuche"));
    m_search->setPlaceholderText(QStringLiteral("Empfänger, Betreff oder Text suchen..."));
    m_search->setClearButtonEnabled(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("BriefablageListe"));
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Empfänger"),
                             QStringLiteral("Betreff"), QStringLiteral("Vorgang"),
                             QStringLiteral("Datei")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("BriefablageAnzahl"));
    m_open = new QPushButton(QStringLiteral("Öffnen"), this);
    m_open->setObjectName(QStringLiteral("BriefablageOeffnen"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_open, QDialogButtonBox::ActionRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count);
    layout->addWidget(buttons);
    resize(760, 420);

    connect(m_search, &QLineEdit::textChanged, this, &ArchiveDialog::searchChanged);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &ArchiveDialog::chosenChanged);
    connect(m_list, &QTreeWidget::itemActivated, this, &ArchiveDialog::openChosen);
    connect(m_open, &QPushButton::clicked, this, &ArchiveDialog::openChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    chosenChanged();
}

QString ArchiveDialog::words() const
{
    return m_search->text();
}

void ArchiveDialog::showHits(const std::vector<LetterArchive::Hit>& hits, const QString& problem)
{
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const LetterArchive::Hit& hit : hits) {
        auto* item = new QTreeWidgetItem;
        item->setText(Date, hit.letter.date);
        item->setText(Recipient, hit.letter.recipient.section(QLatin1Char('\n'), 0, 0));
        item->setText(Subject, hit.letter.subject);
        item->setText(Happened, happened(hit));
        item->setText(File, fileText(hit));
        item->setToolTip(File, QDir::toNativeSeparators(hit.path));
        item->setData(Date, kPathRole, hit.path);
        item->setData(Date, kEventRole, int(hit.event));
        item->setData(Date, kOpenableRole, !hit.path.isEmpty() && !hit.missing);
        if (hit.missing)
            item->setForeground(File, palette().brush(QPalette::Disabled, QPalette::Text));
        items << item;
    }
    m_list->addTopLevelItems(items);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.front());
    if (!problem.isEmpty())
        m_count->setText(problem);
    else if (hits.size() == 1)
        m_count->setText(QStringLiteral("1 Brief"));
    else
        m_count->setText(QStringLiteral("%1 Briefe").arg(hits.size()));
    chosenChanged();
}

void ArchiveDialog::chosenChanged()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    m_open->setEnabled(item && item->data(Date, kOpenableRole).toBool());
}

void ArchiveDialog::openChosen()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->data(Date, kOpenableRole).toBool())
        return;
    emit openRequested(item->data(Date, kPathRole).toString(),
                       LetterArchive::Event(item->data(Date, kEventRole).toInt()));
}

} // namespace quillory::app
