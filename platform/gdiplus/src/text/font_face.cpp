#include "text/font_face.h"

#include <algorithm>
#include <cmath>

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace engine::text {

namespace {

// The cell the interface reports: the Windows ascent and descent when the
// font has an OS/2 table, and the larger of that cell and the horizontal
// header's ascender, descender and line gap as the baseline distance.
DesignMetrics readMetrics(FT_Face face)
{
    DesignMetrics metrics;
    metrics.unitsPerEm = face->units_per_EM;
    auto* horizontal = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));

    int ascender = horizontal ? horizontal->Ascender : face->ascender;
    int descender = horizontal ? -horizontal->Descender : -face->descender;
    int lineGap = horizontal ? horizontal->Line_Gap : std::max(0, face->height - ascender - descender);
    if (os2 && os2->version != 0xFFFF && (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
        metrics.cellAscent = os2->usWinAscent;
        metrics.cellDescent = os2->usWinDescent;
    } else {
        metrics.cellAscent = ascender;
        metrics.cellDescent = descender;
    }
    metrics.lineSpacing = std::max(metrics.cellAscent + metrics.cellDescent, ascender + descender + lineGap);

    metrics.underlinePosition = face->underline_position;
    metrics.underlineThickness = face->underline_thickness;
    if (metrics.underlineThickness <= 0)
        metrics.underlineThickness = std::max(1, metrics.unitsPerEm / 14);
    if (metrics.underlinePosition == 0)
        metrics.underlinePosition = -metrics.unitsPerEm / 10;
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        metrics.strikeoutPosition = os2->yStrikeoutPosition;
        metrics.strikeoutThickness = os2->yStrikeoutSize;
    } else {
        metrics.strikeoutPosition = metrics.cellAscent / 3;
        metrics.strikeoutThickness = metrics.underlineThickness;
    }
    return metrics;
}

}  // namespace

std::shared_ptr<FontFace> FontFace::load(std::shared_ptr<FreeTypeLibrary> library, const FaceDescriptor& descriptor,
                                          std::uint32_t id)
{
    std::shared_ptr<FontFace> face(new FontFace());
    face->library_ = std::move(library);
    face->descriptor_ = descriptor;

    // One mapping of the file serves both libraries: HarfBuzz maps it, and
    // FreeType reads the same memory instead of opening the file again.
    face->blob_ = hb_blob_create_from_file_or_fail(descriptor.file.c_str());
    if (!face->blob_)
        return nullptr;
    unsigned int length = 0;
    const char* data = hb_blob_get_data(face->blob_, &length);
    if (!data || length == 0)
        return nullptr;

    if (FT_New_Memory_Face(face->library_->get(), reinterpret_cast<const FT_Byte*>(data), static_cast<FT_Long>(length),
                           descriptor.index, &face->rasterFace_)
        != 0) {
        face->rasterFace_ = nullptr;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(face->rasterFace_) || face->rasterFace_->units_per_EM == 0)
        return nullptr;

    face->shapingFace_ = hb_face_create(face->blob_, static_cast<unsigned int>(descriptor.index) & 0xFFFF);
    face->shapingFont_ = hb_font_create(face->shapingFace_);
    int unitsPerEm = face->rasterFace_->units_per_EM;
    hb_font_set_scale(face->shapingFont_, unitsPerEm, unitsPerEm);
    unsigned int namedInstance = static_cast<unsigned int>(descriptor.index) >> 16;
    if (namedInstance > 0)
        hb_font_set_var_named_instance(face->shapingFont_, namedInstance - 1);
    hb_font_make_immutable(face->shapingFont_);

    face->metrics_ = readMetrics(face->rasterFace_);
    face->id_ = id;
    return face;
}

FontFace::~FontFace()
{
    if (shapingFont_)
        hb_font_destroy(shapingFont_);
    if (shapingFace_)
        hb_face_destroy(shapingFace_);
    if (rasterFace_)
        FT_Done_Face(rasterFace_);
    if (blob_)
        hb_blob_destroy(blob_);
}

bool FontFace::hasCharacter(char32_t character) const
{
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(shapingFont_, character, &glyph) && glyph != 0;
}

bool FontFace::render(std::uint32_t glyph, float pixelsX, float pixelsY, int subpixelX, RasterMode mode,
                      RasterGlyph& out)
{
    FT_F26Dot6 sizeX = std::max<FT_F26Dot6>(1, std::lround(pixelsX * 64.0f));
    FT_F26Dot6 sizeY = std::max<FT_F26Dot6>(1, std::lround(pixelsY * 64.0f));
    if (sizeX != currentSizeX_ || sizeY != currentSizeY_) {
        // At 72 dots per inch a point is a pixel, so these are pixels per em.
        if (FT_Set_Char_Size(rasterFace_, sizeX, sizeY, 72, 72) != 0)
            return false;
        currentSizeX_ = sizeX;
        currentSizeY_ = sizeY;
    }

    FT_Int32 loadFlags = FT_LOAD_NO_BITMAP;
    switch (mode) {
    case RasterMode::Smooth:
        loadFlags |= FT_LOAD_TARGET_LIGHT;
        break;
    case RasterMode::SmoothUnhinted:
        loadFlags |= FT_LOAD_NO_HINTING;
        break;
    case RasterMode::Monochrome:
        loadFlags |= FT_LOAD_TARGET_MONO;
        break;
    }
    if (FT_Load_Glyph(rasterFace_, glyph, loadFlags) != 0)
        return false;
    FT_GlyphSlot slot = rasterFace_->glyph;
    // Light hinting moves nothing horizontally, so the outline can be shifted
    // by a fraction of a pixel after hinting without undoing it.
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && subpixelX != 0)
        FT_Outline_Translate(&slot->outline, subpixelX * 16, 0);
    FT_Render_Mode renderMode = mode == RasterMode::Monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
    if (FT_Render_Glyph(slot, renderMode) != 0)
        return false;

    const FT_Bitmap& bitmap = slot->bitmap;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int row = 0; row < out.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::uint8_t* target = out.coverage.data() + static_cast<std::size_t>(row) * out.width;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int column = 0; column < out.width; ++column)
                target[column] = (source[column >> 3] & (0x80 >> (column & 7))) ? 255 : 0;
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            std::copy(source, source + out.width, target);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace engine::text
