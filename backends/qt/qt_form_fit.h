// Makes a form's text fit when the faces standing in for the form's own fonts are wider than
// those it was laid out with: every label keeps its place and grows to the right until its text
// shows whole, and the form grows to hold every widget. Nothing moves and nothing shrinks.
#pragma once

class QWidget;

namespace dnovar {

// `root` is a form's root widget with its widgets placed as the table puts them. A label grows
// to its size hint's width, and a word-wrapping one further until its lines fit its height. The
// form then grows where a widget reaches past its edge, so that the widget keeps the distance from
// that edge that the leftmost widget keeps from the left edge.
void fit_form_to_text(QWidget& root);

}  // namespace dnovar
