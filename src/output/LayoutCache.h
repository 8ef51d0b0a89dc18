#pragma once

#include "document/Letter.h"
#include "layout/Composer.h"
#include "layout/PageLayout.h"
#include "layout/PrintedPage.h"

#include <memory>
#include <optional>

namespace quillory::output {

/**
 * The last composition of a letter, kept for as long as nothing it depends on
 * changes: the letter, the view choices, the layout and the printed page.
 * The preview, the page-number bound and printing ask the same cache, so
 * what the preview shows and what the printer gets are one composition, and
 * scrolling or zooming never composes again. A layout handed out stays whole
 * while its holder uses it, even if a paint in between composes anew (a print
 * job keeps the window painting).
 */
class LayoutCache
{
public:
    std::shared_ptr<const layout::PageLayout> layoutFor(const document::Letter& letter,
                                                        const layout::ViewOptions& view,
                                                        layout::LayoutKind kind,
                                                        const layout::PrintedPage& page);

    /** How many times a letter was composed; for tests and benchmarks. */
    int compositions() const { return m_compositions; }

private:
    struct Key
    {
        document::Letter letter;
        bool blankBeforeRecipientCity;
        bool signatureIsSenderName;
        qint64 signatureImage; // the image's cache key: equal keys, equal pixels
        int signatureHeightMm;
        qint64 letterheadImage; // as signatureImage
        layout::ViewOptions::DateStyle dateStyle;
        layout::LayoutKind kind;
        layout::PrintedPage page;
        friend bool operator==(const Key&, const Key&) = default;
    };

    std::optional<Key> m_key;
    std::shared_ptr<const layout::PageLayout> m_layout;
    int m_compositions = 0;
};

} // namespace quillory::output
