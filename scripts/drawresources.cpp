// Draws the program's images (icons, the About picture, the splash logo) so
// that they can be made again at any time instead of being edited by hand.
// Every letter is drawn with the program's own 5x7 font, never a system
// font, so the output depends on nothing but this file and the font table.
//
// Usage: qxm-draw-resources OUTPUT-FOLDER

#include "core/chardata.h"
#include "core/glyphfont.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QMarginsF>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QRadialGradient>
#include <QRect>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

// One palette for every image, so the icon, the About picture and the splash
// logo look like the same display.
const QColor kLit(0xff, 0x3b, 0x1f);
const QColor kLitHot(0xff, 0xd2, 0xa8);
const QColor kLitEdge(0xc4, 0x22, 0x0c);
const QColor kUnlit(0x3a, 0x14, 0x10);
const QColor kUnlitEdge(0x24, 0x0c, 0x09);
const QColor kGlass(0x12, 0x0d, 0x0c);
const QColor kGlassDeep(0x08, 0x06, 0x06);
const QColor kBezelLight(0x4a, 0x48, 0x4c);
const QColor kBezelDark(0x1c, 0x1b, 0x1e);

// A rectangle of LED positions, lit or not, top row first.
class DotPattern
{
public:
    DotPattern(int columns, int rows)
        : m_columns(columns)
        , m_rows(rows)
        , m_lit(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), false)
    {
    }

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    bool Lit(int column, int row) const { return m_lit[Index(column, row)]; }
    void SetLit(int column, int row) { m_lit[Index(column, row)] = true; }

private:
    // Widened before multiplying, so that a large picture cannot overflow int.
    std::size_t Index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(column);
    }

    int m_columns;
    int m_rows;
    std::vector<bool> m_lit;
};

// The text as the display shows it: glyphs one dark column apart, inside a
// border of dark LEDs `margin` dots wide so the letters sit in a larger panel.
DotPattern TextDots(std::string_view text, int marginColumns, int marginRows)
{
    const qxm::GlyphFont &font = qxm::BuiltInFont();
    const int glyphs = static_cast<int>(text.size());
    const int textColumns = glyphs * font.cell.width + std::max(glyphs - 1, 0);
    DotPattern dots(textColumns + 2 * marginColumns, font.cell.height + 2 * marginRows);
    int left = marginColumns;
    for (const char character : text) {
        const auto &glyph = font.glyphs[static_cast<unsigned char>(character)];
        if (!glyph) {
            std::fprintf(stderr, "no glyph for character code %u\n", static_cast<unsigned char>(character));
            std::exit(1);
        }
        for (int column = 0; column < glyph->Width(); ++column) {
            for (int row = 0; row < glyph->Height(); ++row) {
                if (glyph->Dot(column, row))
                    dots.SetLit(left + column, marginRows + row);
            }
        }
        left += font.cell.width + 1;
    }
    return dots;
}

QImage NewImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The dark case with a bevelled edge and the display glass inside it; returns
// the glass rectangle and leaves the painter clipped to the glass, so the
// glow of the LEDs cannot spill onto the case or outside the image's shape.
QRectF DrawPanel(QPainter &painter, const QRectF &outer, double radius, double bezel)
{
    painter.setPen(Qt::NoPen);

    QLinearGradient caseShade(outer.topLeft(), outer.bottomLeft());
    caseShade.setColorAt(0.0, kBezelLight);
    caseShade.setColorAt(1.0, kBezelDark);
    painter.setBrush(caseShade);
    painter.drawRoundedRect(outer, radius, radius);

    const QRectF glass = outer.adjusted(bezel, bezel, -bezel, -bezel);
    const double glassRadius = std::max(radius - bezel, 0.0);
    QLinearGradient glassShade(glass.topLeft(), glass.bottomLeft());
    glassShade.setColorAt(0.0, kGlassDeep);
    glassShade.setColorAt(1.0, kGlass);
    painter.setBrush(glassShade);
    QPainterPath glassShape;
    glassShape.addRoundedRect(glass, glassRadius, glassRadius);
    painter.drawPath(glassShape);

    painter.setClipPath(glassShape);
    return glass;
}

