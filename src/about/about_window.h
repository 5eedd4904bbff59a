#pragma once

#include "toolkit.h"

#include <array>

// Form2: credits, version and dictionary size, a link to the maker's site,
// and a picture that can be dragged about and glides back home.
class AboutWindow : public tk::Window {
    Q_OBJECT
public:
    // The web site that the link opens; nothing else can be opened from here.
    static const QUrl kWebAddress;

    // Owned by the game window; destroyed when the user closes it. Shows the
    // number of words in the dictionary.
    AboutWindow(QWidget* owner, float dictionarySize);

private:
    void CreateTexts();
    void CreateSeparator();
    void CreatePictures();
    void ConnectHandlers();
    void Load(float dictionarySize);

    void FollowMouse(tk::ButtonValue button, float x, float y);
    void StartGlide();
    void GlideStep();
    void BlinkStep();
    void PlaceMarks();

    float StepX = 0;
    float StepY = 0;

    tk::Picture* Image1 = nullptr;  // the moving picture
    tk::Picture* Image2 = nullptr;  // bottom mark, follows its Left
    tk::Picture* Image3 = nullptr;  // side mark, follows its Top
    tk::Label* Label1 = nullptr;  // title
    tk::Label* Label2 = nullptr;  // credit line
    tk::Label* Label3 = nullptr;  // copyright
    tk::Label* Label4 = nullptr;  // link
    tk::Label* Label5 = nullptr;  // dictionary size
    tk::Label* Label6 = nullptr;  // version
    tk::Label* Label7 = nullptr;  // footer
    tk::Label* Label15 = nullptr;  // donation request
    std::array<tk::Line*, 6> Lines{};  // Line1 … Line6
    tk::Timer* Timer1 = nullptr;  // glide
    tk::Timer* Timer2 = nullptr;  // blink
};
