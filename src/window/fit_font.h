#pragma once

class QFont;
class QWidget;

namespace v5 {

// The panes are laid out for the small dialog font the panel's installers know; a wider system font
// gets a smaller pane font, in half points, until the pane's layout fits the pane's size.
void fitFontToSize(QWidget* pane);

// Whether "i", "W" and "0" take the same width in `font`: what columns of text need, whatever the font
// says of its own pitch.
bool hasEqualAdvances(const QFont& font);
// `preferred` (by default the system's fixed-pitch font), or where that one is proportional after all,
// the first font of its size with equal advances among the common monospaced families and the ones the
// system marks as fixed.
QFont fixedPitchFont();
QFont fixedPitchFont(const QFont& preferred);

}  // namespace v5
