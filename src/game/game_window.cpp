#include "game_window.h"

#include "about_window.h"
#include "gallows.h"
#include "number_caption.h"
#include "time_statistics.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr float kWrongLettersToLose = 8;

// A guessed key letter also stands for the same letter with a diacritic, as
// the keyboard has no keys for those.
bool letterMatches(const QString& wordLetter, const QString& keyLetter)
{
    return !wordLetter.isEmpty() && wordLetter.normalized(QString::NormalizationForm_D).left(1) == keyLetter;
}

}  // namespace

GameWindow::GameWindow(GameServices services)
    : tk::Window(nullptr, u"Form1"_s, Frame::FixedSingle, QSizeF(4920, 5460), u"Delvoran"_s)
    , m_services(std::move(services))
{
    setWindowIcon(QIcon(tk::loadPicture(u"hanged_icon"_s)));
    CreateWordArea();
    CreateKeyboard();
    CreateGallows();
    CreateSignsAndButtons();
    CreateStatistics();
    ConnectHandlers();
    // The random source was seeded when the services were made.
    m_state.PocetOtazek = dictionary::kSize;
}

void GameWindow::ConnectHandlers()
{
    for (tk::Label* key : LetterKeys) {
        const QString letter = key->caption();
        connect(key, &tk::Element::clicked, this, [this, key, letter] { KeyClick(key, letter); });
    }
    connect(Image15, &tk::Element::clicked, this, &GameWindow::NewWordClick);
    connect(Image4, &tk::Element::mouseDown, this, &GameWindow::PressAbout);
    connect(Image4, &tk::Element::clicked, this, &GameWindow::OpenAbout);
    connect(Timer1, &tk::Timer::tick, this, &GameWindow::ClockTick);
}

// Closing the game window ends the program, with the About window.
void GameWindow::closeEvent(QCloseEvent* event)
{
    if (m_about)
        m_about->close();
    Timer1->setEnabled(false);
    tk::Window::closeEvent(event);
}

// ---------------------------------------------------------- starting a word

void GameWindow::NewWordClick()
{
    ResetBoard();
    PickWord();
    Timer1->setEnabled(true);
    Image13->show();
    Image15->setEnabled(false);
    Image24->hide();
    m_state.WordTime = 0;
    Image1->takePictureOf(*StagePictures[0]);
    m_state.WordsGiven += 1;
    Label36->setCaption(formatSingle(m_state.WordsRight));
    Label38->setCaption(formatSingle(m_state.WordsWrong));
    Label49->setCaption(u"Pokusů : 0"_s);
    Label44->setCaption(u"Správně : 0"_s);
    Label45->setCaption(u"Špatně : 0"_s);
    Label46->setCaption(QString());
    Label50->setCaption(u"Zadáno slov : "_s + formatSingle(m_state.WordsGiven));
    ShowGallows();
    announce(Label47->caption() + u' ' + Label39->caption() + u". "_s + WordPattern());
}

void GameWindow::ResetBoard()
{
    // B to Z, then A, as the keys were numbered.
    for (int i = 1; i < 26; ++i)
        LetterKeys[i]->show();
    LetterKeys[0]->show();
    for (tk::Label* slot : WordSlots)
        slot->setCaption(u"-"_s);
}

void GameWindow::PickWord()
{
    const dictionary::DrawnEntry drawn
        = dictionary::drawEntry(m_services.random(), m_state.PocetOtazek, m_services.lookup);
    m_state.WordIndex = drawn.WordIndex;
    m_state.Entry = drawn.Entry;
    m_state.Clue = drawn.Clue;
    m_state.Word = drawn.Word;
    m_state.WordLength = drawn.WordLength;
    Label40->setCaption(u"Slovo č.: "_s + formatSingle(m_state.WordIndex - 100));
    Label47->setCaption(m_state.Clue);
    ShowWordSlots();
    Label39->setCaption(u"Délka slova : "_s + formatSingle(m_state.WordLength));
    if (m_state.WordLength > dictionary::kLongestAnswer) {
        m_services.warn(this, dictionary::lengthWarningText(m_state.WordIndex),
                        QString::fromUtf16(dictionary::kLengthWarningTitle));
    }
}

void GameWindow::ShowWordSlots()
{
    for (int n = 1; n <= 10; ++n) {
        if (m_state.WordLength != static_cast<float>(n))
            continue;
        for (int k = 10; k >= 1; --k)
            WordSlots[k - 1]->setVisible(k <= n);
    }
}

