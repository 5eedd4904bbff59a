#include "about_window.h"

#include "number_caption.h"

#include <QUrl>

using namespace Qt::StringLiterals;

const QUrl AboutWindow::kWebAddress(u"https://www.delvoran.cz/"_s);

namespace {

using tk::Align;
using Face = tk::FontSpec::Face;

const tk::FontSpec kTextFont{Face::SansSerif, 8.25f, false};
const tk::FontSpec kHeadingFont{Face::SansSerif, 9.75f, true};
constexpr QColor kDonationColor{192, 0, 0};

constexpr float kHome = 120;
constexpr float kGlideDivisor = 100;
constexpr float kBottomMarkLimit = 4560;
constexpr float kSideMarkLimit = 2880;

constexpr auto kCredit = u"Vytvořil : Tomáš Arvík; tarvik@delvoran.cz";
constexpr auto kCopyright = u"Copyright © 2026 Vantik Software";
constexpr auto kDonation = u"Pokud vám hra udělala radost a chcete autorovi poděkovat, pošlete prosím "
                           u"libovolnou částku na účet 2701234567/2010. Předem děkuji, tarvik";

QString footer()
{
    return u"v1.0."_s + QString(76, u' ') + u"Id.:84210"_s;
}

QString versionText()
{
    return QString::number(DELVORAN_VERSION_MAJOR) + u'.' + QString::number(DELVORAN_VERSION_MINOR) + u'.'
        + QString::number(DELVORAN_VERSION_PATCH) + u'.';
}

}  // namespace

AboutWindow::AboutWindow(QWidget* owner, float dictionarySize)
    : tk::Window(owner, u"Form2"_s, Frame::FixedToolWindow, QSizeF(4680, 3255), u"O programu"_s)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(tk::loadPicture(u"program_icon"_s)));
    CreateSeparator();
    CreateTexts();
    CreatePictures();
    tk::stackFrontToBack({Image3, Image2, Label3, Label4, Lines[5], Lines[4], Lines[3], Lines[2], Lines[1], Lines[0],
                          Image1, Label7, Label6, Label5, Label15, Label2, Label1});
    Timer1 = new tk::Timer(this, u"Timer1"_s, 35, true);
    Timer2 = new tk::Timer(this, u"Timer2"_s, 50, true);
    ConnectHandlers();
    Load(dictionarySize);
}

void AboutWindow::CreateTexts()
{
    const tk::Label::Style text{.font = kTextFont, .align = Align::Left, .autoSize = true};
    const tk::Label::Style heading{.font = kHeadingFont, .align = Align::Left, .autoSize = true};
    Label1 = new tk::Label(this, u"Label1"_s, {840, 120, 1470, 240}, heading, u"Delvoran v1.0."_s);
    Label2 = new tk::Label(this, u"Label2"_s, {840, 480, 3300, 195}, text, QString::fromUtf16(kCredit));
    Label3 = new tk::Label(this, u"Label3"_s, {840, 720, 2340, 195}, text, QString::fromUtf16(kCopyright));
    Label4 = new tk::Label(this, u"Label4"_s, {840, 1080, 1800, 240}, heading, kWebAddress.host());
    Label4->setCursor(Qt::WhatsThisCursor);
    Label4->setAccessibleRole(QAccessible::Link);
    Label4->setAccessibleDescription(u"Otevře webové stránky autora"_s);
    Label15 = new tk::Label(this, u"Label15"_s, {120, 1440, 4485, 675},
                            {.font = kTextFont, .textColor = kDonationColor, .wordWrap = true},
                            QString::fromUtf16(kDonation));
    Label5 = new tk::Label(this, u"Label5"_s, {120, 2400, 1845, 195}, text, u"Počet slov ve slovníku : 0"_s);
    Label6 = new tk::Label(this, u"Label6"_s, {120, 2640, 1650, 195}, text, u"Verze programu : 0.0.0."_s);
    Label7 = new tk::Label(this, u"Label7"_s, {120, 3000, 4455, 195}, text, footer());
}

