#pragma once
// The detail wing's controls: the header's buttons, the idiom's boxes and
// captions, the combined text, and the quiz panel laid over them.
#include "mainwindow/MainWindowControls.h"

namespace velmora {

void CreateDetailPane(DetailControls &c, QWidget *sizer);
// Made after whatever else lies over the detail, so that it lies on top.
void CreateQuizPanel(DetailControls &c);

}  // namespace velmora
