// Draws every picture Delvoran shows and writes them as PNG files.
//
// Usage: delvoran_draw_art OUTPUT_FOLDER
//
// The game's own pictures go straight into OUTPUT_FOLDER; the program icon for
// the desktop's icon theme, at 32 to 256 pixels, goes into OUTPUT_FOLDER/icons.
//
// The pictures are small and seen at 1:1, so most of them are drawn as pixel
// art: antialiasing off, whole-pixel coordinates, one-pixel outlines. Only the
// round badges and the pencil are antialiased, because curves and a rotated
// shape look ragged otherwise. Nothing here is random, so running the program
// twice gives byte-identical files.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRadialGradient>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

// Window background; the corner mask and shading patterns must match it.
constexpr QColor Face(236, 233, 216);
constexpr QColor White(255, 255, 255);
constexpr QColor Black(0, 0, 0);
constexpr QColor MarkRed(255, 0, 0);

constexpr QColor GrassLight(126, 200, 72);
constexpr QColor Grass(84, 168, 52);
constexpr QColor GrassDark(52, 128, 36);

constexpr QColor WoodLight(204, 150, 90);
constexpr QColor Wood(172, 116, 62);
constexpr QColor WoodDark(132, 84, 40);
constexpr QColor WoodOutline(74, 44, 20);

constexpr QColor EarthLight(150, 104, 66);
constexpr QColor Earth(120, 80, 48);
constexpr QColor EarthDark(88, 56, 32);
constexpr QColor EarthOutline(60, 38, 22);

constexpr QColor RopeLight(196, 194, 184);
constexpr QColor Rope(160, 158, 148);
constexpr QColor RopeDark(100, 98, 92);

constexpr QColor Outline(44, 30, 24);
constexpr QColor Skin(252, 216, 176);
constexpr QColor SkinShade(230, 184, 142);
constexpr QColor Hair(126, 74, 34);
constexpr QColor HairDark(88, 50, 22);
constexpr QColor Tear(120, 190, 255);
constexpr QColor Shirt(48, 204, 224);
constexpr QColor ShirtShade(24, 152, 178);
constexpr QColor Trousers(56, 150, 64);
constexpr QColor TrousersShade(34, 108, 44);
constexpr QColor Shoe(136, 136, 136);
constexpr QColor ShoeDark(88, 88, 88);

constexpr QColor SignYellow(255, 214, 40);
constexpr QColor TickGreen(46, 160, 60);
constexpr QColor CrossRed(206, 44, 40);
constexpr QColor QuestionBlue(40, 104, 208);

constexpr QColor PaperOutline(128, 128, 128);
constexpr QColor PaperFold(218, 218, 218);
constexpr QColor LetterBlue(36, 84, 200);
constexpr QColor LetterBlueDark(20, 52, 140);
constexpr QColor PencilYellow(250, 200, 40);
constexpr QColor PencilYellowLight(255, 230, 120);
constexpr QColor PencilYellowDark(200, 148, 20);
constexpr QColor PencilWood(238, 200, 150);
constexpr QColor Graphite(60, 60, 60);
constexpr QColor Ferrule(170, 170, 176);
constexpr QColor Eraser(240, 140, 160);

constexpr QSize StageSize(146, 227);
constexpr QSize IconSize(32, 32);
constexpr int StageCount = 9;
// The sizes of the program icon in the desktop's icon theme.
constexpr std::array ProgramIconSizes = {32, 48, 64, 128, 256};
constexpr int GrassTop = 208;
constexpr int CornerRadius = 10;

// The hanged figure is mirror-symmetric around this pixel column.
constexpr int FigureX = 109;
constexpr int Left = -1;
constexpr int Right = 1;

// ---------------------------------------------------------------- helpers

