#pragma once

#include "dictionary.h"
#include "game_state.h"
#include "toolkit.h"

#include <QPointer>

#include <array>
#include <functional>

class AboutWindow;

// What the game window takes from outside, so tests can fix the draw, feed
// their own entries and answer the warning box without blocking.
struct GameServices {
    dictionary::RandomSource random = dictionary::clockSeededRandom();
    dictionary::Lookup lookup = dictionary::loadResString;
    std::function<void(QWidget* parent, const QString& text, const QString& title)> warn = tk::messageBox;
};

// Form1: the game window, its elements, its game state and its handlers.
class GameWindow : public tk::Window {
    Q_OBJECT
public:
    explicit GameWindow(GameServices services = {});

    const GameState& state() const { return m_state; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Element creation, in the order of the layout.
    void CreateWordArea();
    void CreateKeyboard();
    void CreateGallows();
    void CreateSignsAndButtons();
    void CreateStatistics();
    void ConnectHandlers();

    // Handlers and procedures.
    void NewWordClick();
    void ResetBoard();
    void PickWord();
    void ShowWordSlots();
    QString WordPattern() const;
    void KeyClick(tk::Label* key, const QString& letter);
    void GuessLetter();
    void CountEndOfWord(float& counter, tk::Label* counterLabel, const QString& result);
    void CloseWord();
    void AnnounceGuess(bool found);
    void ShowGallows();
    void ClockTick();
    void OpenAbout();
    void PressAbout(tk::ButtonValue button);

    GameServices m_services;
    GameState m_state;
    QPointer<AboutWindow> m_about;

    std::array<tk::Label*, 10> WordSlots{};  // Label1 … Label10
    std::array<tk::Label*, 26> LetterKeys{};  // A … Z: Label37, Label11 … Label35
    std::array<tk::Picture*, 9> StagePictures{};  // stages 0 … 8: Image14, Image16 … Image23
    std::array<tk::Picture*, 8> Markers{};  // Image5 … Image12
    tk::Label* Label36 = nullptr;  // words won
    tk::Label* Label38 = nullptr;  // words lost
    tk::Label* Label39 = nullptr;  // word length
    tk::Label* Label40 = nullptr;  // word number
    tk::Label* Label41 = nullptr;  // total time
    tk::Label* Label42 = nullptr;  // word time
    tk::Label* Label43 = nullptr;  // average time
    tk::Label* Label44 = nullptr;  // positions revealed
    tk::Label* Label45 = nullptr;  // wrong letters
    tk::Label* Label46 = nullptr;  // result
    tk::Label* Label47 = nullptr;  // clue
    tk::Label* Label49 = nullptr;  // guesses
    tk::Label* Label50 = nullptr;  // words given
    tk::Picture* Image1 = nullptr;  // gallows picture
    tk::Picture* Image25 = nullptr;  // corner mask
    tk::Picture* Image2 = nullptr;  // tick sign
    tk::Picture* Image3 = nullptr;  // cross sign
    tk::Picture* Image4 = nullptr;  // about button
    tk::Picture* Image15 = nullptr;  // new-word button
    tk::Picture* Image13 = nullptr;  // button shade
    tk::Picture* Image24 = nullptr;  // keyboard shade
    tk::Line* Line1 = nullptr;
    tk::Timer* Timer1 = nullptr;  // the clock
};
