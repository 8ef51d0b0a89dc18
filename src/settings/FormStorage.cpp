#include "FormStorage.h"

#include "SettingsEncoding.h"
#include "StoredProperties.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace quillory::settings {
namespace {

using namespace SettingsEncoding;

const QString kFormVersion = QStringLiteral("FormVersion");
const QString kFlags = QStringLiteral("Flags");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kPixelsPerInch = QStringLiteral("PixelsPerInch");
const QString kMinMaxPos = QStringLiteral("MinMaxPos");
const QString kNormPos = QStringLiteral("NormPos");
const QString kVisible = QStringLiteral("Visible");
const QString kEnvelopeGroup = QStringLiteral("Fensterumschlag");
const QString kEnvelope = QStringLiteral("Umschlag");

QString screenSuffix(const ScreenInfo& screen)
{
    return QStringLiteral("(%1x%2)").arg(screen.size.width()).arg(screen.size.height());
}

/** Reads the values that decide whether a restore can go on; any failure ends it. */
class StrictReader
{
public:
    explicit StrictReader(SettingsBackend& backend) : m_backend(backend) {}

    /** The text of the value, nothing when missing; sets error() on failure. */
    std::optional<QString> read(const QString& name)
    {
        if (!m_error.isEmpty())
            return std::nullopt;
        const StoredValue value = m_backend.read(name);
        switch (value.kind) {
        case StoredValue::Text:
            return value.text;
        case StoredValue::Missing:
            return std::nullopt;
        case StoredValue::WrongType:
            m_error = QStringLiteral("Ungültiger Datentyp für '%1'").arg(name);
            break;
        case StoredValue::Unreadable:
            m_error = QStringLiteral("Konnte Daten für '%1' nicht holen").arg(name);
            break;
        }
        return std::nullopt;
    }

    int readInt(const QString& name, int fallback)
    {
        const std::optional<QString> text = read(name);
        if (!text)
            return fallback;
        bool ok = false;
        const int value = trimmed(*text).toInt(&ok);
        return ok ? value : fallback;
    }

    /** The suffixed name first, the plain one when that is missing or empty. */
    std::optional<QString> readPosition(const QString& name, const ScreenInfo& screen)
    {
        std::optional<QString> text = read(name + screenSuffix(screen));
        if (!text || text->isEmpty())
            text = read(name);
        if (text && text->isEmpty())
            return std::nullopt;
        return text;
    }

    const QString& error() const { return m_error; }

private:
    SettingsBackend& m_backend;
    QString m_error;
};

/**
 * Stored edges are held to this far from the origin, beyond any desktop but
 * small enough that a width or a right edge computed from them fits an int.
 */
constexpr qint64 kEdgeLimit = qint64(1) << 24;

/** Four whole numbers separated by blanks or commas; a missing or bad word takes its default. */
std::array<qint64, 4> fourNumbers(const QString& text, const std::array<qint64, 4>& defaults)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList words = text.split(separators, Qt::SkipEmptyParts);
    std::array<qint64, 4> numbers = defaults;
    for (int i = 0; i < 4 && i < words.size(); ++i) {
        bool ok = false;
        const qint64 value = words[i].toLongLong(&ok);
        if (ok)
            numbers[i] = qBound(-kEdgeLimit, value, kEdgeLimit);
    }
    return numbers;
}

WindowPlacement::ShowCommand stateFromShowCommand(int showCommand)
{
    switch (showCommand) {
    case 2:
    case 6:
    case 7:
        return WindowPlacement::Minimized;
    case 3:
        return WindowPlacement::Maximized;
    default:
        return WindowPlacement::Normal; // 1, 5, 9 and anything unknown
    }
}

QString pointPair(QPoint a, QPoint b)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y());
}

} // namespace

