#pragma once

class QApplication;

// The look every window of the program shares: style, a font that shows
// Japanese at the size the layout was drawn for, and the icon.
void SetUpApplication(QApplication& app);