using DrawFunction = void (*)(QPainter&);

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void outlinedRect(QPainter& p, const QRect& r, const QColor& fill, const QColor& outline)
{
    p.fillRect(r, outline);
    p.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

void outlinedPolygon(QPainter& p, const QPolygon& polygon, const QColor& fill, const QColor& outline)
{
    p.setPen(QPen(outline, 0));
    p.setBrush(fill);
    p.drawPolygon(polygon);
}

// Outline and fill are both filled shapes rather than a stroke around a fill:
// without antialiasing Qt's stroke and fill of a curve can disagree by a pixel,
// which leaves stray dots along the edge.
void outlinedPath(QPainter& p, const QPainterPath& outer, const QPainterPath& inner, const QColor& fill,
                  const QColor& outline)
{
    p.setPen(Qt::NoPen);
    p.setBrush(outline);
    p.drawPath(outer);
    p.setBrush(fill);
    p.drawPath(inner);
}

QPainterPath ellipsePath(const QRect& r)
{
    QPainterPath path;
    path.addEllipse(QRectF(r.left(), r.top(), r.width(), r.height()));
    return path;
}

void outlinedEllipse(QPainter& p, const QRect& r, const QColor& fill, const QColor& outline)
{
    outlinedPath(p, ellipsePath(r), ellipsePath(r.adjusted(1, 1, -1, -1)), fill, outline);
}

void drawLines(QPainter& p, const QColor& color, std::initializer_list<QLine> lines)
{
    p.setPen(QPen(color, 0));
    for (const QLine& line : lines)
        p.drawLine(line);
}

void drawPoints(QPainter& p, const QColor& color, std::initializer_list<QPoint> points)
{
    p.setPen(QPen(color, 0));
    for (const QPoint& point : points)
        p.drawPoint(point);
}

// Column of a figure part on the given side (Left or Right) of the figure.
int figureX(int side, int offset)
{
    return FigureX + side * offset;
}

QPoint figurePoint(int side, int offset, int y)
{
    return {figureX(side, offset), y};
}

QRect figureRect(int side, int offset1, int offset2, int top, int bottom)
{
    const int x1 = figureX(side, offset1);
    const int x2 = figureX(side, offset2);
    return QRect(QPoint(std::min(x1, x2), top), QPoint(std::max(x1, x2), bottom));
}

// -------------------------------------------------------- grass and gallows

// A fixed hash of a pixel position, for texture that should look irregular
// yet come out the same every time.
unsigned scatter(int x, int y)
{
    unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

void drawGrass(QPainter& p)
{
    const int width = StageSize.width();
    p.fillRect(QRect(0, GrassTop, width, StageSize.height() - GrassTop), Grass);
    p.fillRect(QRect(0, GrassTop, width, 2), GrassLight);
    for (int x = 0; x < width; ++x) {
        // Uneven tufts so the edge doesn't look ruled.
        const int tuft = (x * 7 % 11 < 4) ? 1 + x * 5 % 3 : 0;
        p.fillRect(QRect(x, GrassTop - tuft, 1, tuft), GrassLight);
        for (int y = GrassTop + 3; y < StageSize.height(); y += 2) {
            if (scatter(x, y) % 9 == 0)
                p.fillRect(QRect(x, y, 1, 2), GrassDark);
        }
    }
}

void drawPost(QPainter& p)
{
    const QRect post(20, 12, 12, 196);
    outlinedRect(p, post, Wood, WoodOutline);
    p.fillRect(QRect(21, 13, 2, 194), WoodLight);
    p.fillRect(QRect(29, 13, 2, 194), WoodDark);
    drawLines(p, WoodDark, {{25, 30, 25, 84}, {27, 60, 27, 130}, {24, 110, 24, 170}, {26, 150, 26, 200}});
    outlinedEllipse(p, QRect(24, 92, 4, 7), WoodDark, WoodOutline);
}

void drawBeam(QPainter& p)
{
    const QRect beam(12, 12, 116, 12);
    outlinedRect(p, beam, Wood, WoodOutline);
    p.fillRect(QRect(13, 13, 114, 2), WoodLight);
    p.fillRect(QRect(13, 21, 114, 2), WoodDark);
    drawLines(p, WoodDark, {{36, 17, 70, 17}, {58, 19, 96, 19}, {84, 16, 118, 16}});
}

void drawBrace(QPainter& p)
{
    outlinedPolygon(p, QPolygon({{31, 63}, {71, 23}, {85, 23}, {31, 77}}), Wood, WoodOutline);
    drawLines(p, WoodLight, {{32, 65, 72, 25}});
    drawLines(p, WoodDark, {{34, 71, 52, 53}, {58, 47, 76, 29}});
}

void drawMound(QPainter& p)
{
    p.setPen(QPen(EarthOutline, 0));
    p.setBrush(Earth);
    p.drawChord(QRect(4, 196, 48, 30), 0, 180 * 16);
    drawLines(p, EarthLight, {{14, 200, 22, 198}, {34, 198, 40, 200}});
    drawPoints(p, EarthDark, {{12, 206}, {13, 206}, {20, 203}, {27, 208}, {28, 208}, {36, 204}, {43, 207}});
    drawPoints(p, EarthLight, {{17, 209}, {31, 202}, {39, 209}});
}

void drawRope(QPainter& p)
{
    outlinedRect(p, QRect(FigureX - 2, 24, 5, 24), Rope, RopeDark);
    // Diagonal dark pixels make the rope read as twisted strands.
    for (int y = 24; y < 48; ++y)
        drawPoints(p, RopeDark, {{FigureX - 1 + y % 3, y}});
}

// A ring between two ellipses, the outer one `margin` pixels outside the loop.
QPainterPath nooseRing(int margin)
{
    const QRect outside(FigureX - 10, 53, 21, 30);
    return ellipsePath(outside.adjusted(-margin, -margin, margin, margin))
        .subtracted(ellipsePath(outside.adjusted(4 + margin, 4 + margin, -4 - margin, -4 - margin)));
}

// Smaller than the head, so a head put into it hides it completely.
void drawNooseLoop(QPainter& p)
{
    outlinedPath(p, nooseRing(0), nooseRing(-1), Rope, RopeDark);
}

void drawNooseKnot(QPainter& p)
{
    outlinedRect(p, QRect(FigureX - 5, 44, 11, 12), Rope, RopeDark);
    p.fillRect(QRect(FigureX - 4, 45, 9, 1), RopeLight);
    drawLines(p, RopeDark, {{FigureX - 4, 48, FigureX + 4, 48}, {FigureX - 4, 51, FigureX + 4, 51}});
}

void drawNoose(QPainter& p)
{
    drawRope(p);
    drawNooseLoop(p);
    drawNooseKnot(p);
}

void drawGallows(QPainter& p)
{
    drawBrace(p);
    drawPost(p);
    drawBeam(p);
    drawMound(p);
    drawNoose(p);
}

// --------------------------------------------------------------- the figure

void drawHair(QPainter& p, const QRect& head)
{
    p.save();
    p.setClipPath(ellipsePath(head));
    // A ragged fringe: a polygon whose lower edge zigzags across the forehead.
    outlinedPolygon(p,
                    QPolygon({{head.left() - 1, head.top() - 1},
                              {head.right() + 1, head.top() - 1},
                              {head.right() + 1, head.top() + 13},
                              {head.right() - 3, head.top() + 7},
                              {head.right() - 7, head.top() + 9},
                              {head.right() - 11, head.top() + 6},
                              {head.right() - 16, head.top() + 9},
                              {head.right() - 20, head.top() + 6},
                              {head.left() - 1, head.top() + 13}}),
                    Hair, Outline);
    drawLines(p, HairDark, {{FigureX - 6, head.top() + 3, FigureX + 3, head.top() + 2}});
    p.restore();
}

void drawSadFace(QPainter& p, int top)
{
    // Eyebrows rise towards the middle, which is what makes the face sad.
    drawLines(p, Outline,
              {{FigureX - 8, top + 14, FigureX - 4, top + 12}, {FigureX + 4, top + 12, FigureX + 8, top + 14}});
    for (int side : {Left, Right})
        p.fillRect(figureRect(side, 5, 6, top + 16, top + 18), Outline);
    drawLines(p, Outline,
              {{FigureX - 4, top + 24, FigureX - 3, top + 23},
               {FigureX - 2, top + 22, FigureX + 2, top + 22},
               {FigureX + 3, top + 23, FigureX + 4, top + 24}});
    p.fillRect(QRect(FigureX + 7, top + 19, 1, 2), Tear);
    p.fillRect(QRect(FigureX + 6, top + 21, 3, 2), Tear);
}

void drawNeck(QPainter& p)
{
    outlinedRect(p, QRect(FigureX - 4, 82, 9, 14), Skin, Outline);
    p.fillRect(QRect(FigureX - 3, 83, 7, 3), SkinShade);
}

// The loop pulled tight: a twisted band across the front of the neck.
void drawNooseAroundNeck(QPainter& p)
{
    outlinedRect(p, QRect(FigureX - 6, 87, 13, 4), Rope, RopeDark);
    for (int x = FigureX - 5; x <= FigureX + 5; x += 2)
        drawPoints(p, RopeDark, {{x, 88 + x % 2}});
}

void drawHead(QPainter& p)
{
    const QRect head(FigureX - 12, 57, 25, 28);
    drawNeck(p);
    outlinedEllipse(p, head, Skin, Outline);
    drawHair(p, head);
    drawSadFace(p, head.top());
    drawNooseAroundNeck(p);
}

void drawTorso(QPainter& p)
{
    outlinedPolygon(p,
                    QPolygon({figurePoint(Left, 12, 94), figurePoint(Right, 12, 94), figurePoint(Right, 16, 98),
                              figurePoint(Right, 16, 140), figurePoint(Left, 16, 140), figurePoint(Left, 16, 98)}),
                    Shirt, Outline);
    p.fillRect(figureRect(Right, 12, 15, 99, 139), ShirtShade);
    outlinedPolygon(p, QPolygon({figurePoint(Left, 4, 94), figurePoint(Right, 4, 94), figurePoint(Right, 0, 99)}), Skin,
                    Outline);
    for (int buttonY : {106, 116, 126})
        p.fillRect(QRect(FigureX, buttonY, 1, 2), ShirtShade);
}

void drawArm(QPainter& p, int side)
{
    outlinedPolygon(p,
                    QPolygon({figurePoint(side, 12, 95), figurePoint(side, 17, 98), figurePoint(side, 27, 133),
                              figurePoint(side, 20, 135), figurePoint(side, 13, 112)}),
                    Shirt, Outline);
    drawLines(p, ShirtShade, {{figurePoint(side, 15, 112), figurePoint(side, 20, 130)}});
    outlinedEllipse(p, figureRect(side, 19, 27, 133, 142), Skin, Outline);
}

void drawLeg(QPainter& p, int side)
{
    outlinedPolygon(p,
                    QPolygon({figurePoint(side, 1, 140), figurePoint(side, 15, 140), figurePoint(side, 16, 181),
                              figurePoint(side, 5, 181)}),
                    Trousers, Outline);
    drawLines(p, TrousersShade, {{figurePoint(side, 8, 146), figurePoint(side, 10, 178)}});
    const QRect shoe = figureRect(side, 3, 17, 179, 187);
    outlinedEllipse(p, shoe, Shoe, Outline);
    p.fillRect(QRect(shoe.left() + 3, shoe.bottom() - 3, shoe.width() - 6, 1), ShoeDark);
}

// ------------------------------------------------------------------ stages

// Each stage draws the previous one and adds a single part.
void drawStage0(QPainter& p)
{
    p.fillRect(QRect(QPoint(0, 0), StageSize), White);
}
void drawStage1(QPainter& p)
{
    drawStage0(p);
    drawGrass(p);
}
void drawStage2(QPainter& p)
{
    drawStage1(p);
    drawGallows(p);
}
void drawStage3(QPainter& p)
{
    drawStage2(p);
    drawHead(p);
}
void drawStage4(QPainter& p)
{
    drawStage3(p);
    drawTorso(p);
}
void drawStage5(QPainter& p)
{
    drawStage4(p);
    drawArm(p, Left);
}
void drawStage6(QPainter& p)
{
    drawStage5(p);
    drawArm(p, Right);
}
void drawStage7(QPainter& p)
{
    drawStage6(p);
    drawLeg(p, Left);
}
void drawStage8(QPainter& p)
{
    drawStage7(p);
    drawLeg(p, Right);
}

constexpr std::array<DrawFunction, StageCount> Stages
    = {drawStage0, drawStage1, drawStage2, drawStage3, drawStage4, drawStage5, drawStage6, drawStage7, drawStage8};

QImage stageImage(int stage)
{
    QImage image = transparentImage(StageSize);
    QPainter p(&image);
    Stages[stage](p);
    return image;
}

// ------------------------------------------------- masks and shading patterns

// How far a pixel's centre lies, along one axis, beyond the centres of the
// corner circles at either end; zero for pixels between them.
double cornerOverhang(int position, int length)
{
    const double centre = position + 0.5;
    const double first = 1 + CornerRadius;
    const double last = length - 1 - CornerRadius;
    if (centre < first)
        return first - centre;
    return centre > last ? centre - last : 0;
}

// True for pixels outside a rectangle, inset by one pixel, whose corners are
// rounded with CornerRadius. Hard-edged, so the mask is either FACE or clear.
bool outsideRoundedFrame(QSize size, int x, int y)
{
    if (x == 0 || y == 0 || x == size.width() - 1 || y == size.height() - 1)
        return true;
    const double dx = cornerOverhang(x, size.width());
    const double dy = cornerOverhang(y, size.height());
    return dx * dx + dy * dy > CornerRadius * CornerRadius;
}

QImage cornerMask()
{
    QImage image = transparentImage(StageSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (outsideRoundedFrame(image.size(), x, y))
                image.setPixelColor(x, y, Face);
        }
    }
    return image;
}

QImage checkerboard(QSize size)
{
    QImage image = transparentImage(size);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if ((x + y) % 2 == 0)
                image.setPixelColor(x, y, Face);
        }
    }
    return image;
}

