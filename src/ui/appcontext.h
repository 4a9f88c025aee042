#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace zarfan {

// The program's fixed title, as message boxes show it.
QString programTitle();

// Qt's own texts (standard dialogs, buttons, context menus) in Arabic, from
// the system's Qt translations; left in English where they are not installed.
void installQtTranslation();

// Registers the icons and pictures of the windows.
void initResources();

// Tahoma and MS Sans Serif, the faces the windows were drawn with, are
// absent on Linux: map them to a good installed Arabic face. The settings
// file keeps the names the user chose.
void installFontSubstitutions();

// An unsorted combo box of fixed items with a prompt in its edit field and
// nothing selected: the position of an item is the number it stands for.
void fillPromptCombo(QComboBox *box, const QStringList &items, const QString &prompt);

// A font of the windows' design: the face at a fractional point size.
QFont designFont(const QString &family, double pointSize);

// Sizes a window as drawn in its design (pixels at Tahoma 8.25 pt, the face
// it was drawn with), scaled in both directions alike by the substituted
// face's metrics, and further if its texts would be clipped.
void resizeToDesign(QWidget *window, QSize design);

// Centres a window on its screen: left = half the screen width minus half the
// window width, top likewise.
void centreWindow(QWidget *window);

// Centres the window when it is first shown, once its layout has settled on
// its final size.
void centreWhenShown(QWidget *window);

// The edit field inside each spin box of the window takes the box's name, as
// a screen reader reaches the field.
void nameSpinBoxFields(QWidget *window);

// Every paragraph of the box starts at its right edge and runs right to left,
// whatever text or font it is given later.
void alignRightToLeft(QPlainTextEdit *box);

// The font with the face, size and style all.txt keeps, where it names a face
// this system has or substitutes.
QFont withSavedFont(QFont font, const QString &appFolder);

// A value label's text; a label reaches a screen reader only through its
// name, so the name follows with its caption.
void setValueLabel(const QLabel *caption, QLabel *label, const QString &value);

} // namespace zarfan
