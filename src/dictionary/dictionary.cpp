#include "dictionary.h"

#include "number_caption.h"

#include <QStringList>

#include <array>
#include <chrono>
#include <cmath>
#include <random>
#include <string_view>

namespace dictionary {

using namespace Qt::StringLiterals;

namespace {

const std::array<std::u16string_view, kSize> kEntries = {
    u"Měsíc :leden",  // 101
    u"Měsíc :unor",  // 102
    u"Měsíc :brezen",  // 103
    u"Měsíc :duben",  // 104
    u"Měsíc :kveten",  // 105
    u"Měsíc :cerven",  // 106
    u"Měsíc :cervenec",  // 107
    u"Měsíc :srpen",  // 108
    u"Měsíc :zari",  // 109
    u"Měsíc :rijen",  // 110
    u"Měsíc :listopad",  // 111
    u"Měsíc :prosinec",  // 112
    u"Roční období :jaro",  // 113
    u"Roční období :leto",  // 114
    u"Roční období :podzim",  // 115
    u"Roční období :zima",  // 116
    u"Koupe se v tom :voda",  // 117
    u"Pracuje se s tím :pocitac",  // 118
    u"Pracuje se s tím :mobil",  // 119
    u"Dá se s tím telefonovat :mobil",  // 120
    u"Tvůrce této hry :tarvik",  // 121
    u"Právě používáte :pocitac",  // 122
    u"Skládá se z nich věta :pásmena",  // 123
    u"Dá se na tom oběsit :delvoran",  // 124
    u"Chodí se po tom :podlaha",  // 125
    u"Chodí se po tom :dlazba",  // 126
    u"Chodí se po tom :koberec",  // 127
    u"Dá se to vypít :voda",  // 128
    u"Tekutý chléb národa čaského :pivo",  // 129
    u"Hlad je prevlecená :zizen",  // 130
    u"Poslední písmeno v abecedě :z",  // 131
    u"První písmeno v abecedě :a",  // 132
    u"Tato hra se jmenuje :delvoran",  // 133
    u"Nejpoužívanější anglické slovo :fuck",  // 134
    u":-) :smajlik",  // 135
    u"Značka mobilu :nokia",  // 136
    u"Značka mobilu :sony",  // 137
    u"Značka mobilu :ericsson",  // 138
    u"1000 :tisic",  // 139
    u"Značka mobilu :siemens",  // 140
    u"Nejpoužívanější OS :windows",  // 141
    u"Zastaralý OS :dos",  // 142
    u"Perfektní počítač :imac",  // 143
    u"nejznámější MP3 přehrávač :ipod",  // 144
    u"Den v týdnu :pondeli",  // 145
    u"Den v týdnu :utery",  // 146
    u"Den v týdnu :streda",  // 147
    u"Den v týdnu :ctvrtek",  // 148
    u"Den v týdnu :patek",  // 149
    u"Den v týdnu :sobota",  // 150
    u"Den v týdnu :nedele",  // 151
    u"Drzite to (u PC) v ruce :mys",  // 152
    u"Přenosný počítač :notebook",  // 153
    u"Čte se to :kniha",  // 154
    u"Komunikační zařízení :mobil",  // 155
    u"Hledí se s nima :oci",  // 156
    u"Člověk jich má 20 :prsty",  // 157
    u"Člověk má 2 :nohy",  // 158
    u"Člověk má 2 :ruce",  // 159
    u"Člověk má 2 :oci",  // 160
    u"Kouří se to :cigareta",  // 161
    u"Kouří se z toho :komin",  // 162
    u"Země s největším počtem obyvatel :cina",  // 163
    u"Každý tam chodí alespoň 9 let :skola",  // 164
    u"Postrach dětí v červnu :vysvedceni",  // 165
    u"Po škole následují :prazdniny",  // 166
    u"Dá se na tom jezdit :kolo",  // 167
    u"Dá se v tom jezdit :auto",  // 168
    u"Dá se v tom jezdit :autobus",  // 169
    u"Dá se na tom jezdit :brusle",  // 170
    u"Zimní sport :lyzovani",  // 171
    u"Sport :fotbal",  // 172
    u"Sport :hokej",  // 173
    u"Sport :tenis",  // 174
    u"Sport :progaming",  // 175
    u"Chemický prvek (O) :kyslik",  // 176
    u"Chemický prvek (H) :vodik",  // 177
    u"Chemický prvek (C) :uhlik",  // 178
    u"Chemický prvek (Fe) :zelezo",  // 179
    u"Chemický prvek (Au) :zlato",  // 180
    u"Chemický prvek (S) :sira",  // 181
    u"Chemický prvek (Ag) :stribro",  // 182
    u"Chemický prvek (Hg) :rtut",  // 183
    u"Pěkne se třpťí :zlato",  // 184
    u"Dětská hra na 6 :sikana",  // 185
    u"Chrání před sluncem :krem",  // 186
    u"Skupina blbců :senat",  // 187
    u"Ukazují čas :hodiny",  // 188
    u"Znepříjemní spánek :budicek",  // 189
    u"Dá se z něho koukat :okno",  // 190
    u"Dá se jimi procházet :dvere",  // 191
    u"Modrá planeta :zeme",  // 192
    u"Nejstarsi satelit :mesic",  // 193
    u"Prvni druzice :sputnik",  // 194
    u"Počítá příklady :kalkulacka",  // 195
    u"Ve Windowsech jsou :okna",  // 196
    u"Paměťové médium :cd",  // 197
    u"Paměťové médium :dvd",  // 198
    u"Paměťové médium :disketa",  // 199
    u"Paměťové médium :disk",  // 200
    u"Vytírá se s ním podlaha :hadr",  // 201
    u"Samotná je příliš slaná :sul",  // 202
    u"Žluté a kyselé :citron",  // 203
    u"Nejblyžši hvezda :slunce",  // 204
    u"Windowsův nepřítel :linux",  // 205
    u"Světová počítačová síť :internet",  // 206
    u"Předchůdce internetu :arpanet",  // 207
    u"Becherovka + Tonic :beton",  // 208
    u"Rozřezené a osmažeté brambory :hranolky",  // 209
    u"Hraje se s tím hokej :puk",  // 210
    u"Mlátí se s tím do puku :hokejka",  // 211
    u"Měří délku :metr",  // 212
    u"Měří teplotu :teplomer",  // 213
    u"Měří tlak :barometr",  // 214
    u"Měří tlak :tlakomer",  // 215
    u"Měří vlhkost :vlhkomer",  // 216
};

constexpr char16_t kContactAddress[] = u"tarvik@delvoran.cz";

QString fromView(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString loadResString(int id)
{
    const int offset = id - kFirstId;
    if (offset < 0 || offset >= kSize)
        return {};
    return fromView(kEntries[static_cast<std::size_t>(offset)]);
}

RandomSource clockSeededRandom()
{
    const auto seed = std::chrono::system_clock::now().time_since_epoch().count();
    return [engine = std::mt19937_64(static_cast<std::uint64_t>(seed))]() mutable {
        // 53 random bits make a double strictly below 1, which
        // std::generate_canonical does not promise.
        return static_cast<double>(engine() >> 11) * 0x1.0p-53;
    };
}

DrawnEntry drawEntry(double r, float pocetOtazek, const Lookup& lookup)
{
    DrawnEntry drawn;
    drawn.WordIndex = static_cast<float>(std::floor(r * pocetOtazek) + kFirstId);
    drawn.Entry = lookup(static_cast<int>(drawn.WordIndex));
    drawn.Clue = drawn.Entry.left(drawn.Entry.indexOf(u':') + 1);
    drawn.Word = drawn.Entry.mid(drawn.Entry.lastIndexOf(u':') + 1);
    // Letter by letter, so no letter turns into two.
    for (QChar& letter : drawn.Word)
        letter = letter.toUpper();
    drawn.WordLength = static_cast<float>(drawn.Word.size());
    return drawn;
}

QString lengthWarningText(float wordIndex)
{
    const QStringList lines = {
        u"Najduto chybné slovo : "_s + formatSingle(wordIndex),
        u"Prosím, oznamte to na e-mail : "_s + QString::fromUtf16(kContactAddress) + u'.',
        u"Nezapoměňte uvést číslo slova."_s,
        u"Děkuji. Vantik Software"_s,
    };
    return lines.join(u"\r\n"_s);
}

}  // namespace dictionary