struct LedLook
{
    double pitch;    // centre to centre
    double diameter; // of one LED
    double glow;     // how far the light of a lit LED reaches, in pitches
    bool shine;      // a small reflection on each lens; only worth it when big
};

// Draws the pattern with the top left LED centred on `first`.
void DrawLeds(QPainter &painter, const DotPattern &dots, QPointF first, const LedLook &look)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const double radius = look.diameter / 2.0;
    auto centre = [&](int column, int row) {
        return QPointF(first.x() + column * look.pitch, first.y() + row * look.pitch);
    };

    // Dark LEDs first: a dull lens, slightly lighter towards the top left.
    for (int row = 0; row < dots.Rows(); ++row) {
        for (int column = 0; column < dots.Columns(); ++column) {
            if (dots.Lit(column, row))
                continue;
            const QPointF c = centre(column, row);
            QRadialGradient lens(c, radius, c - QPointF(radius * 0.3, radius * 0.3));
            lens.setColorAt(0.0, kUnlit.lighter(125));
            lens.setColorAt(0.7, kUnlit);
            lens.setColorAt(1.0, kUnlitEdge);
            painter.setBrush(lens);
            painter.drawEllipse(c, radius, radius);
        }
    }

    // The glow adds light, so where two lit LEDs meet the glass is brighter,
    // as on a real display.
    if (look.glow > 0) {
        painter.setCompositionMode(QPainter::CompositionMode_Plus);
        const double reach = look.glow * look.pitch;
        for (int row = 0; row < dots.Rows(); ++row) {
            for (int column = 0; column < dots.Columns(); ++column) {
                if (!dots.Lit(column, row))
                    continue;
                const QPointF c = centre(column, row);
                QRadialGradient halo(c, reach);
                halo.setColorAt(0.0, QColor(kLit.red(), kLit.green(), kLit.blue(), 80));
                halo.setColorAt(0.45, QColor(kLit.red(), kLit.green(), kLit.blue(), 26));
                halo.setColorAt(1.0, QColor(kLit.red(), kLit.green(), kLit.blue(), 0));
                painter.setBrush(halo);
                painter.drawEllipse(c, reach, reach);
            }
        }
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    for (int row = 0; row < dots.Rows(); ++row) {
        for (int column = 0; column < dots.Columns(); ++column) {
            if (!dots.Lit(column, row))
                continue;
            const QPointF c = centre(column, row);
            QRadialGradient lens(c, radius, c - QPointF(radius * 0.2, radius * 0.2));
            lens.setColorAt(0.0, kLitHot);
            lens.setColorAt(0.35, kLit.lighter(115));
            lens.setColorAt(0.75, kLit);
            lens.setColorAt(1.0, kLitEdge);
            painter.setBrush(lens);
            painter.drawEllipse(c, radius, radius);
            if (look.shine) {
                const double shineRadius = radius * 0.28;
                const QPointF shineCentre = c - QPointF(radius * 0.38, radius * 0.38);
                QRadialGradient shine(shineCentre, shineRadius);
                shine.setColorAt(0.0, QColor(255, 255, 255, 170));
                shine.setColorAt(1.0, QColor(255, 255, 255, 0));
                painter.setBrush(shine);
                painter.drawEllipse(shineCentre, shineRadius, shineRadius);
            }
        }
    }
    painter.restore();
}

// Places the pattern centred on `centre`.
void DrawLedsCentred(QPainter &painter, const DotPattern &dots, QPointF centre, const LedLook &look)
{
    const QPointF first(centre.x() - (dots.Columns() - 1) * look.pitch / 2.0,
                        centre.y() - (dots.Rows() - 1) * look.pitch / 2.0);
    DrawLeds(painter, dots, first, look);
}

