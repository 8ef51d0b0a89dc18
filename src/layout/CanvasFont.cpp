#include "CanvasFont.h"

namespace quillory::layout {

CanvasFont CanvasFont::fromLetterFont(const document::LetterFont& font)
{
    CanvasFont result;
    result.face = font.face();
    result.points = font.pointSize();
    result.style = font.style();
    result.color = font.color();
    result.charset = font.charset();
    result.pitch = font.pitch();
    return result;
}

} // namespace quillory::layout
