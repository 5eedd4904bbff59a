// The elements of the game window: positions and sizes in twips, fonts,
// colours, pictures, initial captions and visibility, and which lies in front.

#include "game_window.h"

using namespace Qt::StringLiterals;

namespace {

using tk::Align;
using Face = tk::FontSpec::Face;

const tk::FontSpec kStatisticsFont{Face::SansSerif, 8.25f, false};
const tk::FontSpec kLetterFont{Face::SansSerif, 12.0f, true};
const tk::FontSpec kWordInfoFont{Face::SansSerif, 9.75f, true};
const tk::FontSpec kCounterFont{Face::Monospace, 15.75f, true};

constexpr QColor kSlotColor{0, 0, 192};
constexpr float kKeyPitch = 360;
constexpr int kKeysPerRow = 13;

QString labelName(int number)
{
    return u"Label"_s + QString::number(number);
}

QString imageName(int number)
{
    return u"Image"_s + QString::number(number);
}

// Label37 carries A; Label11 to Label35 carry B to Z.
int keyLabelNumber(int letterIndex)
{
    return letterIndex == 0 ? 37 : 10 + letterIndex;
}

// What a screen reader says of each gallows stage.
constexpr const char16_t* kStageNames[] = {
    u"Šibenice, fáze 0 z 8: prázdný obrázek",
    u"Šibenice, fáze 1 z 8: tráva",
    u"Šibenice, fáze 2 z 8: šibenice s prázdnou smyčkou",
    u"Šibenice, fáze 3 z 8: hlava ve smyčce",
    u"Šibenice, fáze 4 z 8: hlava a trup",
    u"Šibenice, fáze 5 z 8: hlava, trup a jedna ruka",
    u"Šibenice, fáze 6 z 8: hlava, trup a obě ruce",
    u"Šibenice, fáze 7 z 8: postava s jednou nohou",
    u"Šibenice, fáze 8 z 8: celá oběšená postava",
};

// Where the game window keeps a caption it changes later.
using LabelSlot = tk::Label* GameWindow::*;

struct CaptionRow {
    LabelSlot member;
    int number;
    QRectF twips;
    const tk::FontSpec& font;
    Align align;
    bool autoSize;
    const char16_t* caption;
    const char16_t* description;  // for a screen reader, where the caption alone does not say it
};

}  // namespace

void GameWindow::CreateWordArea()
{
    for (int k = 1; k <= 10; ++k) {
        WordSlots[k - 1] = new tk::Label(
            this, labelName(k), QRectF(840 + 360 * (k - 1), 240, 120, 300),
            {.font = kLetterFont, .align = Align::Left, .autoSize = true, .textColor = kSlotColor}, u"-"_s);
    }
    Label47 = new tk::Label(this, labelName(47), QRectF(2370, 0, 150, 195),
                            {.font = kStatisticsFont, .align = Align::Center, .autoSize = true}, u"..."_s);
    Label47->setAccessibleDescription(u"Nápověda"_s);
}

void GameWindow::CreateKeyboard()
{
    for (int i = 0; i < 26; ++i) {
        const int column = i % kKeysPerRow;
        const int row = i / kKeysPerRow;
        const float left = 120 + kKeyPitch * static_cast<float>(column);
        const float top = 600 + kKeyPitch * static_cast<float>(row);
        LetterKeys[i] = new tk::Label(this, labelName(keyLabelNumber(i)), QRectF(left, top, 315, 300),
                                      {.font = kLetterFont, .align = Align::Center, .backColor = QColor(Qt::white)},
                                      QString(QChar(u'A' + i)));
        LetterKeys[i]->setAccessibleRole(QAccessible::Button);
    }
    Image24 = new tk::Picture(this, imageName(24), 120, 600, u"shade_keyboard"_s);
    Image24->setAccessibleName(u"Klávesnice je zakrytá do vylosování slova"_s);
    // In front of every key, so it takes their clicks while it is shown.
    tk::stackFrontToBack({Image24});
    Line1 = new tk::Line(this, u"Line1"_s, QPointF(120, 1320), QPointF(4680, 1320));
}