// Fills `area` with as many LEDs as fit, the text in the middle and the rest
// dark, like one module of a larger display.
void DrawModule(QPainter &painter, const QRectF &area, std::string_view text, const LedLook &look)
{
    const DotPattern bare = TextDots(text, 0, 0);
    auto fit = [&](double length, int used) {
        int count = static_cast<int>(std::floor((length - look.diameter) / look.pitch)) + 1;
        // Equal dark borders on both sides need an even number of spare LEDs.
        if ((count - used) % 2)
            --count;
        return std::max((count - used) / 2, 0);
    };
    const DotPattern dots = TextDots(text, fit(area.width(), bare.Columns()), fit(area.height(), bare.Rows()));
    DrawLedsCentred(painter, dots, area.center(), look);
}

// The program icon: the letter Q in the middle of a 7x7 patch of a display.
// Each size is tuned so the LEDs land on whole pixels and stay sharp.
struct IconLayout
{
    int size;
    int pitch;
    double diameter;
    double inset;  // transparent border around the case
    double radius; // of the case corners
    double bezel;
    double glow;
};

QImage DrawIcon(const IconLayout &layout)
{
    QImage image = NewImage(layout.size, layout.size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(layout.inset, layout.inset, layout.size - 2 * layout.inset, layout.size - 2 * layout.inset);
    DrawPanel(painter, outer, layout.radius, layout.bezel);
    const DotPattern dots = TextDots("Q", 1, 0);
    const double span = (dots.Columns() - 1) * layout.pitch + layout.diameter;
    // Whole-pixel start so odd and even diameters both end on pixel edges.
    const double start = std::floor((layout.size - span) / 2.0);
    const QPointF first(start + layout.diameter / 2.0, start + layout.diameter / 2.0);
    DrawLeds(painter, dots, first, {double(layout.pitch), layout.diameter, layout.glow, layout.size >= 128});
    return image;
}

// Blends `over` at strength `amount` (0..1) onto `base`.
QColor Mix(const QColor &base, const QColor &over, double amount)
{
    auto channel = [&](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * amount)); };
    return QColor(channel(base.red(), over.red()), channel(base.green(), over.green()),
                  channel(base.blue(), over.blue()), channel(base.alpha(), over.alpha()));
}

// For the tiny images an antialiased circle is a smudge, so these are set
// pixel by pixel: one pixel per LED, one pixel of glass between LEDs, and the
// glass next to lit LEDs tinted as their glow. Fills `glass` and puts the top
// left LED at `first`.
void DrawPixelLeds(QImage &image, const QRect &glass, const DotPattern &dots, QPoint first)
{
    auto ledAt = [&](int x, int y, bool *lit) {
        const int dx = x - first.x();
        const int dy = y - first.y();
        if (dx < 0 || dy < 0 || dx % 2 || dy % 2 || dx / 2 >= dots.Columns() || dy / 2 >= dots.Rows())
            return false;
        *lit = dots.Lit(dx / 2, dy / 2);
        return true;
    };
    auto litAt = [&](int x, int y) {
        bool lit = false;
        return ledAt(x, y, &lit) && lit;
    };
    for (int y = glass.top(); y <= glass.bottom(); ++y) {
        for (int x = glass.left(); x <= glass.right(); ++x) {
            bool lit = false;
            if (ledAt(x, y, &lit)) {
                image.setPixelColor(x, y, lit ? kLit : kUnlit);
                continue;
            }
            // Glass between two lit LEDs of one stroke glows most, so the
            // strokes of a letter hold together at this size.
            double light = 0;
            if ((litAt(x - 1, y) && litAt(x + 1, y)) || (litAt(x, y - 1) && litAt(x, y + 1)))
                light = 0.38;
            else if (litAt(x - 1, y) || litAt(x + 1, y) || litAt(x, y - 1) || litAt(x, y + 1))
                light = 0.14;
            for (int dy = -1; dy <= 1; dy += 2)
                for (int dx = -1; dx <= 1; dx += 2)
                    if (litAt(x + dx, y + dy))
                        light += 0.05;
            image.setPixelColor(x, y, Mix(kGlass, kLit, std::min(light, 0.45)));
        }
    }
}

// Makes the corner pixels of a pixel-drawn case see-through in part, which
// at this size reads as a rounded corner.
void SoftenCorners(QImage &image, const QRect &outer, int alpha)
{
    for (const QPoint corner : {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()}) {
        QColor colour = image.pixelColor(corner);
        colour.setAlpha(alpha);
        image.setPixelColor(corner, colour);
    }
}

