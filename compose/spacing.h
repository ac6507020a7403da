#pragma once

#include <Qt>

// What a click on the logo button does, by the modifier keys held (exactly those, no others).
enum class LogoAction {
    LeftMargin,   // Shift
    TopMargin,    // Ctrl
    RevealCrop,   // Ctrl+Shift: show the "Crop Image" print option
    GutterWidth,  // Shift+Alt
    GutterHeight, // Ctrl+Alt
    WebPage,      // anything else: the maker's web page
};

LogoAction logoActionFor(Qt::KeyboardModifiers held);

// A stored sheet spacing, in sheet pixels, with the prompt that edits it.
struct SpacingPrompt
{
    const char *title;
    const char *label;
    const char *key;
};

// The prompt for one of the four spacing actions.
const SpacingPrompt &spacingPromptFor(LogoAction action);

inline constexpr char MakerWebPage[] = "https://www.morvane.com/";
