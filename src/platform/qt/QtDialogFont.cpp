#include "platform/qt/QtDialogFont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRect>
#include <QString>
#include <QStringList>

#include "sheet/PageTemplates.h"

QFont PageDialogFont() {
  QFont font;
  // The templates' own face is rarely installed outside Windows, and a stand-in of other
  // widths wraps their texts differently. Liberation Sans (Arial's widths) at the templates'
  // size keeps every static text inside its box with the units below; the sheet's tests
  // measure that. DejaVu Sans is only the last resort of a system without it.
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(kPageFontPoints);
  return font;
}

CDialogBaseUnits DialogBaseUnits(const QFont& font) {
  return BaseUnitsFromFont(
      QFontMetrics(font).horizontalAdvance(QString::fromLatin1(kDialogUnitsAlphabet)),
      QFontMetricsF(font).height());
}

QRect DialogRect(const CDialogBaseUnits& units, int x, int y, int cx, int cy) {
  const CPixelRect r = MapDialogRect(units, x, y, cx, cy);
  return {r.x, r.y, r.width, r.height};
}