// A small red marker: each entry of rowWidths is the number of red pixels in
// that row, centred in an image of the given width.
QImage marker(int width, std::initializer_list<int> rowWidths)
{
    QImage image = transparentImage(QSize(width, int(rowWidths.size())));
    int y = 0;
    for (int rowWidth : rowWidths) {
        for (int x = (width - rowWidth) / 2; x < (width + rowWidth) / 2; ++x)
            image.setPixelColor(x, y, MarkRed);
        ++y;
    }
    return image;
}

// ------------------------------------------------------------------- warning

void drawDiamond(QImage& image)
{
    // Distance from the centre in half pixels, since the centre of an even
    // sized image falls between pixels.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int distance = std::abs(2 * x - 31) + std::abs(2 * y - 31);
            if (distance <= 32)
                image.setPixelColor(x, y, distance >= 28 ? Black : SignYellow);
        }
    }
}

void drawExclamationMark(QPainter& p)
{
    p.fillRect(QRect(14, 8, 4, 8), Black);
    p.fillRect(QRect(15, 16, 2, 4), Black);
    p.fillRect(QRect(15, 21, 2, 4), Black);
    p.fillRect(QRect(14, 22, 4, 2), Black);
}

QImage warningSign()
{
    QImage image = transparentImage(IconSize);
    drawDiamond(image);
    QPainter p(&image);
    drawExclamationMark(p);
    return image;
}