void GameWindow::CreateGallows()
{
    Image1 = new tk::Picture(this, imageName(1), 120, 1440, u"stage0"_s);
    Image25 = new tk::Picture(this, imageName(25), 120, 1440, u"corner_mask"_s);
    for (int stage = 0; stage <= 8; ++stage) {
        const int number = stage == 0 ? 14 : 15 + stage;
        StagePictures[stage] = new tk::Picture(this, imageName(number), 5280, 720, u"stage"_s + QString::number(stage));
        StagePictures[stage]->setAccessibleName(QString::fromUtf16(kStageNames[stage]));
        StagePictures[stage]->hide();
    }
    Image1->takePictureOf(*StagePictures[0]);
    for (int i = 0; i < 8; ++i) {
        Markers[i] = new tk::Picture(this, imageName(5 + i), 120 + 600 * static_cast<float>(i), 4920, u"warning"_s);
        Markers[i]->setAccessibleName(u"Chybné písmeno %1"_s.arg(i + 1));
        Markers[i]->hide();
    }
    tk::stackFrontToBack({Image25, Image1});
}

void GameWindow::CreateSignsAndButtons()
{
    Image2 = new tk::Picture(this, imageName(2), 2400, 1440, u"tick"_s);
    Image3 = new tk::Picture(this, imageName(3), 4200, 1440, u"cross"_s);
    Image4 = new tk::Picture(this, imageName(4), 2400, 2400, u"question"_s);
    Image4->setCursor(Qt::WhatsThisCursor);
    Image15 = new tk::Picture(this, imageName(15), 3720, 3840, u"new_word"_s);
    Image15->setToolTip(u"Vylosovat slovo"_s);
    Image13 = new tk::Picture(this, imageName(13), 3720, 3840, u"shade_button"_s);
    Image2->setAccessibleName(u"Uhodnutá slova"_s);
    Image3->setAccessibleName(u"Neuhodnutá slova"_s);
    Image4->setAccessibleName(u"O programu"_s);
    Image4->setAccessibleRole(QAccessible::Button);
    Image15->setAccessibleName(Image15->toolTip());
    Image15->setAccessibleRole(QAccessible::Button);
    Image13->setAccessibleName(u"Tlačítko je zakryté do konce slova"_s);
    Image13->hide();
    tk::stackFrontToBack({Image13, Image15});
}

void GameWindow::CreateStatistics()
{
    // clang-format off
    const CaptionRow rows[] = {
        // member          no.     twips                    font             alignment      auto   caption                     description
        {&GameWindow::Label46, 46, {2880, 1560, 1395, 300}, kLetterFont,     Align::Center, false, u"",                        u"Výsledek slova"},
        {&GameWindow::Label36, 36, {2540, 1920, 225, 345},  kCounterFont,    Align::Center, true,  u"0",                       u"Uhodnutá slova"},
        {&GameWindow::Label38, 38, {4340, 1920, 225, 345},  kCounterFont,    Align::Center, true,  u"0",                       u"Neuhodnutá slova"},
        {&GameWindow::Label39, 39, {3000, 2400, 1560, 240}, kWordInfoFont,   Align::Left,   true,  u"Délka slova : 5",         nullptr},
        {&GameWindow::Label40, 40, {3000, 2640, 1095, 240}, kWordInfoFont,   Align::Left,   true,  u"Slovo č.: 0",             nullptr},
        {&GameWindow::Label41, 41, {2400, 3000, 1365, 195}, kStatisticsFont, Align::Left,   true,  u"Celkový čas : 0:0:0",     nullptr},
        {&GameWindow::Label42, 42, {2400, 3240, 1185, 195}, kStatisticsFont, Align::Left,   true,  u"Čas slova : 0:0:0",       nullptr},
        {&GameWindow::Label43, 43, {2400, 3480, 1620, 195}, kStatisticsFont, Align::Left,   true,  u"Prům. čas slova : 0:0:0", nullptr},
        {&GameWindow::Label50, 50, {2400, 3840, 1110, 195}, kStatisticsFont, Align::Left,   true,  u"Zadáno slov : 0",         nullptr},
        {&GameWindow::Label49, 49, {2400, 4200, 765, 195},  kStatisticsFont, Align::Left,   true,  u"Pokusů : 0",              nullptr},
        {&GameWindow::Label44, 44, {2400, 4440, 825, 195},  kStatisticsFont, Align::Left,   true,  u"Správně : 0",             u"Odkrytá písmena slova"},
        {&GameWindow::Label45, 45, {2400, 4680, 735, 195},  kStatisticsFont, Align::Left,   true,  u"Špatně : 0",              u"Chybná písmena slova"},
    };
    // clang-format on
    for (const CaptionRow& row : rows) {
        tk::Label* label = new tk::Label(this, labelName(row.number), row.twips,
                                         {.font = row.font, .align = row.align, .autoSize = row.autoSize},
                                         QString::fromUtf16(row.caption));
        if (row.description)
            label->setAccessibleDescription(QString::fromUtf16(row.description));
        this->*row.member = label;
    }
    Timer1 = new tk::Timer(this, u"Timer1"_s, 1000, false);
}