// The 16 pixel icon: the same 7x7 patch as the bigger sizes, with the case
// as a one pixel rim.
QImage DrawIcon16()
{
    QImage image = NewImage(16, 16);
    // The case covers pixels 1..15 so that the LEDs, on the even pixels
    // 2..14, sit in the middle of it.
    const QRect outer(1, 1, 15, 15);
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        const QColor rim = Mix(kBezelLight, kBezelDark, double(y - outer.top()) / (outer.height() - 1));
        for (int x = outer.left(); x <= outer.right(); ++x)
            image.setPixelColor(x, y, rim);
    }
    DrawPixelLeds(image, outer.adjusted(1, 1, -1, -1), TextDots("Q", 1, 0), QPoint(2, 2));
    SoftenCorners(image, outer, 110);
    return image;
}

// The little picture beside the maker's name in the main window, on the
// highlight colour: a strip of display glass with the program's initial.
// Seven rows of LEDs with glass between them take 13 of the 14 pixels, so
// the glass shows only above the top row.
QImage DrawPicture1()
{
    QImage image = NewImage(20, 14);
    const QRect outer(0, 0, 20, 14);
    DrawPixelLeds(image, outer, TextDots("Q", 2, 0), QPoint(1, 1));
    SoftenCorners(image, outer, 120);
    return image;
}

// The same at twice the size for high-DPI screens: each LED of the small
// one becomes a round LED over a square of 2 by 2 pixels, so both show the
// same letter in the same place.
QImage DrawPicture1Twice()
{
    QImage image = NewImage(40, 28);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(image.rect(), kGlass);
        DrawLeds(painter, TextDots("Q", 2, 0), QPointF(3, 3), {4, 3, 0.9, false});
    }
    SoftenCorners(image, QRect(0, 0, 40, 28), 120);
    return image;
}

// A display panel with the name in big LEDs at the top and a line of small
// ones along the bottom: the About picture and the splash logo.
struct NamePanel
{
    QSize size;
    double radius;
    double bezel;
    QMarginsF glassMargins; // between the glass's edge and the LED modules
    LedLook big;
    LedLook small;
    const char *smallText;
};

