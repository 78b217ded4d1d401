#pragma once

#include <QRect>

class QPlainTextEdit;
class QWidget;

// A read-only text box with a vertical scroll bar on the pale blue of the rules
// and terms, in black in every theme, in the parent's font without bold. `text`
// is UTF-8.
QPlainTextEdit* TextBox(QWidget* parent, const char* name, const char* text, QRect geometry);
