#pragma once
// The main window's look for the other windows (progress, test, viewer, virtual robot): its
// light body colour, rounded cards with or without a caption band, and picture buttons, all
// drawn from the artwork generator's nine-slice pictures (sharp ones on high-density screens).

#include <QColor>
#include <QString>

class QPainter;
class QPushButton;
class QRect;
class QWidget;

namespace ui {

// The colour families of the cards and buttons: the main window's frame and command colours.
enum class SkinColour { Green, Orange, Purple, Blue, Red };

// The body colour of the main window, behind its cards.
inline const QColor kSkinBody(0xDC, 0xEB, 0xF7);

// Gives a window the body colour (its controls keep their own backgrounds).
void SkinWindow(QWidget* window);

// Draws the button as a picture button of the colour: its normal, highlight (hovered),
// pressed and cover (disabled) looks, with its caption in white bold over it. The button keeps
// its text, shortcut, focus and signals.
void SkinButton(QPushButton* button, SkinColour colour);

// Draws a card around `rect` of `widget`; a banded card has a caption band of
// kCardBandHeight pixels at its top in the colour, for a caption laid over it.
void DrawCard(QPainter& painter, const QWidget* widget, const QRect& rect, SkinColour colour,
              bool banded = false);
inline constexpr int kCardBandHeight = 32;

// The resource alias part of a colour ("green", ...).
QString SkinColourName(SkinColour colour);

}  // namespace ui