// `scale` 2 draws the same picture for high-DPI screens, at twice as many
// pixels each way.
QImage DrawNamePanel(const NamePanel &panel, int scale)
{
    QImage image = NewImage(panel.size.width() * scale, panel.size.height() * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF glass = DrawPanel(painter, QRectF(QPointF(0, 0), panel.size), panel.radius, panel.bezel);
    const QRectF inner = glass.marginsRemoved(panel.glassMargins);
    const double bigHeight = 8 * panel.big.pitch + panel.big.diameter;
    const double smallHeight = 6 * panel.small.pitch + panel.small.diameter;
    DrawModule(painter, QRectF(inner.left(), inner.top(), inner.width(), bigHeight), "QXM", panel.big);
    DrawModule(painter, QRectF(inner.left(), inner.bottom() - smallHeight, inner.width(), smallHeight), panel.smallText,
               panel.small);
    return image;
}

// The big picture at the top of the About window, on dark blue.
QImage DrawAboutPicture(int scale)
{
    return DrawNamePanel(
        {QSize(487, 261), 16, 9, QMarginsF(14, 8, 14, 7), {19, 14, 1.15, true}, {7, 5, 1.0, false}, "5x7 LED"}, scale);
}

// The splash screen logo, on the light grey window colour.
QImage DrawSplashLogo(int scale)
{
    return DrawNamePanel(
        {QSize(259, 156), 12, 6, QMarginsF(6, 5, 6, 4), {11, 8, 1.15, true}, {5, 4, 1.0, false}, "LED DATA"}, scale);
}

bool Save(const QImage &image, const QDir &folder, const char *name)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    // Straight (not premultiplied) alpha is what PNG stores; converting here
    // keeps the file the same whatever format the drawing used.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

void AppendLittleEndian(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// One icon image as Windows stores it in an .ico: a 32-bit bottom-up DIB of
// twice the height (the colour rows, then the 1-bit transparency mask that
// renderers without alpha still read).
QByteArray IcoBitmap(const QImage &icon)
{
    const QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = (width + 31) / 32 * 4;
    QByteArray bytes;
    AppendLittleEndian(bytes, 40, 4); // BITMAPINFOHEADER
    AppendLittleEndian(bytes, static_cast<quint32>(width), 4);
    AppendLittleEndian(bytes, static_cast<quint32>(2 * height), 4);
    AppendLittleEndian(bytes, 1, 2);  // planes
    AppendLittleEndian(bytes, 32, 2); // bits per pixel
    AppendLittleEndian(bytes, 0, 4);  // BI_RGB
    AppendLittleEndian(bytes, static_cast<quint32>(height * (width * 4 + maskStride)), 4);
    bytes.append(16, '\0'); // resolution and palette: unused
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            AppendLittleEndian(bytes, image.pixel(x, y), 4); // B, G, R, A
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        bytes.append(row);
    }
    return bytes;
}

// The Windows program icon: every size in one file. The 256-pixel image goes
// in as PNG, as Windows expects for that size; the smaller ones as bitmaps,
// which every Windows version and resource compiler reads.
bool SaveIco(const std::vector<QImage> &icons, const QDir &folder, const char *name)
{
    std::vector<QByteArray> images;
    for (const QImage &icon : icons) {
        if (icon.width() < 256) {
            images.push_back(IcoBitmap(icon));
            continue;
        }
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !icon.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
            std::fprintf(stderr, "cannot encode the %dx%d icon\n", icon.width(), icon.height());
            return false;
        }
        images.push_back(png);
    }

    QByteArray ico;
    AppendLittleEndian(ico, 0, 2); // reserved
    AppendLittleEndian(ico, 1, 2); // an icon, not a cursor
    AppendLittleEndian(ico, static_cast<quint32>(icons.size()), 2);
    auto offset = static_cast<quint32>(6 + 16 * icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        // A size byte of 0 means 256.
        AppendLittleEndian(ico, static_cast<quint32>(icons[i].width() % 256), 1);
        AppendLittleEndian(ico, static_cast<quint32>(icons[i].height() % 256), 1);
        AppendLittleEndian(ico, 0, 2);  // no palette
        AppendLittleEndian(ico, 1, 2);  // planes
        AppendLittleEndian(ico, 32, 2); // bits per pixel
        AppendLittleEndian(ico, static_cast<quint32>(images[i].size()), 4);
        AppendLittleEndian(ico, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray &image : images)
        ico.append(image);

    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(ico) != ico.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argc > 0 ? argv[0] : "qxm-draw-resources");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    const IconLayout icons[] = {
        // size pitch diameter inset radius bezel glow
        {32, 4, 3, 0, 5, 1.5, 0.8},
        {48, 6, 5, 1, 7, 2, 0.9},
        {128, 14, 11, 4, 18, 4, 1.1},
        {256, 28, 22, 8, 36, 8, 1.1},
    };

    std::vector<QImage> iconImages{DrawIcon16()};
    for (const IconLayout &layout : icons)
        iconImages.push_back(DrawIcon(layout));
    bool ok = true;
    for (const QImage &icon : iconImages) {
        const QByteArray name = "qxm-" + QByteArray::number(icon.width()) + ".png";
        ok = Save(icon, folder, name.constData()) && ok;
    }
    ok = SaveIco(iconImages, folder, "qxm.ico") && ok;
    // Each picture also at twice the size, which Qt's "@2x" name convention
    // picks on high-DPI screens.
    ok = Save(DrawPicture1(), folder, "picture1.png") && ok;
    ok = Save(DrawPicture1Twice(), folder, "picture1@2x.png") && ok;
    ok = Save(DrawAboutPicture(1), folder, "picicon.png") && ok;
    ok = Save(DrawAboutPicture(2), folder, "picicon@2x.png") && ok;
    ok = Save(DrawSplashLogo(1), folder, "imglogo.png") && ok;
    ok = Save(DrawSplashLogo(2), folder, "imglogo@2x.png") && ok;
    return ok ? 0 : 1;
}
