#include "text/font_face.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include FT_OUTLINE_H

namespace engine::text {

namespace {

// A table of the face, read as big-endian fields; empty when absent.
class TableReader {
public:
    TableReader(hb_face_t* face, hb_tag_t tag) : blob_(hb_face_reference_table(face, tag))
    {
        data_ = hb_blob_get_data(blob_, &length_);
    }
    ~TableReader() { hb_blob_destroy(blob_); }
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    bool has(unsigned int offset, unsigned int size) const { return data_ && offset + size <= length_; }
    int unsigned16(unsigned int offset) const
    {
        auto bytes = reinterpret_cast<const unsigned char*>(data_) + offset;
        return (bytes[0] << 8) | bytes[1];
    }
    int signed16(unsigned int offset) const { return static_cast<std::int16_t>(unsigned16(offset)); }

private:
    hb_blob_t* blob_;
    const char* data_ = nullptr;
    unsigned int length_ = 0;
};

// The cell the interface reports: the Windows ascent and descent of the OS/2
// table when the font has them, and the larger of that cell and the
// horizontal header's ascender, descender and line gap as the distance
// between baselines.
DesignMetrics readMetrics(hb_face_t* face)
{
    DesignMetrics metrics;
    metrics.unitsPerEm = static_cast<int>(hb_face_get_upem(face));
    TableReader horizontal(face, HB_TAG('h', 'h', 'e', 'a'));
    TableReader os2(face, HB_TAG('O', 'S', '/', '2'));
    TableReader post(face, HB_TAG('p', 'o', 's', 't'));

    int ascender = metrics.unitsPerEm * 4 / 5;
    int descender = metrics.unitsPerEm / 5;
    int lineGap = 0;
    if (horizontal.has(4, 6)) {
        ascender = horizontal.signed16(4);
        descender = -horizontal.signed16(6);
        lineGap = horizontal.signed16(8);
    }
    if (os2.has(74, 4) && (os2.unsigned16(74) != 0 || os2.unsigned16(76) != 0)) {
        metrics.cellAscent = os2.unsigned16(74);
        metrics.cellDescent = os2.unsigned16(76);
    } else {
        metrics.cellAscent = ascender;
        metrics.cellDescent = descender;
    }
    metrics.lineSpacing = std::max(metrics.cellAscent + metrics.cellDescent, ascender + descender + lineGap);

    if (post.has(8, 4) && post.signed16(10) > 0) {
        metrics.underlinePosition = post.signed16(8);
        metrics.underlineThickness = post.signed16(10);
    } else {
        metrics.underlinePosition = -metrics.unitsPerEm / 10;
        metrics.underlineThickness = std::max(1, metrics.unitsPerEm / 14);
    }
    if (os2.has(26, 4) && os2.signed16(26) > 0) {
        metrics.strikeoutThickness = os2.signed16(26);
        metrics.strikeoutPosition = os2.signed16(28);
    } else {
        metrics.strikeoutThickness = metrics.underlineThickness;
        metrics.strikeoutPosition = metrics.cellAscent / 3;
    }
    return metrics;
}

// A glyph's outline in FreeType's form, in 26.6 pixels, y upwards.
struct OutlineBuilder {
    float scaleX;
    float scaleY;
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contourEnds;

