#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

class QPdfWriter;

namespace quillory::document {
struct Letter;
}

namespace quillory::output {

/** The PDF flavour a letter is written in. */
enum class PdfVersion {
    A1b,   ///< PDF/A-1b, for archives and authorities: fonts embedded, sRGB, XMP
    Plain, ///< plain PDF 1.4, for whoever needs it
};

/**
 * What a PDF says about itself, so that file managers and archives can show
 * and search it: title, author, creator and the moment it was made, the same
 * in the document information and, for PDF/A, in the XMP packet.
 *
 * Qt 6.4's PDF writer knows no author and dates its document information
 * itself, when painting begins. So the writer is given the XMP packet made
 * here, and once it has finished, the document information it wrote is
 * replaced by one made from the same values (complete()); a PDF/A whose two
 * records disagree, even by a second, is invalid.
 */
class PdfMetadata
{
public:
    static constexpr const char* kCreator = "Quillory";

    explicit PdfMetadata(const QString& title, const QString& author = QString(),
                         const QDateTime& created = QDateTime::currentDateTime());

    /** A letter's: the subject as title ("Brief" without one), the sender as author. */
    static PdfMetadata forLetter(const document::Letter& letter,
                                 const QDateTime& created = QDateTime::currentDateTime());

    const QString& title() const { return m_title; }
    const QString& author() const { return m_author; }

    /** Sets the writer's version and metadata; before painting on it begins. */
    void applyTo(QPdfWriter& writer, PdfVersion version) const;

    /**
     * The PDF the writer set up by applyTo() wrote, with its document
     * information made complete; nothing when the PDF is not laid out as Qt
     * writes it.
     */
    std::optional<QByteArray> complete(const QByteArray& pdf) const;

    /** The XMP packet of a PDF/A. */
    QByteArray xmp() const;

private:
    QByteArray documentInformation() const;

    QString m_title;
    QString m_author;
    QDateTime m_created;
};

} // namespace quillory::output
