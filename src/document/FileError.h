#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace quillory::document {

/**
 * Why reading or writing a file failed, with the message the user sees.
 * Failures without a message of their own keep the system's error number
 * and read "I/O error <number>".
 */
class FileError
{
public:
    enum Kind {
        None,
        FileNotFound,
        InvalidFilename,
        TooManyOpenFiles,
        AccessDenied,
        ReadBeyondEnd,
        DiskFull,
        TooLarge,
        Other,
        NameTooLong,    ///< a name or path longer than the system takes
        IsFolder,       ///< a folder where a file is read or written
        FolderNotFound, ///< the folder the file is in does not exist
        Damaged,        ///< the content cannot have been written by the program
        NotRegularFile,
    };

    FileError() = default;
    explicit FileError(Kind kind) : m_kind(kind) {}
    static FileError other(int systemError) { return FileError(Other, systemError); }
    /** A file beyond what is read at all; the message names the bound. */
    static FileError tooLarge(qint64 maxBytes);
    /** A device, pipe or socket where a file is to be written; the message names path. */
    static FileError notRegularFile(const QString& path);

    Kind kind() const { return m_kind; }
    int systemError() const { return m_systemError; }
    bool isError() const { return m_kind != None; }
    explicit operator bool() const { return isError(); }

    /**
     * "Read beyond end of file", "Disk full", ..., "Datei zu groß (mehr als
     * N MB)", "Ordner nicht gefunden", ..., "„path“ ist keine gewöhnliche
     * Datei" or "I/O error %d".
     */
    QString message() const;

    /**
     * Classifies a failed open of path. systemError is errno as the C library
     * left it (0 when unknown, as on platforms whose file layer does not set
     * errno); without it the cause is found by looking at the path.
     */
    static FileError fromFailedOpen(const QString& path, bool forWriting, int systemError);

    /**
     * Classifies a failed write or commit from errno; a failure the file layer
     * did not explain (0) is a short write, "Disk full".
     */
    static FileError fromFailedWrite(int systemError);

    friend bool operator==(const FileError&, const FileError&) = default;

private:
    FileError(Kind kind, int systemError) : m_kind(kind), m_systemError(systemError) {}

    Kind m_kind = None;
    int m_systemError = 0;
    qint64 m_maxBytes = 0;
    QString m_path;
};

} // namespace quillory::document

namespace quillory::document {

/** A value, or the FileError that kept it from being made. */
template <typename T>
class FileResult
{
public:
    FileResult(T value) : m_value(std::move(value)) {}
    FileResult(FileError error) : m_error(error) { Q_ASSERT(error.isError()); }

    bool hasValue() const { return m_value.has_value(); }
    explicit operator bool() const { return hasValue(); }
    const T& operator*() const& { return *m_value; }
    T&& operator*() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    const FileError& error() const { return m_error; }

private:
    std::optional<T> m_value;
    FileError m_error;
};

} // namespace quillory::document
