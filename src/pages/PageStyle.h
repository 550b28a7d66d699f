#pragma once
// Style sheets shared by the DPI and performance pages (dark skin, accent colour).

#include <QString>

namespace PageStyle {

// Check boxes and radio buttons drawn as small accent-filled boxes.
QString checkBoxSheet();
QString radioSheet();
// A spin box on the dark panel.
QString spinBoxSheet();
// A horizontal slider with the accent colour.
QString sliderSheet();
// A push button for plain text commands on the panel.
QString buttonSheet();
// The panel background with a thin frame.
QString panelSheet(const QString &objectName);

} // namespace PageStyle
