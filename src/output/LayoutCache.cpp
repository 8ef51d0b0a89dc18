#include "LayoutCache.h"

namespace quillory::output {

std::shared_ptr<const layout::PageLayout> LayoutCache::layoutFor(const document::Letter& letter,
                                                                 const layout::ViewOptions& view,
                                                                 layout::LayoutKind kind,
                                                                 const layout::PrintedPage& page)
{
    Key key{letter,
            view.blankBeforeRecipientCity,
            view.signatureIsSenderName,
            view.signatureImage.isNull() ? 0 : view.signatureImage.cacheKey(),
            view.signatureHeightMm,
            view.letterheadImage.isNull() ? 0 : view.letterheadImage.cacheKey(),
            view.dateStyle,
            kind,
            page};
    if (m_key && *m_key == key)
        return m_layout;
    m_layout = std::make_shared<const layout::PageLayout>(
        layout::composeForPage(kind, letter, view, page));
    m_key = std::move(key);
    ++m_compositions;
    return m_layout;
}

} // namespace quillory::output