// Six one-pixel lines grading from white to black.
void AboutWindow::CreateSeparator()
{
    struct Row {
        float y;
        int grey;
    };
    // clang-format off
    constexpr Row rows[] = {
        // y (twips)  grey
        {2160,        255},
        {2170,        224},
        {2190,        192},
        {2200,        128},
        {2220,         64},
        {2230,          0},
    };
    // clang-format on
    for (int i = 0; i < 6; ++i) {
        Lines[i] = new tk::Line(this, u"Line"_s + QString::number(i + 1), QPointF(120, rows[i].y),
                                QPointF(4560, rows[i].y), QColor(rows[i].grey, rows[i].grey, rows[i].grey));
    }
}

void AboutWindow::CreatePictures()
{
    Image1 = new tk::Picture(this, u"Image1"_s, kHome, kHome, u"hanged_icon"_s);
    Image2 = new tk::Picture(this, u"Image2"_s, 120, 2880, u"mark_bottom"_s);
    Image3 = new tk::Picture(this, u"Image3"_s, 4440, 120, u"mark_side"_s);
    Image1->setAccessibleName(u"Oběšenec, dá se přetáhnout myší"_s);
    Image2->setAccessibleName(u"Značka vodorovné polohy obrázku"_s);
    Image3->setAccessibleName(u"Značka svislé polohy obrázku"_s);
}

void AboutWindow::ConnectHandlers()
{
    connect(this, &tk::Window::mouseDown, this, &AboutWindow::FollowMouse);
    connect(this, &tk::Window::mouseMove, this, &AboutWindow::FollowMouse);
    connect(this, &tk::Window::mouseUp, this, &AboutWindow::FollowMouse);
    // The donation text passes its mouse on in window coordinates.
    const auto relay = [this](tk::ButtonValue button, float x, float y) {
        FollowMouse(button, x + Label15->left(), y + Label15->top());
    };
    connect(Label15, &tk::Element::mouseDown, this, relay);
    connect(Label15, &tk::Element::mouseMove, this, relay);
    connect(Label15, &tk::Element::mouseUp, this, relay);
    connect(Image1, &tk::Element::mouseMove, this, &AboutWindow::StartGlide);
    connect(Label4, &tk::Element::clicked, this, [] { tk::openAddress(kWebAddress); });
    connect(Timer1, &tk::Timer::tick, this, &AboutWindow::GlideStep);
    connect(Timer2, &tk::Timer::tick, this, &AboutWindow::BlinkStep);
}

void AboutWindow::Load(float dictionarySize)
{
    Label5->setCaption(u"Počet slov ve slovníku : "_s + formatSingle(dictionarySize));
    Label6->setCaption(u"Verze programu : "_s + versionText());
}

// ---------------------------------------------------------------- animation

void AboutWindow::FollowMouse(tk::ButtonValue button, float x, float y)
{
    if (button != tk::kLeftButton) {
        StartGlide();
        return;
    }
    Image1->setLeft(x);
    Image1->setTop(y);
    Timer1->setEnabled(false);
    Timer2->setEnabled(true);
    PlaceMarks();
}

void AboutWindow::StartGlide()
{
    Timer1->setEnabled(true);
    Timer2->setEnabled(false);
    Image2->show();
    Image3->show();
}

void AboutWindow::GlideStep()
{
    const auto places = [this] { return std::array{Image1->left(), Image1->top(), Image2->left(), Image3->top()}; };
    const auto before = places();
    StepX = (Image1->left() - kHome) / kGlideDivisor;
    StepY = (Image1->top() - kHome) / kGlideDivisor;
    if (Image1->left() != kHome)
        Image1->setLeft(Image1->left() - StepX);
    if (Image1->top() != kHome)
        Image1->setTop(Image1->top() - StepY);
    PlaceMarks();
    // Beyond the left or top edge the picture jumps home; its mark catches
    // up on the next tick.
    if (Image1->left() < 0)
        Image1->setLeft(kHome);
    if (Image1->top() < 0)
        Image1->setTop(kHome);
    // A step that moved nothing will move nothing next time either (the
    // picture at home, or as near as a single gets): no need to wake for
    // ticks until something moves it.
    if (places() == before)
        Timer1->rest();
}

void AboutWindow::BlinkStep()
{
    Image2->setVisible(Image2->isHidden());
    Image3->setVisible(Image3->isHidden());
}

void AboutWindow::PlaceMarks()
{
    Image2->setLeft(Image1->left() > kBottomMarkLimit ? kBottomMarkLimit : Image1->left());
    Image3->setTop(Image1->top() > kSideMarkLimit ? kSideMarkLimit : Image1->top());
}
