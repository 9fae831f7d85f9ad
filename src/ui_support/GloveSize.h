#pragma once

class QDateEdit;
class QWidget;

// Sizes for a gloved finger outside the twips-laid screens: the message
// boxes, input boxes and the calendar get buttons and cells at least as
// high as a key of the on-screen keyboards, at the window's scale.
namespace GloveSize {

// The height of the product keyboard's keys, the smallest on the screens.
constexpr int KeyTwips = 645;

// A key's height in pixels at the scale of the window `near` belongs to;
// never below the design size (a box shown before any window is).
int keyPixels(const QWidget *near);

// Every button of `dialog` at least a key high and two keys wide, its text
// at the screens' size.
void fitDialog(QWidget *dialog, const QWidget *near);

// The calendar of `dateEdit` follows the same rule each time it opens: day
// cells and month buttons at least a key high and wide.
void fitCalendar(QDateEdit *dateEdit);

} // namespace GloveSize
