// Bold captions for the program's dialogs: a group box title or a static text in bold
// without making the controls inside a group bold as well.
#pragma once

class QGroupBox;
class QWidget;

namespace tk70 {

// Makes the group's caption bold; the controls in it keep the ordinary font.
void setBoldCaption(QGroupBox *group);
// Makes a widget's own text bold.
void setBold(QWidget *widget);

}  // namespace tk70