FormStorage::RestoreResult FormStorage::restore(document::Letter& letter, ViewChoices& view,
                                                const WindowPlacement& current,
                                                const ScreenInfo& screen)
{
    m_saved = false;
    RestoreResult result;
    StrictReader reader(m_backend);

    const int version = reader.readInt(kFormVersion, 0);
    if (!reader.error().isEmpty()) {
        result.error = reader.error();
        return result;
    }
    if (version >= 0) {
        RestoredPlacement placement;
        reader.readInt(kFlags, current.flags); // kept for the file; Qt has no use for it
        const std::optional<QString> minMax = reader.readPosition(kMinMaxPos, screen);
        const std::optional<QString> normal = reader.readPosition(kNormPos, screen);
        const int storedPpi = reader.readInt(kPixelsPerInch, screen.pixelsPerInch);
        const int showCommand = reader.readInt(kShowCmd, 0);
        if (!reader.error().isEmpty()) {
            result.error = reader.error();
            return result;
        }
        // A position stored at another resolution would come out at the wrong size.
        if ((minMax || normal) && storedPpi == screen.pixelsPerInch) {
            const QRect& r = current.normalGeometry;
            const auto edges = fourNumbers(
                normal.value_or(QString()),
                {r.left(), r.top(), qint64(r.left()) + r.width(), qint64(r.top()) + r.height()});
            // The window puts the rectangle on a screen; here it only has to fit an int.
            if (edges[0] < edges[2])
                placement.normalGeometry =
                    QRect(int(edges[0]), int(edges[1]), int(edges[2] - edges[0]),
                          int(edges[3] - edges[1]));
        }
        placement.state = stateFromShowCommand(showCommand);
        result.placement = placement;

        for (const StoredProperty& property : storedProperties(letter, view)) {
            const QString fallback = trimmed(property.encode());
            const StoredValue value = m_backend.read(property.name);
            if (value.kind == StoredValue::Text)
                property.decode(trimmed(value.text));
            else if (value.kind == StoredValue::Missing)
                property.decode(fallback);
            // A value that cannot be read leaves its field as it is.
        }
        // A choice of its own: whatever is wrong with it leaves the window's.
        const StoredValue envelope = m_backend.readIn(kEnvelopeGroup, kEnvelope);
        if (envelope.kind == StoredValue::Text)
            view.envelope = trimmed(envelope.text);
    }
    m_restored = true;
    return result;
}

QString FormStorage::save(const document::Letter& letter, const ViewChoices& view,
                          const WindowPlacement& placement, const ScreenInfo& screen)
{
    if (!m_restored)
        return QString();
    return write(letter, view, placement, screen, false);
}

QString FormStorage::saveOnDestroy(const document::Letter& letter, const ViewChoices& view,
                                   const WindowPlacement& placement, const ScreenInfo& screen)
{
    if (!m_restored || m_saved)
        return QString();
    return write(letter, view, placement, screen, true);
}

QString FormStorage::write(const document::Letter& letter, const ViewChoices& view,
                           const WindowPlacement& placement, const ScreenInfo& screen, bool visible)
{
    if (!m_backend.createGroup())
        return QStringLiteral("Erzeugung von Schlüssel %1 misslungen")
            .arg(SettingsBackend::groupName());

    const QRect& r = placement.normalGeometry;
    const QString suffix = screenSuffix(screen);
    const QString minMax = pointPair(placement.minimizedPosition, placement.maximizedPosition);
    const QString normal =
        pointPair(r.topLeft(), QPoint(r.left() + r.width(), r.top() + r.height()));
    std::vector<std::pair<QString, QString>> values = {
        {kFormVersion, QStringLiteral("0")},
        {kFlags, QString::number(placement.flags)},
        {kShowCmd, QString::number(placement.showCommand)},
        {kPixelsPerInch, QString::number(screen.pixelsPerInch)},
        {kMinMaxPos + suffix, minMax},
        {kMinMaxPos, minMax},
        {kNormPos + suffix, normal},
        {kNormPos, normal},
        {kVisible, visible ? QStringLiteral("1") : QStringLiteral("0")},
    };
    // The property table reads through references; copies keep the caller's values const.
    document::Letter letterCopy = letter;
    ViewChoices viewCopy = view;
    for (const StoredProperty& property : storedProperties(letterCopy, viewCopy))
        values.emplace_back(property.name, trimmed(property.encode()));

    for (const auto& [name, text] : values) {
        if (!m_backend.write(name, text))
            return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
    }
    if (!view.envelope.isEmpty() && !m_backend.writeIn(kEnvelopeGroup, kEnvelope, view.envelope))
        return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kEnvelope);
    if (!m_backend.flush())
        return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(values.back().first);
    m_saved = true;
    return QString();
}

} // namespace quillory::settings
