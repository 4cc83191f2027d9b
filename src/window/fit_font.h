#pragma once

class QWidget;

namespace v5 {

// The panes are laid out for the small dialog font the panel's installers know; a wider system font
// gets a smaller pane font, in half points, until the pane's layout fits the pane's size.
void fitFontToSize(QWidget* pane);

}  // namespace v5