    void add(float x, float y, char tag)
    {
        points.push_back(FT_Vector{std::lround(x * scaleX), std::lround(y * scaleY)});
        tags.push_back(tag);
    }
    void endContour()
    {
        if (!points.empty() && (contourEnds.empty() || contourEnds.back() != static_cast<short>(points.size() - 1)))
            contourEnds.push_back(static_cast<short>(points.size() - 1));
    }
};

void moveTo(hb_draw_funcs_t*, void* data, hb_draw_state_t*, float x, float y, void*)
{
    auto* builder = static_cast<OutlineBuilder*>(data);
    builder->endContour();
    builder->add(x, y, FT_CURVE_TAG_ON);
}

void lineTo(hb_draw_funcs_t*, void* data, hb_draw_state_t*, float x, float y, void*)
{
    static_cast<OutlineBuilder*>(data)->add(x, y, FT_CURVE_TAG_ON);
}

void quadraticTo(
    hb_draw_funcs_t*, void* data, hb_draw_state_t*, float controlX, float controlY, float x, float y, void*)
{
    auto* builder = static_cast<OutlineBuilder*>(data);
    builder->add(controlX, controlY, FT_CURVE_TAG_CONIC);
    builder->add(x, y, FT_CURVE_TAG_ON);
}

void cubicTo(hb_draw_funcs_t*, void* data, hb_draw_state_t*, float control1X, float control1Y, float control2X,
    float control2Y, float x, float y, void*)
{
    auto* builder = static_cast<OutlineBuilder*>(data);
    builder->add(control1X, control1Y, FT_CURVE_TAG_CUBIC);
    builder->add(control2X, control2Y, FT_CURVE_TAG_CUBIC);
    builder->add(x, y, FT_CURVE_TAG_ON);
}

void closePath(hb_draw_funcs_t*, void* data, hb_draw_state_t*, void*)
{
    static_cast<OutlineBuilder*>(data)->endContour();
}

// The callbacks, made once: an immutable table HarfBuzz shares freely.
hb_draw_funcs_t* outlineFunctions()
{
    static hb_draw_funcs_t* functions = [] {
        hb_draw_funcs_t* made = hb_draw_funcs_create();
        hb_draw_funcs_set_move_to_func(made, moveTo, nullptr, nullptr);
        hb_draw_funcs_set_line_to_func(made, lineTo, nullptr, nullptr);
        hb_draw_funcs_set_quadratic_to_func(made, quadraticTo, nullptr, nullptr);
        hb_draw_funcs_set_cubic_to_func(made, cubicTo, nullptr, nullptr);
        hb_draw_funcs_set_close_path_func(made, closePath, nullptr, nullptr);
        hb_draw_funcs_make_immutable(made);
        return made;
    }();
    return functions;
}

} // namespace

std::shared_ptr<FontFace> FontFace::load(
    std::shared_ptr<FreeTypeLibrary> library, const FaceDescriptor& descriptor, std::uint32_t id)
{
    std::shared_ptr<FontFace> face(new FontFace());
    face->library_ = std::move(library);
    face->descriptor_ = descriptor;

    face->blob_ = hb_blob_create_from_file_or_fail(descriptor.file.c_str());
    if (!face->blob_)
        return nullptr;
    face->shapingFace_ = hb_face_create(face->blob_, static_cast<unsigned int>(descriptor.index) & 0xFFFF);
    // A file that is no font (or a face index past its collection) gives an
    // empty face: no glyphs to draw with.
    if (hb_face_get_glyph_count(face->shapingFace_) == 0)
        return nullptr;
    face->shapingFont_ = hb_font_create(face->shapingFace_);
    int unitsPerEm = static_cast<int>(hb_face_get_upem(face->shapingFace_));
    hb_font_set_scale(face->shapingFont_, unitsPerEm, unitsPerEm);
    unsigned int namedInstance = static_cast<unsigned int>(descriptor.index) >> 16;
    if (namedInstance > 0)
        hb_font_set_var_named_instance(face->shapingFont_, namedInstance - 1);
    hb_font_make_immutable(face->shapingFont_);

    face->metrics_ = readMetrics(face->shapingFace_);
    face->id_ = id;
    return face;
}

FontFace::~FontFace()
{
    if (shapingFont_)
        hb_font_destroy(shapingFont_);
    if (shapingFace_)
        hb_face_destroy(shapingFace_);
    if (blob_)
        hb_blob_destroy(blob_);
}

bool FontFace::hasCharacter(char32_t character) const
{
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(shapingFont_, character, &glyph) && glyph != 0;
}

bool FontFace::render(
    std::uint32_t glyph, float pixelsX, float pixelsY, int subpixelX, RasterMode mode, RasterGlyph& out)
{
    out = RasterGlyph{};
    float perUnit = 64.0f / static_cast<float>(metrics_.unitsPerEm);
    OutlineBuilder builder{pixelsX * perUnit, pixelsY * perUnit, {}, {}, {}};
    hb_font_get_glyph_shape(shapingFont_, glyph, outlineFunctions(), &builder);
    builder.endContour();
    if (builder.points.empty())
        return true;
    // FreeType counts points and contours in shorts.
    if (builder.points.size() > static_cast<std::size_t>(std::numeric_limits<short>::max()))
        return false;

    FT_Outline outline{};
    outline.n_points = static_cast<short>(builder.points.size());
    outline.n_contours = static_cast<short>(builder.contourEnds.size());
    outline.points = builder.points.data();
    outline.tags = builder.tags.data();
    outline.contours = builder.contourEnds.data();
    outline.flags = FT_OUTLINE_NONE;
    FT_Outline_Translate(&outline, subpixelX * 16, 0);

    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    int left = static_cast<int>(box.xMin >> 6);
    int bottom = static_cast<int>(box.yMin >> 6);
    int right = static_cast<int>((box.xMax + 63) >> 6);
    int top = static_cast<int>((box.yMax + 63) >> 6);
    int width = right - left;
    int height = top - bottom;
    if (width <= 0 || height <= 0)
        return true;
    // A glyph larger than any target could show is a broken outline or an
    // absurd size; refusing it keeps the allocation bounded.
    constexpr int largest = 1 << 14;
    if (width > largest || height > largest)
        return false;
    FT_Outline_Translate(&outline, -static_cast<FT_Pos>(left) * 64, -static_cast<FT_Pos>(bottom) * 64);

    bool monochrome = mode == RasterMode::Monochrome;
    int pitch = monochrome ? (width + 7) / 8 : width;
    std::vector<unsigned char> bits(static_cast<std::size_t>(pitch) * height, 0);
    FT_Bitmap bitmap{};
    bitmap.rows = static_cast<unsigned int>(height);
    bitmap.width = static_cast<unsigned int>(width);
    bitmap.pitch = pitch; // positive: the first row is the top one
    bitmap.buffer = bits.data();
    bitmap.num_grays = monochrome ? 2 : 256;
    bitmap.pixel_mode = monochrome ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
    if (FT_Outline_Get_Bitmap(library_->get(), &outline, &bitmap) != 0)
        return false;

    out.left = left;
    out.top = top;
    out.width = width;
    out.height = height;
    if (monochrome) {
        out.coverage.assign(static_cast<std::size_t>(width) * height, 0);
        for (int row = 0; row < height; ++row) {
            const unsigned char* source = bits.data() + static_cast<std::size_t>(row) * pitch;
            std::uint8_t* target = out.coverage.data() + static_cast<std::size_t>(row) * width;
            for (int column = 0; column < width; ++column)
                target[column] = (source[column >> 3] & (0x80 >> (column & 7))) ? 255 : 0;
        }
    } else {
        out.coverage.assign(bits.begin(), bits.end());
    }
    return true;
}

} // namespace engine::text