// -------------------------------------------------------------------- badges

QPen symbolPen()
{
    return QPen(White, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawTickSymbol(QPainter& p)
{
    p.setPen(symbolPen());
    p.drawPolyline(QPolygonF({{9.5, 16.5}, {14, 21}, {22.5, 11}}));
}

void drawCrossSymbol(QPainter& p)
{
    p.setPen(symbolPen());
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void drawQuestionSymbol(QPainter& p)
{
    const QRectF bowl(11.5, 7.5, 9, 9);
    QPainterPath hook;
    hook.arcMoveTo(bowl, 160);
    hook.arcTo(bowl, 160, -250);
    hook.lineTo(16, 19);
    p.setPen(symbolPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawEllipse(QPointF(16, 23.5), 2, 2);
}

// A round coloured badge lit from the top left, with a white symbol on it.
QImage badge(const QColor& color, DrawFunction drawSymbol)
{
    QImage image = transparentImage(IconSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(11, 9), 22);
    light.setColorAt(0, color.lighter(135));
    light.setColorAt(1, color);
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(light);
    p.drawEllipse(QRectF(1, 1, 30, 30));
    drawSymbol(p);
    return image;
}

// ------------------------------------------------------------------ new word

void drawPage(QPainter& p)
{
    outlinedPolygon(p, QPolygon({{8, 3}, {36, 3}, {47, 14}, {47, 60}, {8, 60}}), White, PaperOutline);
    outlinedPolygon(p, QPolygon({{36, 3}, {36, 14}, {47, 14}}), PaperFold, PaperOutline);
}

void drawLetterT(QPainter& p, int left, int top)
{
    p.fillRect(QRect(left, top, 13, 4), LetterBlue);
    p.fillRect(QRect(left + 4, top + 4, 5, 14), LetterBlue);
    p.fillRect(QRect(left, top + 3, 4, 1), LetterBlueDark);
    p.fillRect(QRect(left + 9, top + 3, 4, 1), LetterBlueDark);
    p.fillRect(QRect(left + 4, top + 17, 5, 1), LetterBlueDark);
}

// Drawn along the x axis from the point at the origin to the eraser end, so
// the caller only has to place and turn it.
void drawPencil(QPainter& p)
{
    p.setPen(QPen(Outline, 1));
    p.setBrush(PencilWood);
    p.drawPolygon(QPolygonF({{0, 0}, {11, -4.5}, {11, 4.5}}));
    p.setBrush(Graphite);
    p.drawPolygon(QPolygonF({{0, 0}, {4, -1.6}, {4, 1.6}}));
    p.setBrush(PencilYellow);
    p.drawRect(QRectF(11, -4.5, 25, 9));
    p.fillRect(QRectF(11.5, -4, 24, 2.5), PencilYellowLight);
    p.fillRect(QRectF(11.5, 1.5, 24, 2.5), PencilYellowDark);
    p.setBrush(Ferrule);
    p.drawRect(QRectF(36, -4.5, 5, 9));
    p.setBrush(Eraser);
    p.drawRoundedRect(QRectF(41, -4.5, 6, 9), 2, 2);
}

QImage newWordIcon()
{
    QImage image = transparentImage(QSize(64, 64));
    QPainter p(&image);
    drawPage(p);
    drawLetterT(p, 12, 18);
    drawLetterT(p, 29, 18);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(26, 60);
    p.rotate(-45);
    drawPencil(p);
    return image;
}

// ---------------------------------------------------------- small gallows

void drawSmallGrass(QPainter& p)
{
    p.fillRect(QRect(0, 28, 32, 4), Grass);
    p.fillRect(QRect(0, 28, 32, 1), GrassLight);
    drawPoints(p, GrassLight, {{1, 27}, {4, 27}, {12, 27}, {17, 27}, {26, 27}, {30, 27}});
    drawPoints(p, GrassDark, {{3, 30}, {9, 31}, {14, 29}, {20, 30}, {25, 31}, {29, 29}});
}

void drawSmallPostAndBeam(QPainter& p)
{
    outlinedRect(p, QRect(5, 2, 4, 25), Wood, WoodOutline);
    p.fillRect(QRect(6, 3, 1, 23), WoodLight);
    outlinedRect(p, QRect(3, 2, 24, 4), Wood, WoodOutline);
    p.fillRect(QRect(4, 3, 22, 1), WoodLight);
}

// Four touching 45-degree lines make a solid diagonal band.
void drawSmallBrace(QPainter& p)
{
    drawLines(p, WoodOutline, {{9, 10, 13, 6}, {9, 13, 16, 6}});
    drawLines(p, Wood, {{9, 11, 14, 6}, {9, 12, 15, 6}});
}

void drawSmallMound(QPainter& p)
{
    p.fillRect(QRect(4, 25, 6, 1), EarthOutline);
    p.fillRect(QRect(3, 26, 8, 2), Earth);
    p.fillRect(QRect(2, 27, 10, 1), Earth);
    drawPoints(p, EarthOutline, {{3, 26}, {10, 26}, {2, 27}, {11, 27}});
    drawPoints(p, EarthDark, {{5, 27}, {8, 26}});
}

void drawSmallGallows(QPainter& p)
{
    drawSmallGrass(p);
    drawSmallPostAndBeam(p);
    drawSmallBrace(p);
    drawSmallMound(p);
}

// A figure five pixels wide centred on column 22, its head starting at top.
// The row under the head is left to the caller: a neck or a noose.
void drawSmallFigure(QPainter& p, int top)
{
    p.fillRect(QRect(20, top, 5, 5), Skin);
    p.fillRect(QRect(20, top, 5, 2), Hair);
    drawPoints(p, Outline, {{21, top + 2}, {23, top + 2}});
    p.fillRect(QRect(19, top + 6, 7, 6), Shirt);
    p.fillRect(QRect(24, top + 6, 2, 6), ShirtShade);
    drawPoints(p, Skin, {{19, top + 12}, {25, top + 12}});
    p.fillRect(QRect(20, top + 12, 2, 4), Trousers);
    p.fillRect(QRect(23, top + 12, 2, 4), Trousers);
    p.fillRect(QRect(20, top + 16, 2, 1), Shoe);
    p.fillRect(QRect(23, top + 16, 2, 1), Shoe);
}

// A short rope ending in a little ring just above the standing figure's head.
void drawSmallEmptyNoose(QPainter& p)
{
    p.fillRect(QRect(22, 6, 1, 1), RopeDark);
    outlinedRect(p, QRect(21, 7, 3, 3), Qt::transparent, RopeDark);
}

QImage hangedIcon()
{
    QImage image = transparentImage(IconSize);
    QPainter p(&image);
    drawSmallGallows(p);
    drawSmallFigure(p, 8);
    p.fillRect(QRect(22, 6, 1, 2), RopeDark);
    p.fillRect(QRect(20, 13, 5, 1), RopeDark);
    return image;
}

QImage programIcon()
{
    QImage image = transparentImage(IconSize);
    QPainter p(&image);
    drawSmallGallows(p);
    drawSmallEmptyNoose(p);
    drawSmallFigure(p, 11);
    p.fillRect(QRect(21, 16, 3, 1), Skin);
    return image;
}

// ---------------------------------------------------- larger program icons

// The program icon for the desktop's icon theme at 48 pixels and up. Each size
// is drawn anew rather than scaled from the 32 pixel icon, which would come out
// blurred or blocky: the layout is the small icon's, measured in its pixels
// ("units") and rounded to whole pixels of the target size, while outlines stay
// one pixel wide (two at 256) and each step up in size adds detail.
class IconCanvas {
public:
    explicit IconCanvas(int size)
        : size(size)
        , line(size >= 256 ? 2 : 1)
        , unit(size / double(IconSize.width()))
    {
    }

    // The pixel edge nearest to a position given in units.
    int at(double units) const { return int(std::lround(units * unit)); }

    // A length in units as a whole number of pixels, never below `least`.
    int length(double units, int least = 1) const { return std::max(least, at(units)); }

    // Whole pixels from `offset` to `offset + width` units away from the
    // column edge `centre`, towards Left or Right. A part and its mirror image
    // round alike, so the figure stays symmetric.
    QRect side(int centre, int towards, double offset, double width, double top, double bottom) const
    {
        const int near = centre + towards * at(offset);
        const int far = centre + towards * at(offset + width);
        return QRect(QPoint(std::min(near, far), at(top)), QPoint(std::max(near, far) - 1, at(bottom) - 1));
    }

    // Whole pixels `half` units either side of the column edge `centre`.
    QRect centred(int centre, double half, double top, double bottom) const
    {
        return side(centre, Right, -half, 2 * half, top, bottom);
    }

    // Whole pixels between the edges nearest to the given unit positions.
    QRect box(double left, double top, double right, double bottom) const
    {
        return QRect(QPoint(at(left), at(top)), QPoint(at(right) - 1, at(bottom) - 1));
    }

    const int size;
    const int line;
    const double unit;
};

// A rectangle with elliptic corners, made of whole-pixel rows. Qt's own
// unantialiased curves may come out a pixel lopsided; these are symmetric,
// which matters on a face ten pixels wide. With rx and ry at half the width
// and height it is an ellipse.
QRegion roundedRegion(const QRect& r, double rx, double ry)
{
    QRegion region;
    for (int row = 0; row < r.height(); ++row) {
        const double fromEdge = std::min(row, r.height() - 1 - row) + 0.5;
        double inset = 0;
        if (ry > 0 && fromEdge < ry) {
            const double t = (ry - fromEdge) / ry;
            inset = rx * (1 - std::sqrt(std::max(0.0, 1 - t * t)));
        }
        const int cut = int(std::lround(inset));
        if (2 * cut < r.width())
            region += QRect(r.left() + cut, r.top() + row, r.width() - 2 * cut, 1);
    }
    return region;
}

QRegion ovalRegion(const QRect& r)
{
    return roundedRegion(r, r.width() / 2.0, r.height() / 2.0);
}

void fillRegion(QPainter& p, const QRegion& region, const QColor& color)
{
    for (const QRect& r : region)
        p.fillRect(r, color);
}

// A rounded shape with an outline `line` pixels wide; returns the inside, for
// drawing on it.
QRegion outlinedRounded(QPainter& p, const QRect& r, double radius, int line, const QColor& fill, const QColor& outline)
{
    fillRegion(p, roundedRegion(r, radius, radius), outline);
    const double inner = std::max(0.0, radius - line);
    QRegion inside = roundedRegion(r.adjusted(line, line, -line, -line), inner, inner);
    fillRegion(p, inside, fill);
    return inside;
}

QRegion outlinedOval(QPainter& p, const QRect& r, int line, const QColor& fill, const QColor& outline)
{
    fillRegion(p, ovalRegion(r), outline);
    QRegion inside = ovalRegion(r.adjusted(line, line, -line, -line));
    fillRegion(p, inside, fill);
    return inside;
}

QRect outlinedBox(QPainter& p, const QRect& r, int line, const QColor& fill, const QColor& outline)
{
    p.fillRect(r, outline);
    const QRect inside = r.adjusted(line, line, -line, -line);
    p.fillRect(inside, fill);
    return inside;
}

// A band running at 45 degrees from a post's right edge up to a beam's lower
// edge. Touching diagonal lines leave no gaps, so the band stays crisp at any
// size; `first` and `last` are the x + y sums of its outermost lines.
void diagonalBand(QPainter& p, QPoint corner, int first, int last, const QColor& color)
{
    p.setPen(QPen(color, 0));
    for (int sum = first; sum <= last; ++sum)
        p.drawLine(QPoint(corner.x(), sum - corner.x()), QPoint(sum - corner.y(), corner.y()));
}

// The width of the light and the dark strip along the edges of a piece of
// wood `across` pixels wide, like the stages' wood.
int stripWidth(int across, double fraction)
{
    return std::max(1, int(std::lround(across * fraction)));
}

int iconGroundLevel(const IconCanvas& c)
{
    return c.at(28);
}

void drawIconGrass(QPainter& p, const IconCanvas& c)
{
    const int top = iconGroundLevel(c);
    const int cell = std::max(1, c.size / 64);
    p.fillRect(QRect(0, top, c.size, c.size - top), Grass);
    p.fillRect(QRect(0, top, c.size, cell), GrassLight);
    // Blades of uneven height stick up from the edge, so it doesn't look ruled.
    const int tallest = c.size >= 128 ? 3 : c.size >= 64 ? 2 : 1;
    for (int column = 0; column * cell < c.size; ++column) {
        const unsigned h = scatter(column, c.size);
        if (h % 3 == 0) {
            const int height = cell * (1 + int(h / 5 % unsigned(tallest)));
            p.fillRect(QRect(column * cell, top - height, cell, height), GrassLight);
        }
    }
    if (c.size < 64)
        return;
    for (int y = top + 2 * cell; y + 2 * cell <= c.size; y += 2 * cell) {
        for (int column = 0; column * cell < c.size; ++column) {
            if (scatter(column, y) % 9 == 0)
                p.fillRect(QRect(column * cell, y, cell, 2 * cell), GrassDark);
        }
    }
}

void drawIconPost(QPainter& p, const IconCanvas& c)
{
    const QRect inside = outlinedBox(p, c.box(5, 2, 9, 27), c.line, Wood, WoodOutline);
    const int strip = stripWidth(inside.width(), 0.2);
    p.fillRect(QRect(inside.left(), inside.top(), strip, inside.height()), WoodLight);
    p.fillRect(QRect(inside.right() - strip + 1, inside.top(), strip, inside.height()), WoodDark);
    if (c.size < 64)
        return;
    // Grain: dark streaks between the lit and the shaded edge.
    const int left = inside.left() + strip + 1;
    const int room = std::max(1, inside.width() - 2 * strip - 2 - c.line);
    for (int i = 0; i < 4; ++i) {
        const int x = left + int(scatter(i, 5) % unsigned(room));
        p.fillRect(QRect(x, c.at(4 + 5.5 * i), c.line, c.length(4.5)), WoodDark);
    }
    if (c.size >= 128) {
        const int width = c.length(0.9, 4) / 2 * 2;
        const QRect knot(inside.center().x() - width / 2 + 1, c.at(14.5), width, c.length(1.6, 6));
        outlinedOval(p, knot, c.line, WoodDark, WoodOutline);
    }
}

void drawIconBeam(QPainter& p, const IconCanvas& c)
{
    const QRect inside = outlinedBox(p, c.box(3, 2, 27, 6), c.line, Wood, WoodOutline);
    const int strip = stripWidth(inside.height(), 0.2);
    p.fillRect(QRect(inside.left(), inside.top(), inside.width(), strip), WoodLight);
    p.fillRect(QRect(inside.left(), inside.bottom() - strip + 1, inside.width(), strip), WoodDark);
    if (c.size < 64)
        return;
    const int top = inside.top() + strip + 1;
    const int room = std::max(1, inside.height() - 2 * strip - 2 - c.line);
    for (int i = 0; i < 3; ++i) {
        const int y = top + int(scatter(i, 11) % unsigned(room));
        p.fillRect(QRect(c.at(10 + 5.5 * i), y, c.length(5), c.line), WoodDark);
    }
    if (c.size >= 128) {
        // The bolt that holds the beam on the post.
        const int bolt = c.length(0.8, 4);
        outlinedOval(p, QRect(c.at(7) - bolt / 2, inside.center().y() - bolt / 2 + 1, bolt, bolt), c.line, RopeLight,
                     WoodOutline);
    }
}

void drawIconBrace(QPainter& p, const IconCanvas& c)
{
    const QPoint corner(c.at(9), c.at(6));
    const int first = c.at(19);
    const int last = c.at(23) - 1;
    diagonalBand(p, corner, first, last, WoodOutline);
    const int inFirst = first + c.line;
    const int inLast = last - c.line;
    diagonalBand(p, corner, inFirst, inLast, Wood);
    const int strip = stripWidth(inLast - inFirst + 1, 0.2);
    diagonalBand(p, corner, inFirst, inFirst + strip - 1, WoodLight);
    diagonalBand(p, corner, inLast - strip + 1, inLast, WoodDark);
}

void drawIconMound(QPainter& p, const IconCanvas& c)
{
    const int ground = iconGroundLevel(c);
    const QRect dome = c.box(1.5, 24.6, 12.5, 31.4);
    p.save();
    p.setClipRect(QRect(0, 0, c.size, ground));
    const QRegion inside = outlinedOval(p, dome, c.line, Earth, EarthOutline);
    if (c.size >= 64) {
        // Clods: light near the top, dark lower down.
        const int cell = std::max(1, c.size / 128);
        for (int y = dome.top(); y < ground; y += cell) {
            for (int x = dome.left(); x < dome.right(); x += cell) {
                const QRect clod(x, y, 2 * cell, cell);
                // Only clods with earth all round them, so none touch the outline.
                const QRegion around(clod.adjusted(-cell, -cell, cell, cell));
                if (scatter(x / cell, y / cell) % 7 == 0 && around.subtracted(inside).isEmpty())
                    p.fillRect(clod, y < (dome.top() + ground) / 2 ? EarthLight : EarthDark);
            }
        }
    }
    p.restore();
}

// The empty noose: a rope from the beam, a knot, and a loop that hangs clear
// above the standing figure's head.
void drawIconNoose(QPainter& p, const IconCanvas& c, int centre)
{
    const int half = c.length(0.5);
    const int loopTop = c.at(8.2);
    // Without a knot to hide the join, the rope runs on to the loop.
    const int ropeEnd = c.size < 64 ? loopTop : c.at(7.6);
    const QRect rope(centre - half, c.at(6) - c.line, 2 * half, ropeEnd - c.at(6) + c.line);
    if (c.size < 128) {
        p.fillRect(rope, RopeDark);
    } else {
        const QRect inside = outlinedBox(p, rope, c.line, Rope, RopeDark);
        // Dark pixels stepping across the rope make it read as twisted.
        for (int y = inside.top(); y <= inside.bottom(); y += c.line)
            p.fillRect(QRect(inside.left() + (y / c.line) % (inside.width() / c.line) * c.line, y, c.line, c.line),
                       RopeDark);
    }

    const int loopHalf = c.length(1.4, 2);
    const QRect loop(centre - loopHalf, loopTop, 2 * loopHalf, c.at(10.7) - loopTop);
    const int band = c.length(0.45);
    fillRegion(p, ovalRegion(loop), RopeDark);
    if (c.size >= 64) {
        fillRegion(p, ovalRegion(loop.adjusted(c.line, c.line, -c.line, -c.line)), Rope);
        fillRegion(p, ovalRegion(loop.adjusted(band, band, -band, -band)), RopeDark);
    }
    const int hole = c.size >= 64 ? band + c.line : band;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    fillRegion(p, ovalRegion(loop.adjusted(hole, hole, -hole, -hole)), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // Below 64 pixels a knot would hide the loop; the rope just meets it.
    if (c.size < 64)
        return;
    const int knotHalf = c.length(0.8, 2);
    const QRect knot(centre - knotHalf, c.at(7.3), 2 * knotHalf, c.at(8.9) - c.at(7.3));
    const QRect inside = outlinedBox(p, knot, c.line, Rope, RopeDark);
    p.fillRect(QRect(inside.left(), inside.top(), inside.width(), c.line), RopeLight);
    if (c.size >= 128)
        p.fillRect(QRect(inside.left(), inside.center().y(), inside.width(), c.line), RopeDark);
}

// A smile `width` pixels wide whose corners rise `lift` rows.
void drawSmile(QPainter& p, int centre, int y, int width, int lift, int thickness)
{
    const int half = width / 2;
    for (int dx = -half; dx < half; ++dx) {
        const double t = (dx + 0.5) / (half - 0.5);
        const int up = int(std::lround(lift * t * t));
        p.fillRect(QRect(centre + dx, y - up, 1, thickness), Outline);
    }
}

// Up to 64 pixels the face has six to nine pixels a side, too few for shapes
// that scale: every feature is placed by hand, keeping a row of skin between
// the eyes and the mouth so they don't run together.
void drawSmallFace(QPainter& p, const QRect& inside, int centre)
{
    const bool roomy = inside.height() >= 8;
    const int hair = roomy ? 2 : 1;
    p.fillRect(QRect(inside.left(), inside.top(), inside.width(), hair), Hair);
    if (roomy)
        drawPoints(p, Hair, {{inside.left(), inside.top() + hair}, {inside.right(), inside.top() + hair}});
    const int eyeTop = inside.top() + hair + (roomy ? 1 : 0);
    const int eyeHeight = roomy ? 2 : 1;
    for (int x : {centre - 2, centre + 1})
        p.fillRect(QRect(x, eyeTop, 1, eyeHeight), Outline);
    const int mouth = eyeTop + eyeHeight + 1;
    drawPoints(p, Outline, {{centre - 2, mouth}, {centre + 1, mouth}});
    p.fillRect(QRect(centre - 1, mouth + 1, 2, 1), Outline);
}

void drawLargeHair(QPainter& p, const IconCanvas& c, const QRect& head, const QRegion& inside)
{
    const int hairline = head.top() + int(std::lround(head.height() * 0.34));
    p.save();
    p.setClipRegion(inside);
    // A ragged fringe, like the hanged figure's.
    const int tooth = head.width() / 6;
    QPolygon fringe(
        {{head.left(), head.top()}, {head.right() + 1, head.top()}, {head.right() + 1, hairline + 2 * tooth}});
    for (int i = 5; i >= 1; --i)
        fringe << QPoint(head.left() + i * tooth, hairline + (i % 2 ? tooth / 2 : -tooth / 3));
    fringe << QPoint(head.left(), hairline + 2 * tooth);
    p.setPen(Qt::NoPen);
    p.setBrush(Hair);
    p.drawPolygon(fringe);
    p.fillRect(QRect(head.center().x() - head.width() / 5, head.top() + head.height() / 8, head.width() / 3, c.line),
               HairDark);
    p.restore();
}

void drawLargeFace(QPainter& p, const IconCanvas& c, const QRect& head, int centre)
{
    const int w = head.width();
    const int h = head.height();
    const int eyeWidth = w / 12;
    const int eyeHeight = int(std::lround(h / 8.0));
    const int eyeY = head.top() + int(std::lround(h * 0.5));
    const int eyeOffset = int(std::lround(w * 0.22));
    for (int side : {Left, Right}) {
        const int x = side == Left ? centre - eyeOffset : centre + eyeOffset - eyeWidth;
        p.fillRect(QRect(x, eyeY, eyeWidth, eyeHeight), Outline);
        if (c.size >= 256)
            p.fillRect(QRect(x + eyeWidth / 2, eyeY + 1, eyeWidth / 3, eyeHeight / 4), White);
        // Flushed cheeks: he is glad the noose is not for him.
        p.fillRect(QRect(side == Left ? x - eyeWidth : x + eyeWidth / 2, eyeY + eyeHeight + 2 * c.line,
                         eyeWidth * 3 / 2, 2 * c.line),
                   SkinShade);
    }
    const int mouthWidth = int(std::lround(w * 0.36)) / 2 * 2;
    drawSmile(p, centre, head.top() + int(std::lround(h * 0.8)), mouthWidth, h / 14, c.line);
}

void drawIconLegs(QPainter& p, const IconCanvas& c, int centre)
{
    // Small legs touch: their outlines make the dark line between them.
    const double gap = c.size < 128 ? 0 : 0.2;
    for (int side : {Left, Right}) {
        const QRect leg = c.side(centre, side, gap, c.size < 128 ? 2.4 : 2.0, 22.8, 26.9);
        const QRect inside = outlinedBox(p, leg, c.line, Trousers, Outline);
        if (c.size >= 64)
            p.fillRect(QRect(side == Left ? inside.left() : inside.right() - c.line + 1, inside.top(), c.line,
                             inside.height()),
                       TrousersShade);
        const QRect shoe = c.side(centre, side, gap - 0.1, 2.5, 26.7, 28);
        if (c.size < 64) {
            p.fillRect(shoe, Shoe);
            continue;
        }
        const QRect sole = outlinedRounded(p, shoe, shoe.height() / 2.0, c.line, Shoe, Outline).boundingRect();
        if (c.size >= 128)
            p.fillRect(QRect(sole.left() + c.line, sole.bottom() - c.line + 1, sole.width() - 2 * c.line, c.line),
                       ShoeDark);
    }
}

// Arms hanging at the sides. Small icons have no room for an outline between
// arm and body, so there the shirt is one shape and a crease marks the arm.
void drawIconBody(QPainter& p, const IconCanvas& c, int centre)
{
    const double shoulder = c.length(0.9);
    const QRect torso = c.centred(centre, 2.4, 17.1, 23.2);
    const int armBottom = c.at(22);
    if (c.size < 128) {
        const QRect arms = c.centred(centre, 3.5, 17.1, 22);
        outlinedRounded(p, arms, shoulder, c.line, Shirt, Outline);
        outlinedRounded(p, torso, shoulder, c.line, Shirt, Outline);
        const QRect armsInside = arms.adjusted(c.line, c.line, -c.line, -c.line);
        fillRegion(p, roundedRegion(armsInside, shoulder - 1, shoulder - 1), Shirt);
        for (int x : {torso.left(), torso.right()})
            p.fillRect(QRect(x, arms.top() + 2, 1, armBottom - arms.top() - 2), ShirtShade);
        p.fillRect(
            QRect(torso.right() + 1, arms.top() + 2, arms.right() - torso.right() - 1, armBottom - arms.top() - 3),
            ShirtShade);
    } else {
        outlinedRounded(p, torso, shoulder, c.line, Shirt, Outline);
    }
    p.fillRect(QRect(centre + c.at(1.3), torso.top() + c.line, torso.right() - c.line - centre - c.at(1.3) + 1,
                     torso.height() - 2 * c.line),
               ShirtShade);
    if (c.size >= 64) {
        // A V of skin at the collar.
        const int collar = c.length(0.7);
        const int top = torso.top();
        outlinedPolygon(p,
                        QPolygon({{centre - collar - 1, top},
                                  {centre + collar, top},
                                  {centre, top + collar + 1},
                                  {centre - 1, top + collar + 1}}),
                        Skin, Outline);
    }
    if (c.size >= 128) {
        const int button = 2 * c.line;
        for (double y : {19.4, 20.8, 22.2})
            p.fillRect(QRect(centre - button / 2, c.at(y), button, button), ShirtShade);
    }
    for (int side : {Left, Right}) {
        if (c.size >= 128)
            outlinedRounded(p, c.side(centre, side, 2.1, 1.4, 17.1, 22), shoulder, c.line,
                            side == Left ? Shirt : ShirtShade, Outline);
        const QRect hand = c.side(centre, side, 2.15, 1.3, 21.6, 23.2);
        if (c.size < 64)
            p.fillRect(hand.adjusted(0, 1, 0, 0), Skin);
        else
            outlinedOval(p, hand, c.line, Skin, Outline);
    }
}

void drawIconHead(QPainter& p, const IconCanvas& c, int centre)
{
    const int neck = c.length(0.7) + c.line;
    outlinedBox(p, QRect(QPoint(centre - neck, c.at(16)), QPoint(centre + neck - 1, c.at(17.1))), c.line, Skin,
                Outline);
    const QRect head = c.centred(centre, 2.6, 11, 16.5);
    if (c.size < 128) {
        // A rounded square reads better than an oval of a few pixels.
        const QRegion inside = outlinedRounded(p, head, head.width() * 0.3, c.line, Skin, Outline);
        drawSmallFace(p, inside.boundingRect(), centre);
    } else {
        const QRegion inside = outlinedOval(p, head, c.line, Skin, Outline);
        drawLargeHair(p, c, head, inside);
        drawLargeFace(p, c, head, centre);
    }
}

QImage programIconAt(int size)
{
    if (size == IconSize.width())
        return programIcon();
    const IconCanvas c(size);
    QImage image = transparentImage(QSize(size, size));
    QPainter p(&image);
    const int centre = c.at(22.5);
    drawIconGrass(p, c);
    drawIconPost(p, c);
    drawIconBrace(p, c);
    drawIconBeam(p, c);
    drawIconMound(p, c);
    drawIconNoose(p, c, centre);
    drawIconLegs(p, c, centre);
    drawIconBody(p, c, centre);
    drawIconHead(p, c, centre);
    return image;
}

// ---------------------------------------------------------------- writing

bool save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool saveAll(const QDir& folder)
{
    bool ok = true;
    for (int stage = 0; stage < StageCount; ++stage)
        ok &= save(stageImage(stage), folder, QStringLiteral("stage%1.png").arg(stage));
    ok &= save(cornerMask(), folder, QStringLiteral("corner_mask.png"));
    ok &= save(checkerboard(QSize(64, 64)), folder, QStringLiteral("shade_button.png"));
    ok &= save(checkerboard(QSize(310, 45)), folder, QStringLiteral("shade_keyboard.png"));
    ok &= save(warningSign(), folder, QStringLiteral("warning.png"));
    ok &= save(badge(TickGreen, drawTickSymbol), folder, QStringLiteral("tick.png"));
    ok &= save(badge(CrossRed, drawCrossSymbol), folder, QStringLiteral("cross.png"));
    ok &= save(badge(QuestionBlue, drawQuestionSymbol), folder, QStringLiteral("question.png"));
    ok &= save(newWordIcon(), folder, QStringLiteral("new_word.png"));
    ok &= save(hangedIcon(), folder, QStringLiteral("hanged_icon.png"));
    ok &= save(programIcon(), folder, QStringLiteral("program_icon.png"));
    ok &= save(marker(5, {1, 1, 3, 3, 5, 5, 3, 3, 1, 1}), folder, QStringLiteral("mark_bottom.png"));
    ok &= save(marker(10, {2, 6, 10, 6, 2}), folder, QStringLiteral("mark_side.png"));
    // Kept apart from the pictures above, which are all compiled into the game.
    const QDir icons(folder.filePath(QStringLiteral("icons")));
    if (!icons.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(icons.path()));
        return false;
    }
    for (int size : ProgramIconSizes)
        ok &= save(programIconAt(size), icons, QStringLiteral("program_icon_%1.png").arg(size));
    return ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return EXIT_FAILURE;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    return saveAll(folder) ? EXIT_SUCCESS : EXIT_FAILURE;
}