// The slots in play as one word, a dash for each letter not guessed yet.
QString GameWindow::WordPattern() const
{
    QStringList shown;
    for (const tk::Label* slot : WordSlots) {
        if (!slot->isHidden())
            shown.append(slot->caption());
    }
    return shown.join(u' ');
}

// ----------------------------------------------------------------- guessing

void GameWindow::KeyClick(tk::Label* key, const QString& letter)
{
    m_state.Letter = letter;
    key->hide();
    GuessLetter();
}

void GameWindow::GuessLetter()
{
    GameState& s = m_state;
    s.Attempts += 1;
    for (int p = 1; p <= 10; ++p) {
        const QString wordLetter = s.Word.mid(p - 1, 1);
        if (!letterMatches(wordLetter, s.Letter))
            continue;
        WordSlots[p - 1]->setCaption(wordLetter);
        s.LetterFound = true;
        s.RevealedCount += 1;
    }
    const bool found = s.LetterFound;
    if (!s.LetterFound)
        s.WrongCount += 1;
    s.LetterFound = false;
    ShowGallows();
    Label49->setCaption(u"Pokusů : "_s + formatSingle(s.Attempts));
    Label44->setCaption(u"Správně : "_s + formatSingle(s.RevealedCount));
    Label45->setCaption(u"Špatně : "_s + formatSingle(s.WrongCount));
    if (s.RevealedCount == s.WordLength) {
        CountEndOfWord(s.WordsRight, Label36, u"Správně"_s);
        // The markers go; the stage reached stays.
        ShowGallows();
        CloseWord();
    }
    if (s.WrongCount >= kWrongLettersToLose) {
        // The last stage and all the markers stay on show.
        CountEndOfWord(s.WordsWrong, Label38, u"Špatně"_s);
        CloseWord();
    }
    AnnounceGuess(found);
}

void GameWindow::CountEndOfWord(float& counter, tk::Label* counterLabel, const QString& result)
{
    counter += 1;
    counterLabel->setCaption(formatSingle(counter));
    Label46->setCaption(result);
    m_state.Attempts = m_state.RevealedCount = m_state.WrongCount = 0;
}

void GameWindow::CloseWord()
{
    Timer1->setEnabled(false);
    Image13->hide();
    Image15->setEnabled(true);
    Image24->show();
}

// Said from the captions, which keep the counts of the last guess after the
// word ends; the pattern of a lost word keeps its answer untold.
void GameWindow::AnnounceGuess(bool found)
{
    QString said = (found ? u"%1 je ve slově. "_s : u"%1 není ve slově. "_s).arg(m_state.Letter) + WordPattern();
    if (!found)
        said += u". "_s + Label45->caption() + u" z "_s + formatSingle(kWrongLettersToLose);
    if (!Label46->caption().isEmpty())
        said += u". "_s + Label46->accessibleDescription() + u" : "_s + Label46->caption();
    announce(said);
}

// ---------------------------------------------------------------- gallows

void GameWindow::ShowGallows()
{
    ::ShowGallows(m_state.WrongCount, *Image1, StagePictures, Markers);
}

// ------------------------------------------------------------------ clock

void GameWindow::ClockTick()
{
    const GameState& s = m_state;
    CountSecond(m_state);
    Label41->setCaption(u"Celkový čas : "_s + clockText(s.TotalHours, s.TotalMinutes, s.TotalSeconds));
    Label42->setCaption(u"Čas slova : "_s + clockText(s.WordTimeHours, s.WordTimeMinutes, s.WordTimeSeconds));
    Label43->setCaption(u"Prům. čas slova : "_s + clockText(s.AverageHours, s.AverageMinutes, s.AverageSeconds));
}

// ------------------------------------------------------------------ about

void GameWindow::OpenAbout()
{
    // A window the user closed is gone, or about to be; one merely hidden is
    // still the one window.
    if (!m_about || m_about->isClosed())
        m_about = new AboutWindow(this, m_state.PocetOtazek);
    m_about->showInFront();
}

// Wayland desktops give a window the focus only for the input that asked for
// it, and GNOME takes the press for that, not the release that ends the
// click: an open About window comes forward as the button goes down.
void GameWindow::PressAbout(tk::ButtonValue button)
{
    if (button == tk::kLeftButton && m_about && !m_about->isClosed())
        m_about->showInFront();
}
